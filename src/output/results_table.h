// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "model/window_state.h"

namespace tavimo {

// The results as a tab-separated table for a spreadsheet: a header line, then one
// line per phase in phase-number order with Phase, Movement, Split, Min Green, Amber,
// All Red, Force Off, Permissive Start and Permissive End, each the window's text.
std::string resultsTable(const WindowState& calculated);

}  // namespace tavimo
