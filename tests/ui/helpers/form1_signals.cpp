// SPDX-License-Identifier: MIT
#include "test_form1_signals.h"

#include <variant>

#include "io/project_read.h"
#include "io/signal_arrival.h"

namespace tavimo::ui::test {

WindowState signalOf(const char* arrangement, const char* controller, const char* mode,
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

WindowState leadSignal(const char* controller, const char* mode) {
    const Row rows[8] = {
        {"1", "NB", "15", "5", "3", "1"}, {"2", "SB", "35", "20", "4", "1"},
        {"3", "EB", "20", "5", "3", "1"}, {"4", "WB", "30", "15", "4", "1"},
        {"5", "SB", "10", "5", "3", "1"}, {"6", "NB", "40", "20", "4", "1"},
        {"7", "WB", "15", "5", "3", "1"}, {"8", "EB", "35", "15", "4", "1"},
    };
    return signalOf(tag::kLead, controller, mode, "100", rows);
}

WindowState lagSignal(const char* controller, const char* mode) {
    const Row rows[8] = {
        {"2", "NB", "40", "20", "4", "1"}, {"1", "SB", "15", "5", "3", "1"},
        {"4", "EB", "30", "15", "4", "1"}, {"3", "WB", "15", "5", "3", "1"},
        {"6", "SB", "35", "20", "4", "1"}, {"5", "NB", "20", "5", "3", "1"},
        {"8", "WB", "25", "15", "4", "1"}, {"7", "EB", "20", "5", "3", "1"},
    };
    return signalOf(tag::kLag, controller, mode, "100", rows);
}

WindowState fileSignal(const std::string& path) {
    const auto values = readProjectFile(path);
    if (!std::holds_alternative<ProjectValues>(values)) return {};
    const auto opened = openedSignal(std::get<ProjectValues>(values), path);
    return std::holds_alternative<WindowState>(opened) ? std::get<WindowState>(opened) : WindowState{};
}

}  // namespace tavimo::ui::test
