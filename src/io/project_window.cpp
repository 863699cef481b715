// SPDX-License-Identifier: MIT
// Between the timing window and a project file's values: what Save and Save As
// take from the window, and how Open fills it.
#include "io/project_file.h"
#include "model/form_reset.h"
#include "model/phase_order.h"

#include "window_fill.h"

namespace tavimo {

ProjectValues projectValuesOf(const SignalPlan& plan, bool saveAs) {
    ProjectValues v;
    for (int k = 1; k <= kPositions; ++k) {
        const Position& p = plan.at(k);
        const int i = k - 1;
        // Save As takes the selected entry only from a pull-down that is shown: a
        // calculation hides the row of a position without a phase.
        v.movements[i] = saveAs && !p.rowVisible ? std::string() : p.movement();
        v.splits[i] = p.split;
        v.minGreens[i] = p.green;
        v.ambers[i] = p.amber;
        v.reds[i] = p.red;
        v.order[i] = p.phase;
    }
    v.cycleLength = saveAs ? plan.cycleLength : plan.cycleCopy;
    v.arrangement = plan.arrangement;
    v.controller = plan.controller;
    v.mode = plan.mode;
    v.description = plan.description;
    return v;
}

void openProjectInto(WindowState& state, const ProjectValues& values, const std::string& path) {
    SignalPlan& plan = state.plan;

    // An earlier signal may have reduced the phase-order lists; the opened phases
    // must be offered wherever the file puts them.
    for (Position& p : plan.positions) p.phaseList = Position{}.phaseList;

    const auto lists = [&](int k) { return movementListFor(values.arrangement, k); };
    if (!lists(1).empty()) {
        for (int k = 1; k <= kPositions; ++k) {
            plan.at(k).movementList = lists(k);
            plan.at(k).movementIndex = -1;
        }
    }

    // The header is written after the positions, so the pull-downs' reaction sees
    // the arrangement the window held before the open.
    for (int k = 1; k <= kPositions; ++k) {
        const int i = k - 1;
        if (values.splits[i].empty()) continue;
        Position& p = plan.at(k);
        p.split = values.splits[i];
        p.green = values.minGreens[i];
        p.amber = values.ambers[i];
        p.red = values.reds[i];
        p.phase = values.order[i];
        phaseChosen(state, k);
    }

    plan.setController(values.controller, SignalPlan::NemaShown::AsFiled);
    plan.setCycleLength(values.cycleLength);
    plan.arrangement = values.arrangement;
    plan.mode = values.mode;
    plan.projectFile = path;
    plan.description = values.description;

    for (int k = 1; k <= kPositions; ++k) {
        Position& p = plan.at(k);
        const int entry = directionIndex(values.movements[k - 1]);
        if (entry >= 0 && entry < static_cast<int>(p.movementList.size())) {
            p.movementIndex = entry;
            p.timingEnabled = true;  // choosing a movement opens the position's times
        }
        p.movementLocked = true;
    }

    restoreLayoutForNewSignal(state);
    placePhasePictures(state);
    if (plan.arrangement == tag::kLag) applyLagWindowLayout(state.chart);
}

}  // namespace tavimo
