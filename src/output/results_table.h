// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "calc/timing_checks.h"
#include "model/window_state.h"

namespace tavimo {

// What results that leave the window are about, as label and value: the intersection
// (the description, which carries the INTID of an intersection taken from a network
// file), the cycle length, the controller, the mode and the left-turn arrangement.
std::vector<std::pair<std::string, std::string>> resultsContext(const SignalPlan& plan);

// The results as a tab-separated table for a spreadsheet: the context lines
// ("Intersection<TAB>value"), an empty line, a header line, then one line per phase in
// phase-number order with Phase, Movement, Split, Min Green, Amber, All Red, Force Off,
// Permissive Start and Permissive End, each the window's text. A signal with an offset
// has, after the context, its Referenced To and its offset in each reference.
std::string resultsTable(const WindowState& calculated);

// The window's csv export: the context lines ("Intersection,value"), an empty line,
// then exactly what tavimo-calc --format csv prints for the signal.
std::string resultsCsv(const WindowState& calculated, const std::vector<TimingWarning>& warnings);

}  // namespace tavimo
