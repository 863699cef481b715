// SPDX-License-Identifier: MIT
// Signals for the timing window tests, built as the window would hold them after the
// user entered them by hand.
#pragma once

#include <string>

#include "model/phase_order.h"
#include "model/window_state.h"

namespace tavimo::ui::test {

struct Row {
    const char* phase;
    const char* movement;
    const char* split;
    const char* green;
    const char* amber;
    const char* red;
};

inline WindowState signalOf(const char* arrangement, const char* controller, const char* mode,
                            const char* cycle, const Row (&rows)[8]) {
    WindowState s = WindowState::fresh();
    SignalPlan& p = s.plan;
    p.description = "Main St & 1st Ave";
    p.arrangement = arrangement;
    p.controller = controller;
    p.controlText = std::string(controller) == tag::kNema ? "NEMA" : "170";
    p.mode = mode;
    p.setCycleLength(cycle);
    for (int k = 1; k <= 8; ++k) {
        Position& pos = p.at(k);
        const Row& r = rows[k - 1];
        pos.phase = r.phase;
        pos.phaseEnabled = true;
        pos.movementList = movementListFor(arrangement, k);
        pos.movementIndex = directionIndex(r.movement);
        pos.movementEnabled = true;
        pos.timingEnabled = pos.movementIndex >= 0;
        pos.split = r.split;
        pos.green = r.green;
        pos.amber = r.amber;
        pos.red = r.red;
    }
    // The lists and pictures as leaving each pull-down leaves them.
    for (int k = 1; k <= 8; ++k) phaseFocusLost(s, k);
    if (std::string(arrangement) == tag::kLag) applyLagWindowLayout(s.chart);
    return s;
}

// Dual Lead: left turns 1, 3, 5, 7 lead the through phases 2, 4, 6, 8.
inline WindowState leadSignal(const char* controller = tag::kNema, const char* mode = tag::kPermissive) {
    const Row rows[8] = {
        {"1", "NB", "15", "5", "3", "1"}, {"2", "SB", "35", "20", "4", "1"},
        {"3", "EB", "20", "5", "3", "1"}, {"4", "WB", "30", "15", "4", "1"},
        {"5", "SB", "10", "5", "3", "1"}, {"6", "NB", "40", "20", "4", "1"},
        {"7", "WB", "15", "5", "3", "1"}, {"8", "EB", "35", "15", "4", "1"},
    };
    return signalOf(tag::kLead, controller, mode, "100", rows);
}

// Dual Lag: the coordinated phases 2 and 6 start the cycle, the left turns follow.
inline WindowState lagSignal(const char* controller = tag::kNema, const char* mode = tag::kPermissive) {
    const Row rows[8] = {
        {"2", "NB", "40", "20", "4", "1"}, {"1", "SB", "15", "5", "3", "1"},
        {"4", "EB", "30", "15", "4", "1"}, {"3", "WB", "15", "5", "3", "1"},
        {"6", "SB", "35", "20", "4", "1"}, {"5", "NB", "20", "5", "3", "1"},
        {"8", "WB", "25", "15", "4", "1"}, {"7", "EB", "20", "5", "3", "1"},
    };
    return signalOf(tag::kLag, controller, mode, "100", rows);
}

}  // namespace tavimo::ui::test
