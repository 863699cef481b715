// SPDX-License-Identifier: MIT
#include "timing_chart.h"

namespace tavimo {

namespace {

// Widths of a row's three bars before the 10 twips of overlap. A row without green
// time (unused, or all clearance) is drawn with no width at all.
struct RowWidths {
    bool drawn = false;
    float green = 0, yellow = 0, red = 0;
};

RowWidths rowWidths(const PlanTimes& t, int n) {
    const float greenTime = t.s[n] - t.amber[n] - t.red[n];
    if (greenTime == 0) return {};
    if (greenTime < 0) {
        // A split shorter than its clearance: no green, and the yellow and red fill
        // the split, so that the row neither reaches back over the phase before it
        // nor past the chart's left edge.
        const float yellow = t.amber[n] < t.s[n] ? t.amber[n] : (t.s[n] > 0 ? t.s[n] : 0.f);
        const float red = t.s[n] > yellow ? t.s[n] - yellow : 0.f;
        return {true, 0, scaledWidth(t, yellow), scaledWidth(t, red)};
    }
    return {true, scaledWidth(t, greenTime), scaledWidth(t, t.amber[n]), scaledWidth(t, t.red[n])};
}

float greenTimeOf(const PlanTimes& t, int n) { return t.s[n] - t.amber[n] - t.red[n]; }

}  // namespace

void restoreColumns(ChartLayout& chart, const std::array<std::string, 8>& phase) {
    chart.greenText = phase;
    chart.columnLeft = layout::kColumnLeft;
}

float scaledWidth(const PlanTimes& t, float duration) {
    const float twipsScale = t.C / layout::kChartWidth;
    return duration / twipsScale;
}

float redEnd(const ChartLayout& chart, const PlanTimes& t, int n) {
    return chart.red[n - 1].left + rowWidths(t, n).red;
}

float forceOffPlace(const ChartLayout& chart, const PlanTimes& t, int n) {
    // Where the green time ends, from the green bar's start: the yellow bar starts
    // there too, but in the last row of a ring (pulled back over the green) and for a
    // split shorter than its clearance (whose force-off lies before the phase starts).
    const float greenTime = greenTimeOf(t, n);
    return chart.green[n - 1].left + (greenTime != 0 ? scaledWidth(t, greenTime) : 0.f);
}

void drawRingBars(ChartLayout& chart, const PlanTimes& t, int ring) {
    const int o = ring * 4;
    float redEnds[5] = {};  // where the red bar of ring row i ends
    for (int i = 1; i <= 4; ++i) {
        const int n = o + i, k = n - 1;
        const RowWidths w = rowWidths(t, n);
        Box &green = chart.green[k], &yellow = chart.yellow[k], &red = chart.red[k];
        // Only ever hidden here; the form reset shows them again.
        if (!w.drawn) green.visible = yellow.visible = red.visible = false;
        if (w.drawn && w.green == 0) green.visible = false;
        // Neighbouring bars overlap by 10 twips so no seam shows between them.
        green.width = w.green + 10;
        yellow.width = w.yellow + 10;
        red.width = w.red + 10;

        switch (i) {
        case 1:
            green.left = layout::kChartLeft;
            break;
        case 2:
            green.left = t.s[o + 1] != 0 ? redEnds[1] : layout::kChartLeft;
            break;
        case 3:
            green.left = chart.barrier3.x;
            break;
        case 4:
            green.left = t.s[o + 3] > 0 ? redEnds[3] : chart.barrier3.x;
            break;
        }
        if (i == 4) {
            // The last bar of a ring is chained differently: its yellow is pulled back
            // 10 twips over the green, and its red follows the yellow's drawn width
            // less the overlap, so the ring closes 10 twips short of the full width.
            yellow.left = green.left + w.green - 10;
            red.left = yellow.left + yellow.width - 10;
        } else {
            yellow.left = green.left + w.green;
            red.left = yellow.left + w.yellow;
        }
        redEnds[i] = red.left + w.red;  // as redEnd() gives it
        if (ring == 0 && i == 2) chart.barrier3.x = redEnds[2];
    }
}

void drawRingEnds(ChartLayout& chart, const PlanTimes& t) {
    // The furthest right end among the side streets, rows 4 and 8 first. A row drawn
    // without width ends where its green would start, so it never carries the
    // barrier past the bars that are drawn.
    float right = redEnd(chart, t, 4);
    for (int n : {8, 3, 7}) {
        const float end = redEnd(chart, t, n);
        if (end > right) right = end;
    }
    chart.barrier2.x = right;

    // A ring without side streets is blanked from the middle barrier to the end of
    // the other ring's first side-street phase.
    auto blankSide = [&](Box& dead, int otherRow) {
        dead.left = chart.barrier3.x;
        dead.width = redEnd(chart, t, otherRow) - chart.barrier3.x;
        dead.visible = true;
    };
    if (t.code[0] == 17 || t.code[0] == 27) blankSide(chart.deadPhase, 7);
    if (t.code[1] == 17 || t.code[1] == 27) blankSide(chart.deadPhase2, 3);
}

void compactColumns(ChartLayout& chart, int code, int ring) {
    // A column moves to the place of a column further left; its pictures follow from
    // the old picture place to the new one, only when they stand exactly there.
    const int o = ring * 4;
    auto move = [&](int from, int to) {
        chart.columnLeft[o + from] = layout::kColumnLeft[o + to];
        for (float& p : chart.pictureLeft)
            if (p == layout::kPictureLeft[o + from]) p = layout::kPictureLeft[o + to];
    };
    switch (code) {
    case 13: case 16: case 23: move(3, 2); break;
    case 24: move(2, 1); move(3, 2); break;
    case 25: move(2, 1); break;
    case 26: move(3, 1); break;
    default: break;
    }
}

}  // namespace tavimo
