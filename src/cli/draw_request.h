// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "calc/calculated_signal.h"

namespace tavimo::cli {

// What tavimo-calc asks of its drawing library: the chart and the report of every
// signal it calculated. `id` names a signal of a file of many intersections; empty
// for one signal.
struct DrawnSignal {
    std::string id;
    const CalculatedSignal* signal = nullptr;
    std::string fileName;  // the project file, shown in the report; empty for an import
};

struct DrawRequest {
    std::string chartPath;   // empty: no chart
    std::string reportPath;  // empty: no report
    std::vector<DrawnSignal> calculated;
};

// The drawing library's one entry point, looked up by name: writes what `request`
// asks for and returns an empty text, or the reason it could not.
using DrawEntry = std::string (*)(const DrawRequest& request);
inline constexpr const char* kDrawEntryName = "tavimo_draw";
inline constexpr const char* kDrawLibraryName = "libtavimo-draw.so";

// Loads the drawing library (beside the program, or in ../lib/tavimo) and runs it;
// the reason on failure. Plain calculations never load it.
std::string drawWithLibrary(const DrawRequest& request);

}  // namespace tavimo::cli
