// SPDX-License-Identifier: MIT
#include "calc/plan_chart.h"

#include <algorithm>
#include <cmath>

namespace tavimo {

namespace {

constexpr float kOverlap = 10;  // twips by which neighbouring bars overlap, as on the grid
constexpr float kWindowHeight = 250;
constexpr float kChartTop = 120, kChartBottom = 2100;
// Rows of windows above each ring's bars: the first right on the bars, the next above it.
constexpr int kWindowRows = 2;

float ringTop(int ring) { return ring == 1 ? layout::kRing1Top : layout::kRing2Top; }

float inCycle(float t, float cycle) {
    float r = std::fmod(t, cycle);
    if (r < 0) r += cycle;
    return r;
}

struct Builder {
    PlanChart& chart;

    float scale() const { return layout::kChartWidth / chart.cycle; }

    // The spans of [from, from + length) on the chart, split where it passes the cycle's end.
    std::vector<std::pair<float, float>> pieces(float from, float length) const {
        std::vector<std::pair<float, float>> out;
        if (!(length > 0)) return out;
        from = inCycle(from, chart.cycle);
        const float first = std::min(length, chart.cycle - from);
        out.emplace_back(from, first);
        if (length - first > 0.0005f) out.emplace_back(0.f, length - first);
        return out;
    }

    void bar(int ring, int phase, PlanBarPart part, float from, float length) {
        for (auto [start, len] : pieces(from, length))
            chart.bars.push_back({ring, phase, part,
                                  Box{planChartPlace(chart, start), ringTop(ring), len * scale() + kOverlap,
                                      layout::kBarHeight, true}});
    }

    void window(int ring, int phase, float from, float length) {
        for (auto [start, len] : pieces(from, length)) {
            Box box{planChartPlace(chart, start), 0, len * scale() + kOverlap, kWindowHeight, true};
            int row = 0;
            for (; row < kWindowRows; ++row) {
                const float top = ringTop(ring) - kWindowHeight * float(row + 1);
                const bool taken = std::any_of(chart.windows.begin(), chart.windows.end(), [&](const PlanChartWindow& w) {
                    return w.ring == ring && w.box.top == top && w.box.left < box.left + box.width - kOverlap &&
                           box.left < w.box.left + w.box.width - kOverlap;
                });
                if (!taken) break;
            }
            box.top = ringTop(ring) - kWindowHeight * float(std::min(row, kWindowRows - 1) + 1);
            chart.windows.push_back({ring, phase, box, "\xC3\x98" + std::to_string(phase)});
        }
    }
};

}  // namespace

float planChartPlace(const PlanChart& chart, float seconds) {
    return layout::kChartLeft + seconds * (layout::kChartWidth / chart.cycle);
}

PlanChart planChart(const Signal& signal, const PlanCalculation& plan) {
    PlanChart chart;
    if (plan.stop != PlanStop::Completed || plan.phases.empty() || !(plan.ringCycle > 0)) return chart;
    chart.cycle = plan.ringCycle;
    const float C = chart.cycle;

    // Each phase's split on the clock of the first coordinated green.
    auto splitOf = [&](const PlanPhaseResult& r) {
        const SignalPhase* p = signal.phase(r.number);
        return p && p->timing ? *p->timing : PhaseTiming{};
    };
    auto startOf = [&](const PlanPhaseResult& r) { return r.splitEnd - splitOf(r).split; };

    // The left edge: the start of the first barrier. The results run ring by ring in
    // running order, so a barrier's first result is its first phase in ring 1 where
    // ring 1 runs there.
    const PlanPhaseResult* opening = &plan.phases.front();
    for (const PlanPhaseResult& r : plan.phases)
        if (r.barrier < opening->barrier) opening = &r;
    const float origin = startOf(*opening);
    chart.localZero = inCycle(plan.localZero - origin, C);

    Builder build{chart};
    for (const PlanPhaseResult& r : plan.phases) {
        const PhaseTiming t = splitOf(r);
        const float start = startOf(r) - origin;
        const float green = std::max(0.f, t.split - t.amber - t.allRed);
        build.bar(r.ring, r.number, PlanBarPart::Green, start, green);
        build.bar(r.ring, r.number, PlanBarPart::Yellow, start + green, std::min(t.amber, t.split - green));
        build.bar(r.ring, r.number, PlanBarPart::Red, start + green + t.amber, t.split - green - t.amber);
    }

    // A barrier where its first phase starts, in ring 1 where it runs there.
    std::vector<int> seen;
    for (const PlanPhaseResult& r : plan.phases) {
        if (std::find(seen.begin(), seen.end(), r.barrier) != seen.end()) continue;
        seen.push_back(r.barrier);
        const float x = planChartPlace(chart, inCycle(startOf(r) - origin, C));
        chart.barriers.push_back({r.barrier, VLine{x, kChartTop, kChartBottom, true}});
    }
    std::sort(chart.barriers.begin(), chart.barriers.end(),
              [](const PlanChartBarrier& a, const PlanChartBarrier& b) { return a.line.x < b.line.x; });
    chart.barriers.push_back({chart.barriers.front().barrier,
                              VLine{planChartPlace(chart, C), kChartTop, kChartBottom, true}});

    // The windows in local time, moved onto the chart.
    for (const PlanPhaseResult& r : plan.phases) {
        if (!r.permissiveStart || !r.permissiveEnd) continue;
        const float from = *r.permissiveStart + plan.localZero - origin;
        const float length = inCycle(*r.permissiveEnd - *r.permissiveStart, C);
        build.window(r.ring, r.number, from, length);
    }
    return chart;
}

}  // namespace tavimo
