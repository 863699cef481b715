// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "output/results_forms.h"

namespace tavimo::cli {

using tavimo::OutputFormat;

// What the command line asks for. Controller and mode stay unset when not given:
// a project file keeps its own, an import takes NEMA TS2 and Permissive.
struct CalcOptions {
    bool help = false;
    bool version = false;
    std::string planPath;                      // project mode
    std::optional<std::vector<std::string>> utdf;  // TIMING, PHASING, LANES
    std::optional<std::string> network;         // one combined UTDF file of a whole network
    std::vector<std::string> intersections;     // --intersection, in the order given
    bool list = false;                          // --list: the network's intersections only
    bool listCorridors = false;                 // --list-corridors: the network's corridors only
    std::optional<std::vector<std::string>> corridor;  // --corridor: a route's INTIDs, in order
    std::vector<std::pair<std::string, double>> offsets;  // --offset ID=SECONDS, in the order given
    std::optional<std::string> controller;     // tag text: "Nema" or "one70"
    std::optional<std::string> mode;           // tag text: "Permissive" or "Yield"
    OutputFormat format = OutputFormat::Table;
    bool strict = false;                       // warnings of the timing checks fail the run
    std::optional<std::string> chartPath;      // --chart: .svg, .png or .pdf
    std::optional<std::string> reportPath;     // --report: .pdf
    std::optional<std::string> diagramPath;    // --diagram, with --corridor: .svg, .png or .pdf
};

// A command line that cannot be run, with the reason in a few words.
struct UsageError {
    std::string message;
};

// A chart or report written to standard output ("-"), which then holds it alone.
bool drawsToStandardOutput(const CalcOptions& options);

// Reads the arguments (without the program name); options may come in any order.
std::variant<CalcOptions, UsageError> parseCalcOptions(const std::vector<std::string>& args);

// The two usage lines, and the full help text that --help prints.
extern const char* const kUsage;
extern const char* const kHelp;

}  // namespace tavimo::cli
