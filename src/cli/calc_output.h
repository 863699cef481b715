// SPDX-License-Identifier: MIT
#pragma once

#include <ostream>

#include "cli/calc_options.h"
#include "model/window_state.h"

namespace tavimo::cli {

// Prints what the timing window shows for positions 1..8 (phase, movement, the four
// timing inputs and the three results) in the chosen form.
void printResults(const WindowState& state, OutputFormat format, std::ostream& out);

void printCsv(const WindowState& state, std::ostream& out);
void printTable(const WindowState& state, std::ostream& out);
void printJson(const WindowState& state, std::ostream& out);

}  // namespace tavimo::cli
