// SPDX-License-Identifier: MIT
#include "model/new_signal.h"

#include "model/form_reset.h"
#include "model/movement_pools.h"
#include "model/number_text.h"

namespace tavimo {

std::variant<std::optional<float>, std::string> readNewOffset(const std::string& offset,
                                                               const std::string& cycleLength) {
    if (isBlank(offset)) return std::optional<float>();
    const std::optional<float> seconds = parseNumber(offset);
    if (!seconds || !(*seconds >= 0) || !isTimeInRange(*seconds)) return std::string("Offset is not a time of 0 or more!");
    // A controller takes an offset within one cycle; one beyond it was mistyped.
    if (const std::optional<float> cycle = parseNumber(cycleLength); cycle && *cycle > 0 && !(*seconds < *cycle))
        return std::string("Offset must be less than the Cycle Length!");
    return seconds;
}

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
    plan.createdBy = choice.createdBy;
    plan.offset.reset();
    plan.coordinatedByFile.clear();  // the user chooses the coordinated phases now
    if (choice.offset)
        plan.offset = Offset{*choice.offset, choice.nema ? OffsetReference::Ts2 : OffsetReference::Type170};
    resetMovements(plan);
}

}  // namespace tavimo
