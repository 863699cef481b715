// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "calc/timing_checks.h"
#include "cli/calc_options.h"
#include "model/window_state.h"

namespace tavimo::cli {

// Prints what the timing window shows for positions 1..8 (phase, movement, the four
// timing inputs and the three results) in the chosen form, with the timing checks'
// warnings: csv per position, json in one list; the table leaves them to stderr.
void printResults(const WindowState& state, OutputFormat format, std::ostream& out,
                  const std::vector<TimingWarning>& warnings = {});

// The csv form alone (the installed-package check has the application print it) and
// the table form alone (a network run prints one a calculated intersection).
void printCsv(const WindowState& state, std::ostream& out, const std::vector<TimingWarning>& warnings = {});
void printTable(const WindowState& state, std::ostream& out);

// The fields of one position column, in the order of the window's rows, and their csv
// names; a row the calculation hid shows only its position and phase.
constexpr int kFields = 10;
extern const char* const kCsvNames[kFields];
std::array<std::string, kFields> columnOf(const SignalPlan& plan, int k);

// A JSON string literal; bytes that are not UTF-8 become U+FFFD.
std::string jsonString(const std::string& text);

// What an intersection of a network file adds to the single-plan object.
struct JsonIntersection {
    std::string id;
    bool agrees = false;
    std::string note;
    std::array<std::string, 8> fileForceOff;
};

// The single-plan object, each line after `indent`; with an intersection it carries its
// INTID, agreement, note and the file's force-off per position, and ends without a line end.
// With warnings, the object ends with their "warnings" list.
// The warnings that point at a field of position k, joined for one csv cell (no comma).
std::string csvWarnings(const std::vector<TimingWarning>& warnings, int k);

void printJsonObject(const WindowState& state, const JsonIntersection* intersection, const std::string& indent,
                     std::ostream& out, const std::vector<TimingWarning>* warnings = nullptr);

}  // namespace tavimo::cli
