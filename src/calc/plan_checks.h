// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "calc/plan_calculation.h"
#include "model/signal.h"

namespace tavimo {

// What a controller cannot run as a ring-barrier plan was calculated, and the phases
// whose timing to change.
struct PlanWarning {
    std::string text;
    std::vector<int> phases;
};

// The checks of a completed plan: splits shorter than min green and clearance,
// pedestrian timing longer than the split, windows whose own timing cannot open, and
// rings that reach a barrier apart. Empty for a run that stopped.
std::vector<PlanWarning> checkPlan(const Signal& signal, const PlanCalculation& plan);

}  // namespace tavimo
