// SPDX-License-Identifier: MIT
// The chart of any ring-barrier plan: every bar where the calculation puts its phase,
// to scale, barriers where both rings reach them, windows as long as calculated.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "calc/plan_chart.h"
#include "io/network_plan.h"
#include "io/utdf_network.h"

namespace tavimo {
namespace {

constexpr float kOverlap = 10;

std::string utdf8(const std::string& name) { return std::string(TAVIMO_TEST_DATA) + "/utdf8/" + name; }

// Twips apart on the chart's circle: a place at the right edge is the left edge.
float apartOnChart(float a, float b) {
    float d = std::fmod(std::fabs(a - b), layout::kChartWidth);
    return std::min(d, layout::kChartWidth - d);
}

TEST(PlanChart, BarsBarriersAndWindowsStandWhereThePlanRuns) {
    const std::pair<const char*, const char*> plans[] = {
        {"plans/bullhead-parkway-3-lead-lag.csv", "3"},   {"plans/peoria-115-ring-alone.csv", "115"},
        {"plans/i19-ruby-6-three-phases.csv", "6"},       {"plans/chattanooga-33-phase-9.csv", "33"},
        {"plans/us60-5-single-coordinated.csv", "5"},     {"plans/peoria-85-single-coordinated.csv", "85"},
        {"glendale.csv", "5120"},                          {"glendale.csv", "344"},
    };
    for (const auto& [file, id] : plans)
        for (Controller controller : {Controller::NemaTs2, Controller::Type170})
            for (SignalMode mode : {SignalMode::Permissive, SignalMode::Yield}) {
                SCOPED_TRACE(std::string(file) + " #" + id + (controller == Controller::Type170 ? " 170" : " TS2") +
                             (mode == SignalMode::Yield ? " Yield" : " Permissive"));
                auto read = readUtdfNetwork(utdf8(file));
                ASSERT_TRUE(std::holds_alternative<UtdfNetwork>(read));
                const NetworkIntersection* x = std::get<UtdfNetwork>(read).find(id);
                ASSERT_NE(x, nullptr);
                auto built = networkPlan(*x, controller, mode);
                ASSERT_TRUE(std::holds_alternative<Signal>(built));
                const Signal& signal = std::get<Signal>(built);
                const PlanCalculation plan = calculatePlan(signal);
                ASSERT_EQ(plan.stop, PlanStop::Completed);
                const PlanChart chart = planChart(signal, plan);
                const float scale = layout::kChartWidth / plan.ringCycle;
                const float tolerance = 0.05f * scale;

                // Each phase's bars add up to its split, green, yellow and red in turn,
                // and no two phases of a ring share a place.
                std::map<int, float> drawn;
                for (const PlanChartBar& b : chart.bars) {
                    drawn[b.phase] += b.box.width - kOverlap;
                    EXPECT_EQ(b.box.top, b.ring == 1 ? layout::kRing1Top : layout::kRing2Top);
                    for (const PlanChartBar& o : chart.bars)
                        if (&o != &b && o.ring == b.ring && o.phase != b.phase) {
                            EXPECT_FALSE(o.box.left + tolerance < b.box.left + b.box.width - kOverlap &&
                                         b.box.left + tolerance < o.box.left + o.box.width - kOverlap)
                                << "phases " << b.phase << " and " << o.phase << " overlap";
                        }
                }
                for (const PlanPhaseResult& r : plan.phases) {
                    EXPECT_NEAR(drawn[r.number], signal.phase(r.number)->timing->split * scale, 1) << "phase " << r.number;
                    // A NEMA TS2 controller forces a phase off where its green ends.
                    if (controller == Controller::NemaTs2) {
                        const PhaseTiming& t = *signal.phase(r.number)->timing;
                        const PlanChartBar* green = nullptr;
                        for (const PlanChartBar& b : chart.bars)
                            if (b.phase == r.number && b.part == PlanBarPart::Green) green = &b;
                        ASSERT_NE(green, nullptr);
                        const float greenEnd = planChartPlace(chart, std::fmod(r.forceOff + chart.localZero, plan.ringCycle));
                        const float yellowStart = green->box.left + (t.split - t.amber - t.allRed) * scale;
                        const float expected = t.split - t.amber - t.allRed > 0 ? greenEnd : yellowStart;
                        if (chart.bars.size() == plan.phases.size() * 3) {  // no bar wraps round
                            EXPECT_LT(apartOnChart(yellowStart, expected), tolerance) << "phase " << r.number;
                        }
                    }
                }
                // A barrier stands where each ring's first phase of it starts.
                ASSERT_FALSE(chart.barriers.empty());
                EXPECT_FLOAT_EQ(chart.barriers.back().line.x, layout::kChartLeft + layout::kChartWidth);
                for (const PlanChartBarrier& barrier : chart.barriers) {
                    for (int ring = 1; ring <= 2; ++ring) {
                        const PlanPhaseResult* first = nullptr;
                        for (const PlanPhaseResult& r : plan.phases)
                            if (r.ring == ring && r.barrier == barrier.barrier) {
                                first = &r;
                                break;
                            }
                        if (!first) continue;
                        float left = 1e9f;
                        for (const PlanChartBar& b : chart.bars)
                            if (b.phase == first->number && b.part == PlanBarPart::Green) left = std::min(left, b.box.left);
                        EXPECT_LT(apartOnChart(left, barrier.line.x), tolerance)
                            << "barrier " << barrier.barrier << ", ring " << ring;
                    }
                }
                // Every window is as long as calculated, from where it opens.
                std::map<int, float> windowLength;
                for (const PlanChartWindow& w : chart.windows) windowLength[w.phase] += w.box.width - kOverlap;
                for (const PlanPhaseResult& r : plan.phases) {
                    if (!r.permissiveStart) continue;
                    float length = std::fmod(*r.permissiveEnd - *r.permissiveStart, plan.ringCycle);
                    if (length < 0) length += plan.ringCycle;
                    EXPECT_NEAR(windowLength[r.number], length * scale, 1) << "window of phase " << r.number;
                }
            }
}

TEST(PlanChart, AStoppedRunHasNoChart) {
    Signal s;
    s.cycle = {"90", 90.f};
    s.phases = {{2, {}, PhaseTiming{50, 10, 4, 1}, {}, {}, 0}, {4, {}, PhaseTiming{50, 10, 4, 1}, {}, {}, 0}};
    s.sequence = {{1, 1, {2}}, {1, 2, {4}}};
    s.coordinated = {2};
    const PlanCalculation plan = calculatePlan(s);  // the rings total 100, not 90
    ASSERT_EQ(plan.stop, PlanStop::CycleMismatch);
    const PlanChart chart = planChart(s, plan);
    EXPECT_EQ(chart.cycle, 0);
    EXPECT_TRUE(chart.bars.empty() && chart.barriers.empty() && chart.windows.empty());
}

}  // namespace
}  // namespace tavimo
