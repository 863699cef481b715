// SPDX-License-Identifier: MIT
#include "permissive_bars.h"

#include <initializer_list>

#include "model/number_text.h"

#include "timing_chart.h"

namespace tavimo {

namespace {

// The phase symbol on every window bar, Ø (two bytes in UTF-8), followed by the
// phase number.
constexpr const char* kPhaseSymbol = "\xC3\x98";

// A window whose minimum green does not fit has no extent to draw: it is hidden and
// kept 0 wide rather than given a negative width.
void setWidth(Box& bar, float width) {
    if (width < 0) {
        bar.visible = false;
        bar.width = 0;
    } else {
        bar.width = width;
    }
}

// "Ø" and the phase number, written into the bar's text in place.
void setPhaseText(std::string& text, const std::string& phase) {
    text.clear();
    text.append(kPhaseSymbol, 2).append(phase);
}

void hide(ChartLayout& chart, std::initializer_list<int> bars) {
    for (int b : bars) chart.windows[b].visible = false;
}

}  // namespace

void showWindowBars(ChartLayout& chart, bool lagArrangement) {
    for (int b = PP1; b <= PP6; ++b) chart.windows[b].visible = true;
    chart.windows[PPend1].visible = chart.windows[PPend2].visible = !lagArrangement;
}

void drawWindowBars(ChartLayout& chart, const PlanTimes& t, const std::array<std::string, 8>& phase,
                    int ring) {
    const int o = ring * 4;
    const int L = ring == 0 ? PP1 : PP4, A = ring == 0 ? PP2 : PP5, B = ring == 0 ? PP3 : PP6;
    const int E = ring == 0 ? PPend1 : PPend2;
    auto& bars = chart.windows;
    auto& text = chart.windowText;

    setPhaseText(text[L], phase[o + (t.lead ? 0 : 1)]);
    if (!isBlank(phase[o + 2])) {
        setPhaseText(text[A], phase[o + 2]);
        setPhaseText(text[B], phase[o + 3]);
    } else {
        setPhaseText(text[A], phase[o + 3]);
    }

    // Window of ring row `row` (1..4), opening at the yellow of ring row `before`.
    auto window = [&](int bar, int row, int before) {
        bars[bar].left = forceOffPlace(chart, t, o + before);
        setWidth(bars[bar], chart.green[o + row - 1].width - scaledWidth(t, t.g[o + row]));
    };
    // The leading left turn's window runs across the cycle's end: from the yellow of
    // the phase before it (row `last`, 1..8) to the end of the cycle, then on from
    // local zero.
    auto leadingLeftTurn = [&](int last) {
        // Both parts carry the phase number: each can be the only one drawn.
        text[E] = text[L];
        Box& end = bars[E];
        end.left = forceOffPlace(chart, t, last);
        // The clearance of that phase, as its yellow and red bars are drawn with their
        // overlaps, whether or not they are shown.
        end.width = scaledWidth(t, t.amber[last]) + 10 + scaledWidth(t, t.red[last]) + 10;
        // The window ends where the later coordinated green starts: after the wider
        // of the two left turns, or the one left turn of a plan that has only one.
        const Box &g1 = chart.green[0], &g5 = chart.green[4];
        const float w1 = g1.visible ? g1.width : 0.f, w5 = g5.visible ? g5.width : 0.f;
        const float wider = w1 >= w5 ? w1 : w5;
        Box& start = bars[L];
        start.left = layout::kChartLeft;
        const float width = wider - scaledWidth(t, t.g[o + 1] + t.c[last]);
        // The green bar's width carries the 10 twips by which bars overlap; the
        // window's time does not.
        if (width < 10) {
            start.visible = false;
            setWidth(end, end.width + width - 10);
        } else {
            start.width = width;
        }
    };

    switch (t.code[ring]) {
    case 11: window(A, 3, 2); window(B, 4, 3); leadingLeftTurn(o + 4); break;
    case 12: window(A, 3, 2); hide(chart, {B}); leadingLeftTurn(o + 3); break;
    case 13: window(A, 4, 2); hide(chart, {B}); leadingLeftTurn(o + 4); break;
    case 14: window(A, 3, 2); window(B, 4, 3); hide(chart, {L, E}); break;
    case 15: window(A, 3, 2); hide(chart, {B, L, E}); break;
    case 16: window(A, 4, 2); hide(chart, {B, L, E}); break;
    // No side street: the blank side lasts as long as the other ring's first one.
    // Without any side street (a one-ring plan) the left turn follows the coordinated phase.
    case 17: {
        hide(chart, {A, B});
        const int other = ring == 0 ? 7 : 3;
        leadingLeftTurn(t.s[other] > 0 || !isBlank(phase[other - 1]) ? other : o + 2);
        break;
    }
    case 21: window(L, 2, 1); window(A, 3, 2); window(B, 4, 3); break;
    case 22: window(L, 2, 1); window(A, 3, 2); hide(chart, {B}); break;
    case 23: window(L, 2, 1); window(A, 4, 2); hide(chart, {B}); break;
    case 24: window(A, 3, 1); window(B, 4, 3); hide(chart, {L, E}); break;
    case 25: window(A, 3, 1); hide(chart, {B, L, E}); break;
    case 26: window(A, 4, 1); hide(chart, {B, L, E}); break;
    case 27: window(L, 2, 1); hide(chart, {A, B}); break;
    default: hide(chart, {L, A, B, E}); break;
    }
}

void tidyWindowBars(ChartLayout& chart, const PlanTimes& t) {
    auto& bars = chart.windows;
    for (int e : {PPend1, PPend2})
        if (bars[e].visible) setWidth(bars[e], bars[e].width - 20);

    // From the earlier start; the ring-end markers to the later end (the cycle's),
    // the side streets to the earlier end, as the results join their windows.
    auto common = [&](int a, int b) {
        Box &x = bars[a], &y = bars[b];
        if (!x.visible || !y.visible) return;
        const float left = x.left <= y.left ? x.left : y.left;
        const float xr = x.left + x.width, yr = y.left + y.width;
        const bool later = a == PPend1;
        const float right = later ? (xr >= yr ? xr : yr) : (xr <= yr ? xr : yr);
        x.left = y.left = left;
        x.width = y.width = right - left;
    };
    common(PPend1, PPend2);
    if (t.code[0] == t.code[1]) common(PP2, PP5);
    common(PP3, PP6);
}

void placeLocalZero(ChartLayout& chart, const PlanTimes& t, int laterRow) {
    chart.local1.x = forceOffPlace(chart, t, laterRow == 2 ? 6 : 2);
}

void stackWindowBarsForYield(ChartLayout& chart, bool lead) {
    auto& bars = chart.windows;
    // Stretched to the left, keeping the right end.
    auto stretch = [&](int bar, int first) {
        if (!bars[bar].visible || !bars[first].visible) return;
        bars[bar].width = bars[bar].width + (bars[bar].left - bars[first].left);
        bars[bar].left = bars[first].left;
    };
    auto stack = [&](int bar, int place) {
        bars[bar].height = layout::kYieldStack[place].height;
        bars[bar].top = layout::kYieldStack[place].top;
    };
    if (lead) {
        stretch(PP3, PP2);
        stretch(PPend1, PP2);
        stretch(PP6, PP5);
        stretch(PPend2, PP5);
        for (int w = 0; w < kWindowBars; ++w) stack(w, w);
    } else {
        stretch(PP2, PP1);
        stretch(PP3, PP1);
        stretch(PP5, PP4);
        stretch(PP6, PP4);
        // The lagging left turns' windows open first: each ring's three take the
        // places one along, and the hidden ring-end markers keep theirs.
        constexpr int lagPlace[6] = {PP2, PP3, PP1, PP5, PP6, PP4};
        for (int w = PP1; w <= PP6; ++w) stack(w, lagPlace[w]);
    }
    chart.windowTextRightAligned = true;
}

}  // namespace tavimo
