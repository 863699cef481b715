// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "calc/timing_checks.h"
#include "model/window_state.h"

namespace tavimo {

enum class OutputFormat { Table, Csv, Json };

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

// The ring and barrier of grid position k, as the grid's sequence numbers them: ring 1
// for positions 1-4, barrier 1 for 1, 2, 5 and 6 (the coordinated barrier).
inline int ringOfPosition(int k) { return k <= 4 ? 1 : 2; }
inline int barrierOfPosition(int k) { return (k - 1) % 4 < 2 ? 1 : 2; }

// One csv field by RFC 4180: a field holding a comma, a quote or a line break is
// quoted, its quotes doubled; nothing in it is replaced.
std::string csvField(std::string_view text);

// The warnings that point at a field of position k, joined with "; " for one csv cell
// (quoted where they hold a comma).
std::string csvWarnings(const std::vector<TimingWarning>& warnings, int k);

// JSON values keep their order of keys as written.
using Json = nlohmann::ordered_json;

// A value the window shows as a number, as the JSON number that reads as its text
// reads (the double of the text, so 0.3999996 stays 0.3999996); an empty one as null;
// a text that is no number stays a string.
Json jsonNumber(const std::string& text);

// What an intersection of a network file adds to the single-plan object.
struct JsonIntersection {
    std::string id;
    bool agrees = false;
    std::string note;
    std::array<std::string, 8> fileForceOff;
};

// The single-plan object; with an intersection it carries its INTID, agreement, note
// and the file's force-off per position; with warnings, their "warnings" list last.
Json signalJson(const WindowState& state, const JsonIntersection* intersection = nullptr,
                const std::vector<TimingWarning>* warnings = nullptr);

// Writes a JSON value indented by two, ending in a line end; text that is not UTF-8
// becomes U+FFFD so that the output stays valid whatever a file held.
void printJson(const Json& value, std::ostream& out);

}  // namespace tavimo
