// SPDX-License-Identifier: MIT
#include "model/window_state.h"

namespace tavimo {

WindowState WindowState::fresh() {
    WindowState s;
    s.chart = ChartLayout::designed();
    // The phase order of an opened signal can be changed at once: the pull-downs
    // start enabled; a new signal or a reset leaves only the coordinated ones.
    for (Position& p : s.plan.positions) p.phaseEnabled = true;
    return s;
}

void placePhasePictures(WindowState& state) {
    for (int i = 0; i < 16; ++i) state.chart.pictureVisible[i] = false;
    for (int k = 1; k <= kPositions; ++k) {
        const int n = phaseNumber(state.plan.at(k).phase);
        if (n == 0) continue;
        state.chart.pictureLeft[n - 1] = state.chart.pictureLeft[n + 7] = layout::kPictureLeft[k - 1];
        state.chart.pictureVisible[n - 1] = state.chart.pictureVisible[n + 7] = true;
    }
}

void applyLagWindowLayout(ChartLayout& chart) {
    chart.windows[PPend1].visible = false;
    chart.windows[PPend2].visible = false;
    chart.windows[PP1].left = layout::kLagWindowLeft;
    chart.windows[PP4].left = layout::kLagWindowLeft;
}

}  // namespace tavimo
