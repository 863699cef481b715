// SPDX-License-Identifier: MIT
#include "model/form_reset.h"

#include "model/movement_pools.h"

namespace tavimo {

void restoreDesignedLayout(WindowState& state) {
    for (Position& p : state.plan.positions) p.rowVisible = p.phaseVisible = true;
    layOutDesignedChart(state.chart, state.plan.mode == tag::kYield, state.plan.arrangement == tag::kLead);
}

void resetForm(WindowState& state) {
    SignalPlan& plan = state.plan;

    plan.projectFile.clear();
    // The phases are chosen again, so the file's coordinated phases may name none of
    // them; the offset stays with the header, counted to the grid's coordinated phases.
    plan.coordinatedByFile.clear();
    for (Position& p : plan.positions) {
        p.phaseLocked = false;
        p.movementLocked = false;
        p.movementNote.clear();
        p.movementEnabled = false;
    }
    resetMovements(plan);
    for (Position& p : plan.positions) p.timingEnabled = false;  // the typed times stay

    restoreDesignedLayout(state);

    for (Position& p : plan.positions) {
        p.phase.clear();
        p.phaseList = {"1", "2", "3", "4", "5", "6", "7", "8"};
    }
    state.chart.pictureVisible.fill(false);

    const bool lead = plan.arrangement == tag::kLead;
    plan.at(1).phaseEnabled = plan.at(5).phaseEnabled = !lead;
    plan.at(2).phaseEnabled = plan.at(6).phaseEnabled = lead;
    for (int k : {3, 4, 7, 8}) plan.at(k).phaseEnabled = false;
}

bool restoreLayoutForNewSignal(WindowState& state) {
    const ChartLayout& c = state.chart;
    bool calculated = c.deadPhase.visible || c.deadPhase2.visible;
    for (const Position& p : state.plan.positions) calculated |= !p.rowVisible || !p.phaseVisible;
    for (int k = 0; k < 8; ++k) calculated |= !c.green[k].visible || !c.yellow[k].visible || !c.red[k].visible;
    if (calculated) restoreDesignedLayout(state);
    return calculated;
}

}  // namespace tavimo
