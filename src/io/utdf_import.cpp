// SPDX-License-Identifier: MIT
// Puts an imported signal into the timing window's state, as "Load" does before it
// runs the calculation.
#include "io/utdf_import.h"
#include "model/form_reset.h"
#include "model/number_text.h"

#include "window_fill.h"

namespace tavimo {

std::string arrangementOf(const std::string& leadLagMark) {
    const bool lead = leadLagMark == "1" || leadLagMark == "3" || leadLagMark == "5" ||
                      leadLagMark == "7" || leadLagMark == " ";
    return lead ? tag::kLead : tag::kLag;
}

int importPosition(const std::string& arrangement, int phase) {
    if (arrangement != tag::kLag) return phase;
    return phase % 2 == 1 ? phase + 1 : phase - 1;
}

void importInto(WindowState& state, const UtdfImport& values, const std::string& controller,
                const std::string& mode) {
    SignalPlan& plan = state.plan;
    const std::string arrangement = arrangementOf(values.leadLagMark);

    // Phases with a split, each with its times. Under "Lag" a phase goes to the
    // position of its own kind (phase 2 through at position 1, phase 1 left turn at
    // position 2, ...); putting phase n at position n would run the left turns first
    // and show them with through arrows.
    for (int n = 1; n <= 8; ++n) {
        if (isBlank(values.split[n - 1])) continue;
        Position& at = plan.at(importPosition(arrangement, n));
        at.phase = std::to_string(n);
        at.split = values.split[n - 1];
        at.green = values.green[n - 1];
        at.amber = values.amber[n - 1];
        at.red = values.red[n - 1];
    }
    for (Position& at : plan.positions) at.phaseLocked = true;

    for (int k = 1; k <= kPositions; ++k) {
        Position& at = plan.at(k);
        at.movementList = movementListFor(arrangement, k);
        at.movementIndex = -1;
    }
    // Every phase's movement, also for a phase without a split.
    for (int n = 1; n <= 8; ++n) plan.at(importPosition(arrangement, n)).movementIndex = directionIndex(values.direction[n - 1]);
    for (Position& at : plan.positions) at.movementLocked = true;

    plan.setController(controller == tag::kNema ? tag::kNema : tag::kType170, SignalPlan::NemaShown::AsFiled);
    plan.mode = mode == tag::kPermissive ? tag::kPermissive : tag::kYield;
    plan.setCycleLength(values.cycleLength);

    plan.arrangement = arrangement;
    restoreLayoutForNewSignal(state);
    if (arrangement == tag::kLag) applyLagWindowLayout(state.chart);

    for (Position& at : plan.positions)
        if (!at.movement().empty()) at.timingEnabled = true;
    placePhasePictures(state);
}

}  // namespace tavimo
