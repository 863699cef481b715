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
        s.chart.green[k - 1] = s.chart.yellow[k - 1] = s.chart.red[k - 1] = Box{100.f * static_cast<float>(k), 720, 394.6f, 50, k != 2};
    }
    s.chart.deadPhase.visible = s.chart.deadPhase2.visible = true;
    s.chart.columnLeft[3] = 4200;
    s.chart.pictureVisible.fill(true);
    s.chart.windows.fill(Box{1234, 99, 777, 55, false});
    return s;
}

// The permissive bars after a reset of a used window (whose bars were all at
// {1234, 99, 777, 55}, hidden): every window at its position's green bar, 1200 wide,
// the ring ends at the fourth yellow bar, 390 wide, only under Lead; Yield stacks the
// bars at three heights, the leading arrangement's stack under Lag too.
struct ResetWindows {
    const char* arrangement;
    const char* mode;
    std::array<Box, kWindowBars> windows;
};

const ResetWindows kResetWindows[] = {
    {tag::kLead, tag::kPermissive,
     {{{345, 99, 1200, 55, true}, {5235, 99, 1200, 55, true}, {7680, 99, 1200, 55, true},
       {345, 99, 1200, 55, true}, {5235, 99, 1200, 55, true}, {7680, 99, 1200, 55, true},
       {9735, 99, 390, 55, true}, {9735, 99, 390, 55, true}}}},
    {tag::kLead, tag::kYield,
     {{{345, 420, 1200, 300, true}, {5235, 240, 1200, 500, true}, {7680, 330, 1200, 400, true},
       {345, 1350, 1200, 300, true}, {5235, 1170, 1200, 500, true}, {7680, 1260, 1200, 400, true},
       {9735, 420, 390, 300, true}, {9735, 1350, 390, 300, true}}}},
    {tag::kLag, tag::kPermissive,
     {{{345, 99, 1200, 55, true}, {5235, 99, 1200, 55, true}, {7680, 99, 1200, 55, true},
       {345, 99, 1200, 55, true}, {5235, 99, 1200, 55, true}, {7680, 99, 1200, 55, true},
       {9735, 99, 777, 55, false}, {9735, 99, 777, 55, false}}}},
    {tag::kLag, tag::kYield,
     {{{345, 420, 1200, 300, true}, {5235, 240, 1200, 500, true}, {7680, 330, 1200, 400, true},
       {345, 1350, 1200, 300, true}, {5235, 1170, 1200, 500, true}, {7680, 1260, 1200, 400, true},
       {9735, 420, 777, 300, false}, {9735, 1350, 777, 300, false}}}},
};

TEST(FormReset, LaysTheChartOutAsDesignedForModeAndArrangement) {
    for (const ResetWindows& r : kResetWindows) {
        SCOPED_TRACE(std::string(r.arrangement) + " " + r.mode);
        WindowState s = usedWindow(r.arrangement, r.mode);
        resetForm(s);
        const ChartLayout& c = s.chart;
        // Each ring's bars chained from local zero: green 2055, yellow 255, red 135.
        const float green[4] = {345, 2790, 5235, 7680}, yellow[4] = {2400, 4845, 7290, 9735};
        for (int k = 0; k < 8; ++k) {
            EXPECT_EQ(c.green[k], (Box{green[k % 4], 720, 2055, 375, true})) << k;
            EXPECT_EQ(c.yellow[k], (Box{yellow[k % 4], 720, 255, 375, true})) << k;
            EXPECT_EQ(c.red[k], (Box{yellow[k % 4] + 255, 720, 135, 375, true})) << k;
            EXPECT_EQ(c.phaseLeft[k], green[k % 4]);
        }
        EXPECT_EQ(c.barrier3.x, 5235);
        EXPECT_EQ(c.barrier2.x, 10125);
        EXPECT_EQ(c.columnLeft, (std::array<float, 8>{2280, 3240, 4200, 5160, 6480, 7440, 8400, 9360}));
        EXPECT_FALSE(c.deadPhase.visible || c.deadPhase2.visible);
        for (bool shown : c.pictureVisible) EXPECT_FALSE(shown);
        for (int w = 0; w < kWindowBars; ++w) EXPECT_EQ(c.windows[w], r.windows[w]) << w;
    }
}

// A window as it opens draws its middle and right barriers 75 and 165 twips short of
// the bars' ends (a reset moves them there), and one line of permissive bars a ring.
TEST(FormReset, TheWindowAsItOpens) {
    const ChartLayout c = ChartLayout::designed();
    EXPECT_EQ(c.barrier1, (VLine{345, 370, 2010, true}));
    EXPECT_EQ(c.barrier3, (VLine{5160, 120, 2280, true}));
    EXPECT_EQ(c.barrier2, (VLine{9960, 360, 2010, true}));
    EXPECT_EQ(c.deadPhase, (Box{5160, 720, 4815, 375, false}));
    EXPECT_EQ(c.deadPhase2, (Box{5160, 1650, 4815, 375, false}));
    EXPECT_EQ(c.local1, (VLine{345, 130, 2310, true}));
    const float green[4] = {345, 2790, 5235, 7680};
    for (int k = 0; k < 8; ++k) {
        const float top = k < 4 ? 720 : 1650;
        EXPECT_EQ(c.green[k], (Box{green[k % 4], top, 2055, 375, true})) << k;
        EXPECT_EQ(c.red[k], (Box{green[k % 4] + 2310, top, 135, 375, true})) << k;
    }
    const std::array<Box, kWindowBars> windows{
        {{345, 420, 1200, 300, true}, {5235, 420, 1200, 300, true}, {7680, 420, 1200, 300, true},
         {345, 1350, 1200, 300, true}, {5235, 1350, 1200, 300, true}, {7680, 1350, 1200, 300, true},
         {9735, 420, 390, 300, true}, {9735, 1350, 390, 300, true}}};
    EXPECT_EQ(c.windows, windows);
    EXPECT_EQ(c.pictureLeft[3], 5220);
    EXPECT_EQ(c.pictureLeft[11], 5220);
}

TEST(FormReset, KeepsTheHeaderAndTimesAndStartsThePhaseOrderAgain) {
    for (const char* arrangement : {tag::kLead, tag::kLag}) {
        WindowState s = usedWindow(arrangement, tag::kPermissive);
        s.plan.offset = Offset{40, OffsetReference::Type170};
        s.plan.createdBy = "J. Ortiz";
        s.plan.coordinatedByFile = {6};
        resetForm(s);
        const SignalPlan& p = s.plan;
        EXPECT_EQ(p.projectFile, "");
        // The offset and creator belong to the header; the phases the file coordinated
        // may not be those chosen next.
        EXPECT_EQ(p.offset, (Offset{40, OffsetReference::Type170}));
        EXPECT_EQ(p.createdBy, "J. Ortiz");
        EXPECT_TRUE(p.coordinatedByFile.empty());
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
