// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "calc/calculation.h"
#include "calc/timing_checks.h"
#include "model/window_state.h"

namespace tavimo {

// The calculation's view of a timing window: texts, the enabled split fields, the
// header tags and the chart as it stands.
CalcInput snapshotOf(const WindowState& state);

// Writes a run's outcome back: blanked rows emptied and hidden, the result texts,
// the chart, and after a complete run the phase-order pull-downs hidden. Messages
// and focus are the window's to show.
void applyOutcome(WindowState& state, const CalcOutcome& outcome);

// "Calculate" on a window's state: the snapshot calculated and its outcome written
// back. The timing window and tavimo-calc both calculate through this, so the
// calculator prints what the window shows.
CalcOutcome calculateWindow(WindowState& state);

// "Calculate" with what the timing checks found: after a complete run its warnings,
// after a Phase Error the positions that disagree.
struct CheckedRun {
    CalcOutcome outcome;
    std::vector<TimingWarning> warnings;
    std::vector<TimingWarning> phaseError;
};
CheckedRun calculateAndCheckWindow(WindowState& state);

// Why a run did not complete, in words for a list: the window's message, or the
// reason of a silent stop; none for a completed run.
std::optional<std::string> runFailure(const CalcOutcome& outcome);

// The force-off of each position (index 0..7) as the run left it.
std::array<std::optional<float>, 8> forceOffsOf(const CalcOutcome& outcome);

}  // namespace tavimo
