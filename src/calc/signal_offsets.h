// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <vector>

#include "calc/coordination.h"
#include "calc/plan_calculation.h"
#include "model/signal.h"
#include "model/window_state.h"

namespace tavimo {

// The greens of a calculated plan on the master clock: each running phase's start of
// yellow is its force-off after the controller's local zero, its green the split less
// yellow and all red before that, and the whole plan stands where its offset, counted
// to its reference, puts it. Nothing for a signal without an offset, a calculation
// that did not complete, or an offset counted to a point the plan does not have
// (flashing don't walk without pedestrian timing). `coordinated`, where given, are the
// phases the controller coordinates when they are not the signal's own: a network
// plan of one coordinated phase on the timing window's grid, which coordinates two.
std::optional<CoordinationPlan> masterClockPlan(const Signal& signal, const PlanCalculation& calculation,
                                                const std::vector<int>& coordinated = {});

// A signal's offset in every reference, the plan's own among them.
struct SignalOffsets {
    Offset own;                             // as the file or the user gave it
    std::optional<ReferencePoints> points;  // none where the plan cannot be placed on the master clock
};

// Nothing for a signal without an offset.
std::optional<SignalOffsets> signalOffsetsOf(const Signal& signal, const PlanCalculation& calculation,
                                             const std::vector<int>& coordinated = {});
// The same, calculating the signal first.
std::optional<SignalOffsets> signalOffsetsOf(const Signal& signal);
// The timing window's signal, read and calculated as "Calculate" reads it; its offset
// without points where it cannot be read or calculated.
std::optional<SignalOffsets> windowOffsetsOf(const WindowState& window);

}  // namespace tavimo
