// SPDX-License-Identifier: MIT
#include "model/form_reset.h"

#include "model/movement_pools.h"

namespace tavimo {

namespace {

// Lays out one position's bars from `left` (green, yellow, red chained) and returns
// where the next position's green bar starts: the end of this red bar.
float placeRow(ChartLayout& c, int index, float left) {
    c.green[index].left = left;
    c.green[index].width = layout::kResetGreenWidth;
    c.yellow[index].left = c.green[index].left + layout::kResetGreenWidth;
    c.yellow[index].width = layout::kResetYellowWidth;
    c.red[index].left = c.yellow[index].left + layout::kResetYellowWidth;
    c.red[index].width = layout::kResetRedWidth;
    for (Box* b : {&c.green[index], &c.yellow[index], &c.red[index]}) b->height = layout::kBarHeight;
    return c.red[index].left + layout::kResetRedWidth;
}

struct HeightTop {
    float height, top;
};

}  // namespace

void restoreDesignedLayout(WindowState& state) {
    SignalPlan& plan = state.plan;
    ChartLayout& c = state.chart;

    for (Position& p : plan.positions) p.rowVisible = true;
    c.deadPhase.visible = false;
    c.deadPhase2.visible = false;
    c.columnLeft = layout::kColumnLeft;

    for (int w = PP1; w <= PP6; ++w) c.windows[w].width = layout::kResetWindowWidth;
    if (plan.mode == tag::kYield) {
        // The Yield stack of the leading arrangement, whatever the arrangement.
        constexpr HeightTop stack[kWindowBars] = {{300, 420},  {500, 240},  {400, 330}, {300, 1350},
                                                  {500, 1170}, {400, 1260}, {300, 420}, {300, 1350}};
        for (int w = 0; w < kWindowBars; ++w) {
            c.windows[w].height = stack[w].height;
            c.windows[w].top = stack[w].top;
        }
    }
    if (plan.arrangement == tag::kLead) {
        for (int w : {PPend1, PPend2}) {
            c.windows[w].width = layout::kResetRingEndWidth;
            c.windows[w].visible = true;
        }
    }
    for (int w = PP1; w <= PP6; ++w) c.windows[w].visible = true;

    // Ring 1 first: the end of its second position fixes the middle barrier, where
    // the side street starts in both rings.
    const float middle = placeRow(c, 1, placeRow(c, 0, layout::kChartLeft));
    c.barrier3.x = middle;
    placeRow(c, 3, placeRow(c, 2, middle));
    placeRow(c, 5, placeRow(c, 4, layout::kChartLeft));
    c.barrier2.x = placeRow(c, 7, placeRow(c, 6, middle));

    for (int k = 0; k < 8; ++k) c.phaseLeft[k] = c.green[k].left;
    constexpr int windowPosition[6] = {1, 3, 4, 5, 7, 8};
    for (int w = PP1; w <= PP6; ++w) c.windows[w].left = c.green[windowPosition[w] - 1].left;
    c.windows[PPend1].left = c.yellow[3].left;
    c.windows[PPend2].left = c.yellow[7].left;

    for (Position& p : plan.positions) p.phaseVisible = true;
    for (int k = 0; k < 8; ++k) c.green[k].visible = c.yellow[k].visible = c.red[k].visible = true;
}

void resetForm(WindowState& state) {
    SignalPlan& plan = state.plan;

    plan.projectFile.clear();
    for (Position& p : plan.positions) {
        p.phaseLocked = false;
        p.movementLocked = false;
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
