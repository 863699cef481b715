// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "calc/calc_values.h"
#include "model/signal_plan.h"

namespace tavimo {

// One time as a controller takes it: whole seconds.
struct WorksheetTime {
    std::string exact;    // the time as the window shows it; empty where it shows none
    std::string whole;    // rounded to a whole second, an exact half to the even one
    bool marked = false;  // a half second was rounded away: the controller may round it otherwise
};

// A time of the results as the window shows it and as a controller takes it.
WorksheetTime worksheetTime(const std::optional<float>& time);

struct WorksheetRow {
    int phase = 0;
    std::string movement;
    // The timing inputs the results come from, as the window shows them.
    std::string split, minGreen, amber, allRed, walk, flashDontWalk;
    WorksheetTime forceOff, permissiveStart, permissiveEnd;
};

// The controller worksheet: one row per phase in phase-number order (a controller is
// programmed by phase, not by the place a phase has in the ring-barrier diagram).
struct Worksheet {
    std::string controller;  // "NEMA TS2" or "Type 170": the reference of every time
    std::vector<WorksheetRow> rows;
    bool anyMarked() const;
};

// The worksheet of a calculated signal from the numbers of its run. Positions without
// a phase number are left out.
Worksheet controllerWorksheet(const SignalPlan& plan, const CalcValues& values);

// One line of what a chart, a report or a printout is about: description, cycle
// length, controller and mode, e.g. "Main and 1st - Cycle 100 s - NEMA TS2 - Permissive".
std::string signalTitle(const SignalPlan& plan);

}  // namespace tavimo
