// SPDX-License-Identifier: MIT
#include "calc/local_time.h"

#include <cmath>

#include "model/chart_layout.h"
#include "model/number_text.h"

namespace tavimo {

namespace {

constexpr float kCursorMin = 345, kCursorMax = 9940;  // the scroll bar's range

struct FirstGroup {
    float s = 0, a = 0, r = 0;
};

// Split, amber and all-red of a position before the middle barrier.
std::optional<FirstGroup> readFirstGroup(const Position& p) {
    if (isBlank(p.split)) return FirstGroup{};
    auto s = parseNumber(p.split), a = parseNumber(p.amber), r = parseNumber(p.red);
    if (!s || !a || !r) return std::nullopt;
    return FirstGroup{*s, *a, *r};
}

}  // namespace

std::optional<ChartAxis> chartAxisOf(const SignalPlan& plan) {
    const std::optional<float> cycle = parseNumber(plan.cycleLength);
    if (!cycle || !(*cycle > 0) || !std::isfinite(*cycle)) return std::nullopt;
    const std::optional<float> zero = localZeroTime(plan);
    if (!zero) return std::nullopt;
    return ChartAxis{*cycle, *zero};
}

std::optional<float> localZeroTime(const SignalPlan& plan) {
    const bool one70 = plan.controller == tag::kType170;
    const bool nema = plan.controller == tag::kNema;
    const bool lead = plan.arrangement == tag::kLead;
    const bool lag = plan.arrangement == tag::kLag;
    if (!(one70 || nema) || !(lead || lag)) return std::nullopt;
    if (nema && lag) return 0.f;

    FirstGroup g[9];
    for (int k : {1, 2, 5, 6}) {
        auto read = readFirstGroup(plan.at(k));
        if (!read) return std::nullopt;
        g[k] = *read;
    }
    if (one70 && lag) {
        // Zero at the end of the green of the shorter coordinated split; a tie takes ring 1.
        return g[1].s > g[5].s ? g[5].s - g[5].a - g[5].r : g[1].s - g[1].a - g[1].r;
    }
    if (one70) {
        const float c2 = g[2].a + g[2].r, c6 = g[6].a + g[6].r;
        const float k = c2 > c6 ? c2 : c6;
        return g[2].s > g[6].s ? g[2].s - k + g[1].s : g[6].s - k + g[5].s;
    }
    // NEMA with leading lefts: zero where the coordinated green starts.
    return g[2].s > g[6].s ? g[1].s : g[5].s;
}

std::optional<std::string> localTimeText(const SignalPlan& plan, float x) {
    const std::optional<float> zero = localZeroTime(plan);
    if (!zero) return std::nullopt;
    const std::optional<float> cycle = parseNumber(plan.cycleCopy);
    if (!cycle) return std::nullopt;
    const float c = *cycle;
    const float u = roundHalfEven(c / 9600.0f * (x - 345.0f));
    if (plan.controller == tag::kNema && plan.arrangement == tag::kLag) return formatNumber(u);
    float t = u - *zero;
    if (t < 0) t = t + c;
    return formatNumber(roundHalfEven(t));
}

void moveLocalTimeCursor(WindowState& state, float x) {
    ChartLayout& chart = state.chart;
    chart.scrollValue = x;
    chart.local1.x = x;
    if (auto text = localTimeText(state.plan, x)) chart.timerText = *text;
    chart.timerLeft = x + 40;
}

void placeCursorAtLocalZero(WindowState& state) {
    const SignalPlan& plan = state.plan;
    float x = state.chart.local1.x;
    if (!(plan.controller == tag::kType170 && plan.arrangement == tag::kLead)) {
        const std::optional<float> zero = localZeroTime(plan), cycle = parseNumber(plan.cycleLength);
        if (!zero || !cycle || !(*cycle > 0) || !std::isfinite(*zero)) return;
        float since = std::fmod(*zero, *cycle);
        if (since < 0) since += *cycle;
        x = layout::kChartLeft + since * (layout::kChartWidth / *cycle);
    }
    // On the scroll bar's whole twips and within its range.
    if (!std::isfinite(x)) return;
    x = std::round(x);
    x = x < kCursorMin ? kCursorMin : x > kCursorMax ? kCursorMax : x;
    moveLocalTimeCursor(state, x);
}

}  // namespace tavimo
