// SPDX-License-Identifier: MIT
#pragma once

#include "calc/signal_calculation.h"
#include "model/signal.h"

#include "plan_times.h"

namespace tavimo {

// One calculation of a signal in the formulas' own terms, rows by grid position, as
// far as it got. The chart is drawn from the same times.
struct PlanRun {
    PlanTimes t;
    PlanResults r;
    SignalStop stop = SignalStop::Completed;
    // Under Type 170 with leading lefts: the coordinated row (2 or 6) whose partner's
    // yellow is the local zero on the chart; 0 otherwise.
    int type170ZeroRow = 0;
};

PlanRun runPlan(const Signal& signal);

// The run's numbers by phase.
SignalResults resultsOf(const Signal& signal, const PlanRun& run);

}  // namespace tavimo
