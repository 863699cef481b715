// SPDX-License-Identifier: MIT
#include "model/form_reset.h"

#include <gtest/gtest.h>

#include "model/phase_order.h"

namespace tavimo {
namespace {

// A window as a calculation and an opened file leave it: bars to scale, columns moved,
// pull-downs hidden and locked, pictures shown, a dark bar, rows hidden.
WindowState usedWindow(const char* arrangement, const char* mode) {
    WindowState s = WindowState::fresh();
    SignalPlan& p = s.plan;
    p.arrangement = arrangement;
    p.mode = mode;
    p.description = "Main & 1st";
    p.setCycleLength("100");
    p.controller = tag::kType170;
    p.projectFile = "/tmp/main.tvm";
    for (int k = 1; k <= 8; ++k) {
        Position& pos = p.at(k);
        pos.phase = std::to_string(k);
        pos.phaseLocked = pos.movementLocked = true;
        pos.phaseEnabled = pos.movementEnabled = pos.timingEnabled = true;
        pos.phaseVisible = false;
        pos.rowVisible = k != 3;
        pos.split = "25";
        pos.amber = "4";
        pos.force = "21";
        pos.movementList = {{"WB", 3}};
        pos.movementIndex = 0;
        pos.phaseList.fill("");
    }
    ChartLayout& c = s.chart;
    for (int k = 0; k < 8; ++k) {
        c.green[k] = Box{100.f * k, 720, 1933.3f, 375, k != 2};
        c.yellow[k] = Box{100.f * k + 50, 720, 394.6f, 375, k != 2};
        c.red[k] = Box{100.f * k + 60, 720, 106.2f, 375, k != 2};
    }
    c.deadPhase.visible = c.deadPhase2.visible = true;
    c.columnLeft[3] = 4200;
    c.pictureVisible.fill(true);
    for (Box& w : c.windows) w = Box{1234, 99, 777, 55, false};
    c.barrier3.x = 4000;
    c.barrier2.x = 9000;
    return s;
}

TEST(FormReset, LaysTheChartOutAsDesigned) {
    WindowState s = usedWindow(tag::kLead, tag::kPermissive);
    resetForm(s);
    const ChartLayout& c = s.chart;
    const float green[4] = {345, 2790, 5235, 7680}, yellow[4] = {2400, 4845, 7290, 9735},
                red[4] = {2655, 5100, 7545, 9990};
    for (int ring = 0; ring < 2; ++ring) {
        for (int i = 0; i < 4; ++i) {
            const int k = ring * 4 + i;
            EXPECT_EQ(c.green[k].left, green[i]) << k;
            EXPECT_EQ(c.yellow[k].left, yellow[i]) << k;
            EXPECT_EQ(c.red[k].left, red[i]) << k;
            EXPECT_EQ(c.green[k].width, 2055);
            EXPECT_EQ(c.yellow[k].width, 255);
            EXPECT_EQ(c.red[k].width, 135);
            EXPECT_EQ(c.red[k].height, 375);
            EXPECT_TRUE(c.green[k].visible && c.yellow[k].visible && c.red[k].visible) << k;
            EXPECT_EQ(c.phaseLeft[k], green[i]);
        }
    }
    EXPECT_EQ(c.barrier3.x, 5235);
    EXPECT_EQ(c.barrier2.x, 10125);
    EXPECT_EQ(c.columnLeft, layout::kColumnLeft);
    EXPECT_FALSE(c.deadPhase.visible);
    EXPECT_FALSE(c.deadPhase2.visible);

    const float windowLeft[kWindowBars] = {345, 5235, 7680, 345, 5235, 7680, 9735, 9735};
    for (int w = 0; w < kWindowBars; ++w) {
        EXPECT_EQ(c.windows[w].left, windowLeft[w]) << w;
        EXPECT_EQ(c.windows[w].width, w < PPend1 ? 1200 : 390) << w;
        EXPECT_TRUE(c.windows[w].visible) << w;
        // Permissive: heights and tops stay as they were.
        EXPECT_EQ(c.windows[w].height, 55) << w;
        EXPECT_EQ(c.windows[w].top, 99) << w;
    }
    for (bool shown : c.pictureVisible) EXPECT_FALSE(shown);
}

TEST(FormReset, YieldStacksTheWindowsAndLagKeepsTheRingEnds) {
    WindowState s = usedWindow(tag::kLag, tag::kYield);
    resetForm(s);
    const float height[kWindowBars] = {300, 500, 400, 300, 500, 400, 300, 300};
    const float top[kWindowBars] = {420, 240, 330, 1350, 1170, 1260, 420, 1350};
    for (int w = 0; w < kWindowBars; ++w) {
        EXPECT_EQ(s.chart.windows[w].height, height[w]) << w;
        EXPECT_EQ(s.chart.windows[w].top, top[w]) << w;
    }
    for (int w : {PPend1, PPend2}) {
        EXPECT_EQ(s.chart.windows[w].width, 777);
        EXPECT_FALSE(s.chart.windows[w].visible);
        EXPECT_EQ(s.chart.windows[w].left, 9735);
    }
    EXPECT_TRUE(s.chart.windows[PP1].visible);
}

TEST(FormReset, KeepsTheHeaderAndTimesAndStartsThePhaseOrderAgain) {
    for (const char* arrangement : {tag::kLead, tag::kLag}) {
        WindowState s = usedWindow(arrangement, tag::kPermissive);
        resetForm(s);
        const SignalPlan& p = s.plan;
        EXPECT_EQ(p.projectFile, "");
        EXPECT_EQ(p.description, "Main & 1st");
        EXPECT_EQ(p.cycleLength, "100");
        EXPECT_EQ(p.cycleCopy, "100");
        EXPECT_EQ(p.controller, tag::kType170);
        EXPECT_EQ(p.arrangement, arrangement);
        const int coordinated = coordinatedFocusPosition(arrangement);
        for (int k = 1; k <= 8; ++k) {
            const Position& pos = p.at(k);
            EXPECT_EQ(pos.phase, "");
            EXPECT_EQ(pos.phaseList, (std::array<std::string, 8>{"1", "2", "3", "4", "5", "6", "7", "8"}));
            EXPECT_EQ(pos.phaseEnabled, k == coordinated || k == coordinated + 4) << arrangement << k;
            EXPECT_TRUE(pos.phaseVisible);
            EXPECT_FALSE(pos.phaseLocked || pos.movementLocked);
            EXPECT_FALSE(pos.movementEnabled || pos.timingEnabled);
            EXPECT_TRUE(pos.rowVisible);
            EXPECT_EQ(pos.movementList, movementListFor(arrangement, k));
            EXPECT_EQ(pos.movement(), "");
            EXPECT_EQ(pos.split, "25");
            EXPECT_EQ(pos.amber, "4");
            EXPECT_EQ(pos.force, "21");
        }
    }
}

}  // namespace
}  // namespace tavimo
