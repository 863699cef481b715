// SPDX-License-Identifier: MIT
#include "model/form_reset.h"

#include <gtest/gtest.h>

#include "model/phase_order.h"

namespace tavimo {
namespace {

// A window as an opened file and a calculation leave it: locked, pull-downs hidden,
// bars to scale, a column moved, a row hidden, pictures and a dark bar shown.
WindowState usedWindow(const char* arrangement, const char* mode) {
    WindowState s = WindowState::fresh();
    SignalPlan& p = s.plan;
    p.arrangement = arrangement;
    p.mode = mode;
    p.setCycleLength("100");
    p.projectFile = "/tmp/main.tvm";
    for (int k = 1; k <= 8; ++k) {
        Position& pos = p.at(k);
        pos.phase = std::to_string(k);
        pos.phaseLocked = pos.movementLocked = pos.phaseEnabled = pos.movementEnabled = pos.timingEnabled = true;
        pos.phaseVisible = false;
        pos.rowVisible = k != 3;
        pos.split = "25";
        pos.force = "21";
        pos.movementList = {{"WB", 3}};
        pos.movementIndex = 0;
        pos.phaseList.fill("");
        s.chart.green[k - 1] = s.chart.yellow[k - 1] = s.chart.red[k - 1] = Box{100.f * k, 720, 394.6f, 50, k != 2};
    }
    s.chart.deadPhase.visible = s.chart.deadPhase2.visible = true;
    s.chart.columnLeft[3] = 4200;
    s.chart.pictureVisible.fill(true);
    s.chart.windows.fill(Box{1234, 99, 777, 55, false});
    return s;
}

TEST(FormReset, LaysTheChartOutAsDesignedForModeAndArrangement) {
    for (const char* arrangement : {tag::kLead, tag::kLag})
        for (const char* mode : {tag::kPermissive, tag::kYield}) {
            SCOPED_TRACE(std::string(arrangement) + " " + mode);
            WindowState s = usedWindow(arrangement, mode);
            resetForm(s);
            const ChartLayout& c = s.chart;
            const float green[4] = {345, 2790, 5235, 7680}, yellow[4] = {2400, 4845, 7290, 9735};
            for (int k = 0; k < 8; ++k) {
                EXPECT_EQ(c.green[k], (Box{green[k % 4], 720, 2055, 375, true})) << k;
                EXPECT_EQ(c.yellow[k], (Box{yellow[k % 4], 720, 255, 375, true})) << k;
                EXPECT_EQ(c.red[k], (Box{yellow[k % 4] + 255, 720, 135, 375, true})) << k;
                EXPECT_EQ(c.phaseLeft[k], green[k % 4]);
            }
            EXPECT_EQ(c.barrier3.x, 5235);
            EXPECT_EQ(c.barrier2.x, 10125);
            EXPECT_EQ(c.columnLeft, layout::kColumnLeft);
            EXPECT_FALSE(c.deadPhase.visible || c.deadPhase2.visible);
            for (bool shown : c.pictureVisible) EXPECT_FALSE(shown);

            const bool lead = arrangement == std::string(tag::kLead);
            const bool yield = mode == std::string(tag::kYield);
            const float left[kWindowBars] = {345, 5235, 7680, 345, 5235, 7680, 9735, 9735};
            const float height[kWindowBars] = {300, 500, 400, 300, 500, 400, 300, 300};
            const float top[kWindowBars] = {420, 240, 330, 1350, 1170, 1260, 420, 1350};
            for (int w = 0; w < kWindowBars; ++w) {
                const bool ringEnd = w >= PPend1;
                const Box expected{left[w], yield ? top[w] : 99, ringEnd && !lead ? 777.f : ringEnd ? 390.f : 1200.f,
                                   yield ? height[w] : 55, !ringEnd || lead};
                EXPECT_EQ(c.windows[w], expected) << w;
            }
        }
}

TEST(FormReset, KeepsTheHeaderAndTimesAndStartsThePhaseOrderAgain) {
    for (const char* arrangement : {tag::kLead, tag::kLag}) {
        WindowState s = usedWindow(arrangement, tag::kPermissive);
        resetForm(s);
        const SignalPlan& p = s.plan;
        EXPECT_EQ(p.projectFile, "");
        EXPECT_EQ(p.cycleCopy, "100");
        EXPECT_EQ(p.arrangement, arrangement);
        const int coordinated = coordinatedFocusPosition(arrangement);
        for (int k = 1; k <= 8; ++k) {
            const Position& pos = p.at(k);
            EXPECT_EQ(pos.phase, "");
            EXPECT_EQ(pos.phaseList, WindowState::fresh().plan.at(k).phaseList);
            EXPECT_EQ(pos.phaseEnabled, k == coordinated || k == coordinated + 4) << arrangement << k;
            EXPECT_TRUE(pos.phaseVisible && pos.rowVisible);
            EXPECT_FALSE(pos.phaseLocked || pos.movementLocked || pos.movementEnabled || pos.timingEnabled);
            EXPECT_EQ(pos.movementList, movementListFor(arrangement, k));
            EXPECT_EQ(pos.movement(), "");
            EXPECT_EQ(pos.split, "25");
            EXPECT_EQ(pos.force, "21");
        }
    }
}

}  // namespace
}  // namespace tavimo
