// SPDX-License-Identifier: MIT
#pragma once

#include "model/chart_layout.h"
#include "model/signal_plan.h"

namespace tavimo {

// The whole state of the timing window that the core reads and writes: the signal
// record and the layout of the chart, columns and pictures. The window turns its
// controls into this and back; the command-line calculator works on it directly.
struct WindowState {
    SignalPlan plan;
    ChartLayout chart = ChartLayout::designed();

    // A timing window as it opens: no signal, designed layout.
    static WindowState fresh();
};

// Shows the two pictures of every phase that stands at a position above that
// position's column (outputs and inputs panel alike) and hides those of the
// phases that stand nowhere.
void placePhasePictures(WindowState& state);

// The output layout of a "Lag" signal: the ring-end markers hidden, PP1 and PP4
// moved to the left turn's window place.
void applyLagWindowLayout(ChartLayout& chart);

}  // namespace tavimo
