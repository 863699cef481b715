// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>

#include "model/chart_layout.h"

#include "plan_times.h"

namespace tavimo {

// At the start of a run every window bar is shown; the ring-end markers only where
// the left turns lead ("Lag" hides them).
void showWindowBars(ChartLayout& chart, bool lagArrangement);

// The permissive window bars of one ring (0 or 1), laid under the row bars: each
// window opens at the force-off of the phase before it and lasts s - c - g. Bars of
// rows not in use are hidden.
void drawWindowBars(ChartLayout& chart, const PlanTimes& t, const std::array<std::string, 8>& phase,
                    int ring);

// Concurrent windows of the two rings are drawn as one common extent, as the results
// join them.
void tidyWindowBars(ChartLayout& chart, const PlanTimes& t);

// The Type 170 local zero: the start of yellow of the coordinated phase that ends
// first (the partner of `laterRow`, 2 or 6).
void placeLocalZero(ChartLayout& chart, const PlanTimes& t, int laterRow);

// Yield: every window of a ring opens at the yield point, so the bars are stretched
// to the ring's first window and stacked so that each stays readable.
void stackWindowBarsForYield(ChartLayout& chart, bool lead);

}  // namespace tavimo
