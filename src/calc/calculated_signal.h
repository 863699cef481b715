// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <vector>

#include "calc/calculation.h"
#include "calc/window_calculation.h"
#include "model/window_state.h"

namespace tavimo {

// A signal together with the run that calculated it: what charts, reports and result
// files are made of.
struct CalculatedSignal {
    WindowState state;  // the window as the run leaves it
    CalcOutcome outcome;
    std::vector<TimingWarning> warnings;  // of the timing checks, as the calculator prints them
};

// Calculates the window's signal again. Nothing when the run does not complete (a
// check fails, nothing to calculate) or when the window shows other results than its
// inputs give (a time was changed after "Calculate"): an export must be what the
// window shows.
std::optional<CalculatedSignal> calculatedSignal(const WindowState& window);

}  // namespace tavimo
