// SPDX-License-Identifier: MIT
#include "model/new_signal.h"

#include <gtest/gtest.h>

#include "model/form_reset.h"

namespace tavimo {
namespace {

struct NewSignalCase {
    bool lead, nema, permissive;
    const char* controller;
    const char* controlText;
    const char* mode;
    const char* arrangement;
    int firstCoordinated;  // the other one is four positions later, in ring 2
    int leftTurnPicture1;  // picture of "NB" at position 1: 1 left turn, 2 through
};

TEST(NewSignal, WritesTheHeaderAndWaitsForTheCoordinatedPhases) {
    const NewSignalCase cases[] = {
        {true, true, true, "Nema", "NEMA", "Permissive", "Lead", 2, 1},
        {false, false, false, "one70", "170", "Yield", "Lag", 1, 2},
        {true, false, true, "one70", "170", "Permissive", "Lead", 2, 1},
        {false, true, false, "Nema", "NEMA", "Yield", "Lag", 1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.arrangement) + " " + c.controller + " " + c.mode);
        WindowState state = WindowState::fresh();
        NewSignalChoice choice{"Main and 1st", "100", c.lead, c.nema, c.permissive};
        applyNewSignal(state, choice);

        const SignalPlan& plan = state.plan;
        EXPECT_EQ(plan.description, "Main and 1st");
        EXPECT_EQ(plan.cycleLength, "100");
        EXPECT_EQ(plan.cycleCopy, "100");
        EXPECT_EQ(plan.controller, c.controller);
        EXPECT_EQ(plan.controlText, c.controlText);
        EXPECT_EQ(plan.mode, c.mode);
        EXPECT_EQ(plan.arrangement, c.arrangement);
        EXPECT_EQ(choice.focusPosition(), c.firstCoordinated);
        for (int k = 1; k <= kPositions; ++k) {
            const bool coordinated = k == c.firstCoordinated || k == c.firstCoordinated + 4;
            EXPECT_EQ(plan.at(k).phaseEnabled, coordinated) << "Phase" << k;
            EXPECT_EQ(plan.at(k).movementList, movementListFor(c.arrangement, k)) << k;
            EXPECT_EQ(plan.at(k).movementIndex, -1);
        }
        EXPECT_EQ(plan.at(1).movementList.front().picture, c.leftTurnPicture1);

        // Only Lag moves the permissive-window bars.
        const ChartLayout designed = ChartLayout::designed();
        EXPECT_EQ(state.chart.windows[PPend1].visible, c.lead);
        EXPECT_EQ(state.chart.windows[PPend2].visible, c.lead);
        EXPECT_EQ(state.chart.windows[PP1].left, c.lead ? designed.windows[PP1].left : 2760.f);
        EXPECT_EQ(state.chart.windows[PP4].left, c.lead ? designed.windows[PP4].left : 2760.f);
    }
}

TEST(NewSignal, KeepsTheCycleLengthAsTyped) {
    for (const char* typed : {" ", "90", "abc"}) {
        WindowState state = WindowState::fresh();
        applyNewSignal(state, NewSignalChoice{"", typed});
        EXPECT_EQ(state.plan.cycleLength, typed);
        EXPECT_EQ(state.plan.cycleCopy, typed);
    }
}

// A new signal started over a calculated one keeps the phase order, times, locks
// and results, but offers the coordinated pull-downs again.
TEST(NewSignal, OverAnOpenSignalReplacesOnlyTheHeaderListsAndPullDowns) {
    WindowState state = WindowState::fresh();
    state.plan.arrangement = "Lead";
    for (int k = 1; k <= kPositions; ++k) {
        Position& p = state.plan.at(k);
        p.phase = std::to_string(k);
        p.phaseVisible = false;  // hidden by the calculation
        p.phaseLocked = true;
        p.movementList = movementListFor("Lead", k);
        p.movementIndex = 2;
        p.movementEnabled = true;
        p.movementLocked = true;
        p.split = "25";
        p.timingEnabled = true;
        p.force = "20";
    }
    state.plan.projectFile = "/tmp/kept.tvm";
    const WindowState before = state;

    applyNewSignal(state, NewSignalChoice{"Elm", "120", false, true, true});

    EXPECT_EQ(state.plan.projectFile, "/tmp/kept.tvm");
    for (int k = 1; k <= kPositions; ++k) {
        const Position& p = state.plan.at(k);
        const Position& old = before.plan.at(k);
        EXPECT_EQ(p.phase, old.phase);
        EXPECT_TRUE(p.phaseVisible);
        EXPECT_EQ(p.phaseLocked, old.phaseLocked);
        EXPECT_EQ(p.movementEnabled, old.movementEnabled);
        EXPECT_EQ(p.movementLocked, old.movementLocked);
        EXPECT_EQ(p.split, old.split);
        EXPECT_EQ(p.timingEnabled, old.timingEnabled);
        EXPECT_EQ(p.force, old.force);
        EXPECT_EQ(p.movementList, movementListFor("Lag", k));
        EXPECT_EQ(p.movementIndex, -1);
    }
    EXPECT_EQ(state.chart.pictureVisible, before.chart.pictureVisible);
}

// A calculation hides the row and the bars of a position without a phase and moves
// the columns after it; only the form reset shows them again. A new signal started
// over such a window must offer every position: the rows and the chart come back as
// designed, while texts, results and the pictures' visibility stay.
TEST(NewSignal, OverACalculatedWindowBringsBackEveryPositionAndTheDesignedChart) {
    for (const bool lead : {true, false}) {
        SCOPED_TRACE(lead ? "Lead" : "Lag");
        WindowState state = WindowState::fresh();
        state.plan.arrangement = "Lead";
        state.plan.mode = "Yield";
        for (int k = 1; k <= kPositions; ++k) {
            Position& p = state.plan.at(k);
            p.phase = k == 3 ? "" : std::to_string(k);
            p.phaseVisible = false;
            p.rowVisible = k != 3;
            p.force = "20";
            state.chart.green[k - 1].width = 900;
        }
        state.chart.green[2].visible = state.chart.yellow[2].visible = state.chart.red[2].visible = false;
        state.chart.columnLeft[3] = 4200;  // column 4 moved into the empty column 3
        state.chart.pictureLeft[3] = state.chart.pictureLeft[11] = 4260;
        state.chart.pictureVisible[3] = state.chart.pictureVisible[11] = true;
        state.chart.deadPhase.visible = true;
        const WindowState before = state;

        applyNewSignal(state, NewSignalChoice{"Elm", "120", lead, true, true});

        WindowState reset = before;
        reset.plan.mode = "Permissive";
        reset.plan.arrangement = lead ? "Lead" : "Lag";
        resetForm(reset);
        if (!lead) applyLagWindowLayout(reset.chart);
        const ChartLayout& c = state.chart;
        for (int k = 1; k <= kPositions; ++k) {
            EXPECT_TRUE(state.plan.at(k).rowVisible) << k;
            EXPECT_TRUE(state.plan.at(k).phaseVisible) << k;
            EXPECT_EQ(state.plan.at(k).phase, before.plan.at(k).phase);
            EXPECT_EQ(state.plan.at(k).force, "20");
            EXPECT_EQ(c.green[k - 1], reset.chart.green[k - 1]) << k;
            EXPECT_EQ(c.red[k - 1], reset.chart.red[k - 1]) << k;
            EXPECT_EQ(c.phaseLeft[k - 1], reset.chart.phaseLeft[k - 1]);
        }
        EXPECT_EQ(c.columnLeft, layout::kColumnLeft);
        EXPECT_EQ(c.windows, reset.chart.windows);
        EXPECT_EQ(c.barrier3, reset.chart.barrier3);
        EXPECT_FALSE(c.deadPhase.visible);
        // Phase 4's pictures stand above its own column again, shown as before.
        EXPECT_EQ(c.pictureLeft[3], layout::kPictureLeft[3]);
        EXPECT_EQ(c.pictureLeft[11], layout::kPictureLeft[3]);
        EXPECT_EQ(c.pictureVisible, before.chart.pictureVisible);
    }
}

}  // namespace
}  // namespace tavimo
