// SPDX-License-Identifier: MIT
#include "model/window_state.h"

namespace tavimo {

namespace {

Box bar(float left, float top, float width) { return Box{left, top, width, layout::kBarHeight, true}; }

}  // namespace

ChartLayout ChartLayout::designed() {
    ChartLayout c;
    // Each ring: green 2055, yellow 255, red 135 wide, chained from local zero.
    constexpr std::array<float, 4> greenLeft{345, 2790, 5235, 7680};
    for (int ring = 0; ring < 2; ++ring) {
        const float top = ring == 0 ? layout::kRing1Top : layout::kRing2Top;
        for (int i = 0; i < 4; ++i) {
            const int k = ring * 4 + i;
            c.green[k] = bar(greenLeft[i], top, 2055);
            c.yellow[k] = bar(greenLeft[i] + 2055, top, 255);
            c.red[k] = bar(greenLeft[i] + 2055 + 255, top, 135);
            c.phaseLeft[k] = greenLeft[i];
        }
    }
    c.barrier1 = VLine{345, 370, 2010, true};
    c.barrier3 = VLine{5160, 120, 2280, true};
    c.barrier2 = VLine{9960, 360, 2010, true};
    c.deadPhase = Box{5160, layout::kRing1Top, 4815, layout::kBarHeight, false};
    c.deadPhase2 = Box{5160, layout::kRing2Top, 4815, layout::kBarHeight, false};
    c.local1 = VLine{345, 130, 2310, true};

    // Permissive windows sit just above their ring's bars, one line per ring.
    constexpr std::array<float, 6> windowLeft{345, 5235, 7680, 345, 5235, 7680};
    for (int w = PP1; w <= PP6; ++w)
        c.windows[w] = Box{windowLeft[w], w < PP4 ? 420.f : 1350.f, 1200, 300, true};
    c.windows[PPend1] = Box{9735, 420, 390, 300, true};
    c.windows[PPend2] = Box{9735, 1350, 390, 300, true};

    c.columnLeft = layout::kColumnLeft;
    for (int i = 0; i < 8; ++i) {
        c.pictureLeft[i] = c.pictureLeft[i + 8] = layout::kPictureLeft[i];
        c.pictureVisible[i] = c.pictureVisible[i + 8] = false;
    }
    return c;
}

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
