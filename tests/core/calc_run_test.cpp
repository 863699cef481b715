// SPDX-License-Identifier: MIT
// Where a run of "Calculate" stops, what it says, and what it leaves in the window.
#include <gtest/gtest.h>

#include <functional>

#include "calc/calculation.h"
#include "calc/window_calculation.h"
#include "model/window_state.h"
#include "support/typed_plan.h"

namespace tavimo {
namespace {

// Lead, both rings 15/45/20/20 with 4 + 1 clearances: a plan that completes. Every
// result field holds the text of an earlier run.
CalcInput completePlan() {
    CalcInput in = test::calcInput({});
    for (int k = 0; k < 8; ++k) in.force[k] = in.pps[k] = in.ppe[k] = "old";
    return in;
}

bool sameBoxes(const std::array<Box, 8>& a, const std::array<Box, 8>& b) { return a == b; }

bool sameChart(const ChartLayout& a, const ChartLayout& b) {
    return sameBoxes(a.green, b.green) && sameBoxes(a.yellow, b.yellow) && sameBoxes(a.red, b.red) &&
           a.greenText == b.greenText && a.barrier2 == b.barrier2 && a.barrier3 == b.barrier3 &&
           a.deadPhase == b.deadPhase && a.deadPhase2 == b.deadPhase2 && a.local1 == b.local1 &&
           a.windows == b.windows && a.windowText == b.windowText && a.columnLeft == b.columnLeft &&
           a.pictureLeft == b.pictureLeft && a.windowTextRightAligned == b.windowTextRightAligned;
}

struct StopCase {
    const char* name;
    std::function<void(CalcInput&)> change;
    CalcStop stop;
    const char* text;  // nullptr: silent
    const char* title;
    bool ring1Drawn;
};

TEST(CalcRun, StopsAndTheirMessages) {
    const char* phaseTitle = "Incorrect Phase Data";
    const char* phaseError = "Phase Error! Please re-enter phase data.";
    const char* cycleError = "Please specify correct cycle length!";
    const StopCase cases[] = {
        {"phase with a blank split in an enabled field", [](CalcInput& in) { in.split[2] = ""; },
         CalcStop::PhaseError, phaseError, phaseTitle, false},
        {"split typed in a field no movement enabled", [](CalcInput& in) { in.splitEnabled[3] = false; },
         CalcStop::PhaseError, phaseError, phaseTitle, false},
        {"position emptied while its fields stay enabled", [](CalcInput& in) { in.phase[6] = ""; },
         CalcStop::PhaseError, phaseError, phaseTitle, false},
        {"both rings total 0",
         [](CalcInput& in) {
             for (auto& s : in.split) s = "0";
         },
         CalcStop::ZeroRingCycle, nullptr, "", false},
        {"cycle 90 for a 100 s ring", [](CalcInput& in) { in.cycleLength = "90"; }, CalcStop::CycleMismatch,
         cycleError, "", true},
        {"cycle 100 for rings of 100 and 110",
         [](CalcInput& in) { in.split[7] = "30"; }, CalcStop::CycleMismatch, cycleError, "", true},
        {"cycle typed with a letter", [](CalcInput& in) { in.cycleLength = "1O0"; }, CalcStop::CycleMismatch,
         cycleError, "", true},
        {"cycle blank", [](CalcInput& in) { in.cycleLength = ""; }, CalcStop::CycleMismatch, cycleError, "",
         true},
        {"split text with a decimal comma", [](CalcInput& in) { in.split[3] = "2,5"; }, CalcStop::BadNumber,
         "Split Time at position 4 is not a number!", phaseTitle, false},
        {"blank min green beside a split",
         [](CalcInput& in) {
             in.green[1] = "";
             in.split[2] = "x";
         },
         CalcStop::BadNumber, "Min Green at position 2 is not a number!", phaseTitle, false},
        {"split checked before amber at one position",
         [](CalcInput& in) {
             in.amber[6] = "a";
             in.split[6] = "s";
         },
         CalcStop::BadNumber, "Split Time at position 7 is not a number!", phaseTitle, false},
        {"amber", [](CalcInput& in) { in.amber[6] = "4s"; }, CalcStop::BadNumber,
         "Amber Time at position 7 is not a number!", phaseTitle, false},
        {"all-red blank", [](CalcInput& in) { in.red[0] = " "; }, CalcStop::BadNumber,
         "All Red Time at position 1 is not a number!", phaseTitle, false},
        // Each of 3e38 s is a float, their sum is not: no infinite force-off is written.
        {"amber and all-red near the float limit",
         [](CalcInput& in) { in.amber[2] = in.red[2] = std::string(39, '3'); }, CalcStop::BadNumber,
         "Amber Time at position 3 is out of range!", phaseTitle, false},
        {"minimum green of minus 100000 s", [](CalcInput& in) { in.green[4] = "-100000"; }, CalcStop::BadNumber,
         "Min Green at position 5 is out of range!", phaseTitle, false},
        {"cycle of 100000 s", [](CalcInput& in) { in.cycleLength = "100000"; }, CalcStop::BadNumber,
         "Cycle Length is out of range!", phaseTitle, false},
        {"cycle just in range, wrong for the rings", [](CalcInput& in) { in.cycleLength = "99999.99"; },
         CalcStop::CycleMismatch, cycleError, "", true},
    };
    for (const StopCase& c : cases) {
        SCOPED_TRACE(c.name);
        CalcInput in = completePlan();
        c.change(in);
        const CalcOutcome out = calculate(in);
        EXPECT_EQ(out.stop, c.stop);
        ASSERT_EQ(out.message.has_value(), c.text != nullptr);
        if (c.text) {
            EXPECT_EQ(out.message->text, c.text);
            EXPECT_EQ(out.message->title, c.title);
        }
        EXPECT_EQ(out.focusCycleLength, c.stop == CalcStop::CycleMismatch);
        EXPECT_FALSE(out.hidePhasePulldowns);
        // Ring 1's bars are redrawn before the cycle check; ring 2's only after it.
        EXPECT_EQ(out.chart.green[1] == in.chart.green[1], !c.ring1Drawn);
        EXPECT_TRUE(sameBoxes(out.chart.green, in.chart.green) || c.ring1Drawn);
        EXPECT_EQ(out.chart.green[5], in.chart.green[5]);
        for (int k = 0; k < 8; ++k) {
            const bool blank = in.phase[k].empty() && c.stop != CalcStop::BadNumber;
            EXPECT_EQ(out.rowBlanked[k], blank) << "row " << k + 1;
            EXPECT_EQ(out.force[k], blank ? "" : "old");
            EXPECT_EQ(out.pps[k], blank ? "" : "old");
            EXPECT_EQ(out.ppe[k], blank ? "" : "old");
        }
        if (c.stop == CalcStop::BadNumber) {
            EXPECT_TRUE(sameChart(out.chart, in.chart));
        }
    }
}

TEST(CalcRun, UnequalRingsRunOnTheLongerOne) {
    CalcInput in = completePlan();
    in.split[7] = "10";  // ring 2: 90
    EXPECT_EQ(calculate(in).stop, CalcStop::Completed);
    in.cycleLength = "90";
    EXPECT_EQ(calculate(in).stop, CalcStop::CycleMismatch);
}

TEST(CalcRun, CycleCheckForgivesTheRoundingOfDecimalSplits) {
    // 39.9 + 25.9 + 40.9 in single precision misses 106.7 by a few millionths.
    CalcInput in = completePlan();
    for (int k : {0, 4}) {
        in.phase[k] = in.split[k] = "";
        in.splitEnabled[k] = false;
    }
    for (int k : {1, 5}) in.split[k] = "39.9";
    for (int k : {2, 6}) in.split[k] = "25.9";
    for (int k : {3, 7}) in.split[k] = "40.9";
    const std::pair<const char*, CalcStop> cases[] = {
        {"106.7", CalcStop::Completed},
        {"106.71", CalcStop::CycleMismatch},
        {"107", CalcStop::CycleMismatch},
    };
    for (const auto& [cycle, stop] : cases) {
        in.cycleLength = cycle;
        EXPECT_EQ(calculate(in).stop, stop) << cycle;
    }
}

TEST(CalcRun, RowWithoutSplitKeepsItsForceOff) {
    // Phase chosen but no movement yet: the row is not counted, its odd minimum green
    // is never read, and its force-off keeps the last run's text.
    CalcInput in = completePlan();
    in.split[2] = "";
    in.green[2] = "x";
    in.splitEnabled[2] = false;
    in.split[3] = "40";
    const CalcOutcome out = calculate(in);
    ASSERT_EQ(out.stop, CalcStop::Completed);
    EXPECT_EQ(out.force[2], "old");
    EXPECT_EQ(out.force[3], "80");
}

TEST(CalcRun, WindowStateRoundTrip) {
    WindowState state = WindowState::fresh();
    const CalcInput plan = completePlan();
    state.plan.arrangement = plan.arrangement;
    state.plan.controller = plan.controller;
    state.plan.mode = plan.mode;
    state.plan.setCycleLength("100");
    for (int k = 0; k < 8; ++k) {
        Position& p = state.plan.positions[k];
        p.phase = plan.phase[k];
        p.split = plan.split[k];
        p.green = plan.green[k];
        p.amber = plan.amber[k];
        p.red = plan.red[k];
        p.force = "old";
        p.timingEnabled = true;
    }
    // Position 8 without a phase and without a movement: blanked, nothing else stops.
    state.plan.at(8).phase = "";
    state.plan.at(8).timingEnabled = false;
    state.plan.at(8).walk = "7";

    const CalcInput in = snapshotOf(state);
    EXPECT_EQ(in.split[1], "45");
    EXPECT_FALSE(in.splitEnabled[7]);
    EXPECT_EQ(in.cycleLength, "100");

    WindowState stopped = state;
    stopped.plan.setCycleLength("99");
    applyOutcome(stopped, calculate(snapshotOf(stopped)));
    EXPECT_TRUE(stopped.plan.at(1).phaseVisible);
    EXPECT_EQ(stopped.plan.at(8).split, "");
    EXPECT_FALSE(stopped.plan.at(8).rowVisible);

    const CalcOutcome out = calculate(in);
    ASSERT_EQ(out.stop, CalcStop::Completed);
    applyOutcome(state, out);
    const Position& eight = state.plan.at(8);
    EXPECT_EQ(eight.split + eight.green + eight.amber + eight.red + eight.force + eight.pps + eight.ppe, "");
    EXPECT_FALSE(eight.rowVisible);
    EXPECT_EQ(eight.walk, "7");
    EXPECT_EQ(state.plan.at(3).force, "60");
    EXPECT_EQ(state.plan.at(1).ppe, "65");
    EXPECT_EQ(state.plan.at(2).pps, "");
    for (const Position& p : state.plan.positions) EXPECT_FALSE(p.phaseVisible);
    EXPECT_TRUE(state.plan.at(1).rowVisible);
    EXPECT_EQ(state.chart.greenText[0], "1");
}

}  // namespace
}  // namespace tavimo
