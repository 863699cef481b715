// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>
#include <string>

#include "calc/calc_values.h"
#include "model/chart_layout.h"
#include "model/signal.h"

namespace tavimo {

// What "Calculate" reads from the timing window: a snapshot of its fields.
struct CalcInput {
    std::string description;                   // IntDes
    std::array<std::string, 8> phase;          // Phase1..Phase8 texts
    std::array<std::string, 8> split, green, amber, red;
    std::array<std::string, 8> walk, flash;    // read by the timing checks only
    std::array<std::string, 8> movement;       // the movement pull-downs' texts
    std::array<bool, 8> splitEnabled{};        // split(k).Enabled
    std::string cycleLength;                   // cycleLength text
    std::string controller;                    // tag of Calculate
    std::string mode;                          // tag of Phase1
    std::string arrangement;                   // tag of Phase5
    std::string createdBy;                     // carried to the typed signal, never calculated
    std::optional<Offset> offset;
    std::array<std::string, 8> force, pps, ppe; // result texts before the run
    ChartLayout chart;                         // the chart as it stands before the run
};

// Where a run ended.
enum class CalcStop {
    Completed,        // results written, pull-downs hidden
    BadNumber,        // a timing text of a counted row (or the cycle) is no number or out of range: nothing changed
    PhaseError,       // phases and enabled split fields disagree
    ZeroRingCycle,    // both rings total 0: silent
    CycleMismatch,    // cycle length is not the ring cycle (or not a number)
};

// A modal message for the window to show (OK button only).
struct CalcMessage {
    std::string text;
    std::string title;  // empty: the application's own title
    bool warningIcon = false;
};

// What the window does after a run. Every field of the window that the run did not
// touch keeps its value; the outcome carries the full new state of what it may touch.
struct CalcOutcome {
    CalcStop stop = CalcStop::Completed;
    std::optional<CalcMessage> message;
    bool focusCycleLength = false;

    // Rows of positions without a phase: their seven texts emptied and all ten
    // row controls hidden (step before any check).
    std::array<bool, 8> rowBlanked{};

    // Result texts after the run (equal to the input's where the run kept them).
    std::array<std::string, 8> force, pps, ppe;

    // The chart after the run (equal to the input's where the run did not draw).
    ChartLayout chart;

    // A completed run hides the eight phase-order pull-downs.
    bool hidePhasePulldowns = false;

    // The run's numbers: the timing as read, the results, the ring values.
    CalcValues values;

    // A Phase Error: the positions whose split field and phase disagree (index 0..7).
    std::array<bool, 8> phaseErrorAt{};
};

// The whole "Calculate" command as a pure function: same snapshot, same outcome.
CalcOutcome calculate(const CalcInput& input);

}  // namespace tavimo
