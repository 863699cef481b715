// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <vector>

#include "model/signal.h"

namespace tavimo {

// Where a calculation of a ring-barrier plan ended.
enum class PlanStop {
    Completed,
    ZeroRingCycle,        // both rings total 0: nothing to time
    CycleMismatch,        // the cycle length is not the ring cycle (or no number)
    NoCoordinatedPhase,   // no coordinated phase runs
    CoordinatedApart,     // the coordinated phases run in different barriers
};

// One running phase's results, in seconds of the controller's local time.
struct PlanPhaseResult {
    int number = 0;
    int ring = 1, barrier = 1;
    bool coordinated = false;
    float forceOff = 0;
    // A coordinated phase has no permissive window.
    std::optional<float> permissiveStart, permissiveEnd;
    // The window as the phase's own timing gives it (NEMA TS2 reference, before the
    // rings are joined and Yield opens it): an end before the start cannot serve the
    // phase's minimum green.
    std::optional<float> ownStart, ownEnd;
    // Where its split ends, in seconds after the start of the first coordinated green
    // on its ring's clock, within the cycle: what the chart places its bars by.
    float splitEnd = 0;
};

// Two rings that do not reach a barrier together: when each gets there, counted from
// the start of the first barrier.
struct BarrierMismatch {
    int barrier = 0;
    float ring1 = 0, ring2 = 0;
};

struct PlanCalculation {
    PlanStop stop = PlanStop::Completed;
    std::vector<PlanPhaseResult> phases;  // running phases, ring by ring in running order
    float ringTotal[2] = {0, 0};          // sum of each ring's splits
    float ringCycle = 0;                  // the longer ring total
    // The controller's local zero as a time after the start of the first coordinated
    // green: 0 under NEMA TS2, the first coordinated yellow under Type 170.
    float localZero = 0;
    std::optional<float> yieldPoint;      // where every window opens in Yield mode
    std::vector<BarrierMismatch> barrierMismatches;

    const PlanPhaseResult* phase(int number) const;
};

// Force-offs and permissive windows of any ring-barrier plan: one or two rings, the
// barriers as the plan numbers them, any number of phases of a ring in a barrier, one
// or two coordinated phases. A phase runs when it is timed with a split above 0.
PlanCalculation calculatePlan(const Signal& signal);

}  // namespace tavimo
