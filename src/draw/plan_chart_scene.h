// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

#include <vector>

#include "calc/plan_chart.h"
#include "draw/chart_scene.h"

class QPaintDevice;

namespace tavimo::ui {

// The items of a plan's chart, in the order they are painted: the windows under the
// row bars, then the barriers. Names say what each is: "window2", "green2",
// "yellow2", "red2" for phase 2, "barrier1" for the plan's barrier 1 ("barrierEnd"
// for the cycle's end). Every item lies inside the frame; ChartPainter::paintItems
// draws them, and describeChartItem words them ("Ring 1: Φ2 green, 0 to 40 s").
std::vector<ChartItem> planChartItems(const PlanChart& chart, const QFont& font, const QPaintDevice* device,
                                      ChartEdges edges = ChartEdges::Exact);

// The clock that turns places on the plan's chart into local time.
ChartClock planChartClock(const PlanChart& chart);

}  // namespace tavimo::ui
