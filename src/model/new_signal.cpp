// SPDX-License-Identifier: MIT
#include "model/new_signal.h"

#include "model/form_reset.h"
#include "model/movement_pools.h"

namespace tavimo {

void applyNewSignal(WindowState& state, const NewSignalChoice& choice) {
    SignalPlan& plan = state.plan;

    plan.setController(choice.nema ? tag::kNema : tag::kType170, SignalPlan::NemaShown::ListItem);
    plan.mode = choice.permissive ? tag::kPermissive : tag::kYield;
    plan.setCycleLength(choice.cycleLength);

    plan.arrangement = choice.lead ? tag::kLead : tag::kLag;

    // Over a calculated signal every position must be open to the new one: the rows,
    // pull-downs and chart come back as the form reset lays them out, and the pictures
    // shown stand above their phases' columns again. Texts and results stay.
    if (restoreLayoutForNewSignal(state)) {
        for (int k = 1; k <= kPositions; ++k)
            if (const int n = phaseNumber(plan.at(k).phase))
                state.chart.pictureLeft[n - 1] = state.chart.pictureLeft[n + 7] = layout::kPictureLeft[k - 1];
    }

    // Under Lag the left turns' windows follow the through phases: the ring-end
    // markers go and PP1/PP4 move to the left turn's place.
    if (!choice.lead) applyLagWindowLayout(state.chart);

    // The user picks the coordinated phases first; every other pull-down waits.
    const int first = choice.focusPosition();
    for (int k = 1; k <= kPositions; ++k) plan.at(k).phaseEnabled = k == first || k == first + 4;

    plan.description = choice.description;
    resetMovements(plan);
}

}  // namespace tavimo
