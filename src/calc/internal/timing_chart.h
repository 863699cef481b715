// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>

#include "model/chart_layout.h"

#include "plan_times.h"

namespace tavimo {

// Calc: every column back at its designed place and the phase numbers on the bars.
void restoreColumns(ChartLayout& chart, const std::array<std::string, 8>& phase);

// Scaled width of a duration: the ring cycle spans the chart's 9615 twips.
float scaledWidth(const PlanTimes& t, float duration);

// Horizontal end of row n's red bar (n = 1..8), where the next phase begins.
float redEnd(const ChartLayout& chart, const PlanTimes& t, int n);

// Horizontal place of row n's force-off (n = 1..8), where the next window opens.
float forceOffPlace(const ChartLayout& chart, const PlanTimes& t, int n);

// The green, yellow and red bars of one ring (0 or 1). Ring 1 also places the middle
// barrier, where both rings' side streets begin.
void drawRingBars(ChartLayout& chart, const PlanTimes& t, int ring);

// The right end of the rings and the dark bars over a ring side without phases.
void drawRingEnds(ChartLayout& chart, const PlanTimes& t);

// Closes the gap an unused side-street row leaves in one ring's columns.
void compactColumns(ChartLayout& chart, int code, int ring);

}  // namespace tavimo
