// SPDX-License-Identifier: MIT
#include "model/chart_layout.h"

namespace tavimo {

namespace {

// Lays out one position's bars from `left` (green, yellow, red chained) and returns
// where the next position's green bar starts: the end of this red bar.
float placeRow(ChartLayout& c, int index, float left) {
    c.green[index].left = left;
    c.green[index].width = layout::kDesignedGreenWidth;
    c.yellow[index].left = c.green[index].left + layout::kDesignedGreenWidth;
    c.yellow[index].width = layout::kDesignedYellowWidth;
    c.red[index].left = c.yellow[index].left + layout::kDesignedYellowWidth;
    c.red[index].width = layout::kDesignedRedWidth;
    for (Box* b : {&c.green[index], &c.yellow[index], &c.red[index]}) b->height = layout::kBarHeight;
    return c.red[index].left + layout::kDesignedRedWidth;
}

}  // namespace

void layOutDesignedChart(ChartLayout& c, bool yield, bool lead) {
    c.deadPhase.visible = false;
    c.deadPhase2.visible = false;
    c.columnLeft = layout::kColumnLeft;

    for (int w = PP1; w <= PP6; ++w) c.windows[w].width = layout::kDesignedWindowWidth;
    if (yield) {
        // The Yield stack of the leading arrangement, whatever the arrangement.
        for (int w = 0; w < kWindowBars; ++w) {
            c.windows[w].height = layout::kYieldStack[w].height;
            c.windows[w].top = layout::kYieldStack[w].top;
        }
    }
    if (lead) {
        for (int w : {PPend1, PPend2}) {
            c.windows[w].width = layout::kRingEndWidth;
            c.windows[w].visible = true;
        }
    }
    for (int w = PP1; w <= PP6; ++w) c.windows[w].visible = true;

    // Ring 1 first: the end of its second position fixes the middle barrier, where
    // the side street starts in both rings.
    const float middle = placeRow(c, 1, placeRow(c, 0, layout::kChartLeft));
    c.barrier3.x = middle;
    placeRow(c, 3, placeRow(c, 2, middle));
    placeRow(c, 5, placeRow(c, 4, layout::kChartLeft));
    c.barrier2.x = placeRow(c, 7, placeRow(c, 6, middle));

    for (int k = 0; k < 8; ++k) c.phaseLeft[k] = c.green[k].left;
    constexpr int windowPosition[6] = {1, 3, 4, 5, 7, 8};
    for (int w = PP1; w <= PP6; ++w) c.windows[w].left = c.green[windowPosition[w] - 1].left;
    c.windows[PPend1].left = c.yellow[3].left;
    c.windows[PPend2].left = c.yellow[7].left;

    for (int k = 0; k < 8; ++k) c.green[k].visible = c.yellow[k].visible = c.red[k].visible = true;
}

ChartLayout ChartLayout::designed() {
    ChartLayout c;
    // What the reset does not place: bar tops, barrier ends, the dark bars, the
    // cursor, one line of permissive bars per ring and the ring-end markers.
    for (int k = 0; k < 8; ++k)
        c.green[k].top = c.yellow[k].top = c.red[k].top = k < 4 ? layout::kRing1Top : layout::kRing2Top;
    c.barrier1 = VLine{layout::kChartLeft, 370, 2010, true};
    c.barrier3 = VLine{0, 120, 2280, true};
    c.barrier2 = VLine{0, 360, 2010, true};
    c.deadPhase = Box{5160, layout::kRing1Top, 4815, layout::kBarHeight, false};
    c.deadPhase2 = Box{5160, layout::kRing2Top, 4815, layout::kBarHeight, false};
    c.local1 = VLine{layout::kChartLeft, 130, 2310, true};
    for (int w = 0; w < kWindowBars; ++w) {
        const bool ring1 = w < PP4 || w == PPend1;
        c.windows[w] = Box{0, ring1 ? 420.f : 1350.f, 0, 300, true};
    }
    c.windows[PPend1].width = c.windows[PPend2].width = layout::kRingEndWidth;

    layOutDesignedChart(c, false, false);
    // The window as drawn stands its middle and right barriers 75 and 165 twips left
    // of the ends of the bars; only a reset or a calculation moves them there.
    c.barrier3.x = 5160;
    c.barrier2.x = 9960;

    for (int i = 0; i < 8; ++i) {
        c.pictureLeft[i] = c.pictureLeft[i + 8] = layout::kPictureLeft[i];
        c.pictureVisible[i] = c.pictureVisible[i + 8] = false;
    }
    return c;
}

}  // namespace tavimo
