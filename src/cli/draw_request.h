// SPDX-License-Identifier: MIT
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "calc/calculated_signal.h"
#include "calc/plan_calculation.h"
#include "model/signal.h"
#include "calc/time_space.h"

namespace tavimo::cli {

// What tavimo-calc asks of its drawing library: the chart and the report of every
// signal it calculated, or a corridor's time-space diagram. `id` names a signal of a file of many intersections; empty
// for one signal.
struct DrawnSignal {
    std::string id;
    const CalculatedSignal* signal = nullptr;
    std::string fileName;  // the project file, shown in the report; empty for an import
    // A plan the eight positions cannot hold, in place of `signal`: its completed run.
    const Signal* plan = nullptr;
    const PlanCalculation* planCalculation = nullptr;
};

// A path of "-" is standard output.
struct DrawRequest {
    std::string chartPath;   // empty: no chart
    std::string reportPath;  // empty: no report
    std::vector<DrawnSignal> calculated;
    std::string diagramPath;  // empty: no time-space diagram
    const TimeSpaceDiagram* diagram = nullptr;
};

inline constexpr const char* kDrawLibraryName = "libtavimo-draw.so";
inline constexpr const char* kStandardOutput = "-";

// Loads the drawing library (beside the program, or in ../lib/tavimo), has it draw
// each document in memory and writes the documents, each file whole or not at all,
// a "-" to `standardOutput`; the message on failure. Plain calculations never load it.
std::string drawWithLibrary(const DrawRequest& request, std::ostream& standardOutput);

}  // namespace tavimo::cli
