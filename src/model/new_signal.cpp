// SPDX-License-Identifier: MIT
#include "model/new_signal.h"

#include "model/movement_pools.h"

namespace tavimo {

void applyNewSignal(WindowState& state, const NewSignalChoice& choice) {
    SignalPlan& plan = state.plan;

    if (choice.nema) {
        plan.controller = tag::kNema;
        plan.controlText = "NEMA";
    } else {
        plan.controller = tag::kType170;
        plan.controlText = "170";
    }
    plan.mode = choice.permissive ? tag::kPermissive : tag::kYield;
    plan.setCycleLength(choice.cycleLength);

    // Under Lag the left turns' windows follow the through phases: the ring-end
    // markers go and PP1/PP4 move to the left turn's place.
    plan.arrangement = choice.lead ? tag::kLead : tag::kLag;
    if (!choice.lead) applyLagWindowLayout(state.chart);

    // The user picks the coordinated phases first; every other pull-down waits.
    // A calculated window has its pull-downs hidden: show them again so the
    // coordinated phases can be chosen.
    const int first = choice.focusPosition();
    for (int k = 1; k <= kPositions; ++k) {
        Position& p = plan.at(k);
        p.phaseEnabled = k == first || k == first + 4;
        p.phaseVisible = true;
    }

    plan.description = choice.description;
    resetMovements(plan);
}

}  // namespace tavimo
