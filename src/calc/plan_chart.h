// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "calc/plan_calculation.h"
#include "model/chart_layout.h"
#include "model/signal.h"

namespace tavimo {

// The ring-barrier chart of a plan of any structure, in the twips of the timing
// window's chart (the same span, row heights and sheet), so that the same painter and
// exports draw it. The left edge is the start of the plan's first barrier; one cycle
// spans the chart.

enum class PlanBarPart { Green, Yellow, Red };

// One bar of a phase's split. A bar that runs over the cycle's end comes as two
// pieces, the second from the left edge.
struct PlanChartBar {
    int ring = 1;
    int phase = 0;
    PlanBarPart part = PlanBarPart::Green;
    Box box;
};

// A permissive window, above its ring's bars; windows of a ring that overlap stand
// on rows of their own. Text "Ø" and the phase number.
struct PlanChartWindow {
    int ring = 1;
    int phase = 0;
    Box box;
    std::string text;
};

struct PlanChartBarrier {
    int barrier = 0;  // as the plan numbers it; the cycle's end repeats the first
    VLine line;
};

struct PlanChart {
    float cycle = 0;
    float localZero = 0;  // s from the left edge to the controller's local zero
    std::vector<PlanChartBar> bars;
    std::vector<PlanChartBarrier> barriers;
    std::vector<PlanChartWindow> windows;
};

// The chart of a completed calculation; an empty one (cycle 0) for a run that stopped.
PlanChart planChart(const Signal& signal, const PlanCalculation& plan);

// Where a time of the chart (s from its left edge) lies, in twips.
float planChartPlace(const PlanChart& chart, float seconds);

}  // namespace tavimo
