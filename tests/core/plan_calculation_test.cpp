// SPDX-License-Identifier: MIT
// The timing of any ring-barrier plan: real plans of every structure force off where
// the exporting program put them, and every plan the timing window holds reads as
// the window's own calculation reads it, to the last digit of every result.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "calc/plan_calculation.h"
#include "calc/signal_calculation.h"
#include "calc/signal_reading.h"
#include "calc/window_calculation.h"
#include "io/network_plan.h"
#include "io/network_signal.h"
#include "io/project_read.h"
#include "io/signal_arrival.h"
#include "io/utdf_network.h"
#include "model/number_text.h"

namespace tavimo {
namespace {

std::string utdf8(const std::string& name) { return std::string(TAVIMO_TEST_DATA) + "/utdf8/" + name; }

UtdfNetwork readNetwork(const std::string& path) {
    auto read = readUtdfNetwork(path);
    if (auto* error = std::get_if<UtdfError>(&read)) ADD_FAILURE() << error->message;
    return std::get_if<UtdfNetwork>(&read) ? std::get<UtdfNetwork>(read) : UtdfNetwork{};
}

float wrapped(float value, float cycle) {
    float t = std::fmod(value, cycle);
    return t < 0 ? t + cycle : t;
}

// Equal modulo the cycle, to 0.05 s.
bool sameInCycle(float a, float b, float cycle) {
    const float apart = wrapped(a - b, cycle);
    return apart <= 0.05f || cycle - apart <= 0.05f;
}

float fileTime(const std::string& text) { return parseNumber(text).value_or(NAN); }

// Of the coordinated phases, the first whose Start (or Yield) comes: the other one
// follows it within half a cycle.
int firstCoordinated(const NetworkIntersection& x, const std::vector<int>& coordinated, float cycle, bool byYield) {
    const auto at = [&](int phase) {
        const NetworkPhase& p = x.phases[static_cast<std::size_t>(phase - 1)];
        return fileTime(byYield ? p.yield : p.start);
    };
    if (coordinated.size() < 2) return coordinated.front();
    return wrapped(at(coordinated[1]) - at(coordinated[0]), cycle) <= cycle / 2 ? coordinated[0] : coordinated[1];
}

TEST(PlanCalculation, RealPlansOfEveryStructureForceOffWhereTheFileDoes) {
    struct Case {
        const char* file;
        const char* id;
        const char* structure;
        int mustRun;  // a phase the plan must time, 0: none in particular
        int barriers;
    };
    const Case cases[] = {
        {"plans/bullhead-parkway-3-lead-lag.csv", "3", "ring 1 leads, ring 2 lags", 0, 2},
        {"glendale.csv", "4300", "ring 1 leads, ring 2 lags", 0, 2},
        {"excerpts/kingman.csv", "2", "a ring with no phase beside the coordinated one", 7, 2},
        {"plans/peoria-115-ring-alone.csv", "115", "a ring with no phase beside the coordinated one", 0, 2},
        {"glendale.csv", "344", "each ring runs in one barrier only", 8, 2},
        {"glendale.csv", "1", "three phases of ring 1 before the barrier", 0, 2},
        {"plans/i19-ruby-6-three-phases.csv", "6", "three phases of ring 1 after the barrier", 0, 2},
        {"plans/chattanooga-33-phase-9.csv", "33", "phase 9 beside three in a barrier", 9, 2},
        {"glendale.csv", "5120", "three barriers", 0, 3},
        {"plans/us60-5-single-coordinated.csv", "5", "coordinated on phase 6 alone", 0, 2},
        {"plans/peoria-85-single-coordinated.csv", "85", "coordinated on phase 2 alone", 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " #" + c.id + ": " + c.structure);
        const UtdfNetwork network = readNetwork(utdf8(c.file));
        const NetworkIntersection* x = network.find(c.id);
        ASSERT_NE(x, nullptr);
        const float referencedTo = fileTime(x->referencedTo);
        for (Controller controller : {Controller::NemaTs2, Controller::Type170}) {
            const bool type170 = controller == Controller::Type170;
            SCOPED_TRACE(type170 ? "Type 170" : "NEMA TS2");
            auto built = networkPlan(*x, controller, SignalMode::Permissive);
            ASSERT_TRUE(std::holds_alternative<Signal>(built)) << std::get<std::string>(built);
            const Signal& signal = std::get<Signal>(built);
            const PlanCalculation plan = calculatePlan(signal);
            ASSERT_EQ(plan.stop, PlanStop::Completed);
            EXPECT_TRUE(plan.barrierMismatches.empty());
            if (c.mustRun) {
                EXPECT_NE(plan.phase(c.mustRun), nullptr);
            }
            int lastBarrier = 0;
            for (const PlanPhaseResult& p : plan.phases) lastBarrier = std::max(lastBarrier, p.barrier);
            EXPECT_EQ(lastBarrier, c.barriers);

            const float cycle = *signal.cycle.seconds;
            const NetworkPhase& first =
                x->phases[static_cast<std::size_t>(firstCoordinated(*x, signal.coordinated, cycle, type170) - 1)];
            const float zero = fileTime(type170 ? first.yield : first.start);
            // The file's own local times, where its reference is this controller's zero.
            const bool localHere = (referencedTo == 3 && !type170) || (referencedTo == 1 && type170);
            EXPECT_EQ(plan.phases.size(), signal.phases.size());
            for (const PlanPhaseResult& p : plan.phases) {
                const NetworkPhase& f = x->phases[static_cast<std::size_t>(p.number - 1)];
                const float expected = wrapped(fileTime(f.yield) - zero, cycle);
                EXPECT_TRUE(sameInCycle(p.forceOff, expected, cycle))
                    << "phase " << p.number << ": " << p.forceOff << " here, " << expected << " in the file";
                if (localHere) {
                    EXPECT_TRUE(sameInCycle(fileTime(f.localYield), expected, cycle))
                        << "phase " << p.number << " LocalYield " << f.localYield;
                }
            }
        }
    }
}

// ---- The timing window's plans ------------------------------------------------------

std::string text(const std::optional<float>& value) { return value ? formatNumber(*value) : "none"; }

// Where the two calculations of one signal differ, as the window would show them.
std::string differences(const Signal& signal) {
    const SignalResults form = calculateSignal(signal);
    const PlanCalculation plan = calculatePlan(signal);
    if (form.stop != SignalStop::Completed || plan.stop != PlanStop::Completed)
        return static_cast<int>(form.stop) == static_cast<int>(plan.stop) ? "" : "the runs stop apart";
    std::string out;
    const auto compare = [&](const std::string& what, const std::optional<float>& a, const std::optional<float>& b) {
        if (text(a) != text(b)) out += " " + what + " " + text(a) + " / " + text(b) + ";";
    };
    for (const PhaseResult& f : form.phases) {
        const std::string at = "phase " + std::to_string(f.number);
        const PlanPhaseResult* p = plan.phase(f.number);
        if (!p) {
            if (f.forceOff) out += " " + at + " not timed;";
            continue;
        }
        compare(at + " force-off", f.forceOff, p->forceOff);
        if (p->coordinated) {
            // The window writes the coordinated phase of a lagging plan a window of 0 to 0.
            if (text(f.permissiveStart).find_first_not_of("0none") != std::string::npos ||
                text(f.permissiveEnd).find_first_not_of("0none") != std::string::npos)
                out += " " + at + " has a window;";
            continue;
        }
        compare(at + " start", f.permissiveStart, p->permissiveStart);
        compare(at + " end", f.permissiveEnd, p->permissiveEnd);
        compare(at + " own start", f.ownStart, p->ownStart);
        compare(at + " own end", f.ownEnd, p->ownEnd);
    }
    for (int ring = 0; ring < 2; ++ring) compare("ring total", form.ringTotal[ring], plan.ringTotal[ring]);
    compare("ring cycle", form.ringCycle, plan.ringCycle);
    compare("yield point", form.yieldPoint, plan.yieldPoint);
    if (signal.controller == Controller::Type170) compare("local zero", form.type170Shift, plan.localZero);
    return out;
}

std::optional<Signal> windowSignal(const WindowState& state) {
    const SignalReading reading = readSignal(snapshotOf(state));
    if (!reading.signal || reading.phaseError()) return std::nullopt;
    return reading.signal;
}

// A random plan of the grid whose rings meet at the barrier: splits, times and
// positions in tenths as an engineer types them, every arrangement, controller and
// mode, a ring without a left turn or side street, a one-ring plan.
Signal generatedPlan(std::mt19937& random) {
    const auto tenths = [&](float low, float high) {
        std::uniform_int_distribution<int> d(static_cast<int>(low * 10), static_cast<int>(high * 10));
        return *parseNumber(formatNumber(static_cast<float>(d(random)) / 10.0f));
    };
    const auto minus = [](float a, float b) { return *parseNumber(formatNumber(a - b)); };
    Signal s;
    const bool lead = random() % 2;
    s.arrangement = lead ? Arrangement::DualLead : Arrangement::DualLag;
    s.controller = random() % 2 ? Controller::Type170 : Controller::NemaTs2;
    s.mode = random() % 2 ? SignalMode::Yield : SignalMode::Permissive;
    const float barrier[2] = {tenths(20, 70), tenths(15, 60)};
    const int rings = random() % 10 == 0 ? 1 : 2;
    for (int ring = 0; ring < rings; ++ring) {
        const int o = ring * 4, coordinated = o + (lead ? 2 : 1), leftTurn = o + (lead ? 1 : 2);
        std::array<float, 9> split{};
        split[coordinated] = barrier[0];
        if (random() % 3 != 0) {
            split[leftTurn] = tenths(5, barrier[0] / 2);
            split[coordinated] = minus(barrier[0], split[leftTurn]);
        }
        switch (random() % 4) {
        case 0:
            split[o + 3] = tenths(5, barrier[1] * 0.6f);
            split[o + 4] = minus(barrier[1], split[o + 3]);
            break;
        case 1: split[o + 3] = barrier[1]; break;
        case 2: split[o + 4] = barrier[1]; break;
        default: break;
        }
        for (int k = o + 1; k <= o + 4; ++k) {
            if (!(split[k] > 0)) continue;
            SignalPhase p;
            p.number = k;
            p.position = k;
            p.timing = PhaseTiming{split[k], tenths(2, 15), tenths(3, 5), tenths(0, 3)};
            s.phases.push_back(p);
        }
    }
    float total[2] = {0, 0};
    for (const SignalPhase& p : s.phases) total[p.position > 4] = total[p.position > 4] + p.timing->split;
    const float cycle = total[1] > total[0] ? total[1] : total[0];
    s.cycle = {formatNumber(cycle), cycle};
    s.sequence = gridSequence(s.phases);
    s.coordinated = gridCoordinated(s.phases, s.arrangement);
    return s;
}

TEST(PlanCalculation, GridPlansReadAsTheTimingWindowReadsThemToTheLastDigit) {
    int compared = 0;
    const auto check = [&](const std::optional<Signal>& signal, const std::string& where) {
        if (!signal) return;
        ++compared;
        const std::string d = differences(*signal);
        EXPECT_TRUE(d.empty()) << where << ":" << d;
    };
    // Real plans: every intersection of the test networks the grid holds, under both
    // controllers and both modes.
    for (const char* file : {"chattanooga.csv", "glendale.csv", "peoria-3-7.csv", "union-hills-6.csv", "us60-10.csv",
                             "excerpts/bullhead-parkway.csv", "excerpts/bullhead-pretimed.csv",
                             "excerpts/chattanooga-2.csv", "excerpts/i19-ruby.csv", "excerpts/kingman.csv",
                             "excerpts/peoria-3.csv", "plans/us60-5-single-coordinated.csv",
                             "plans/peoria-85-single-coordinated.csv"}) {
        const UtdfNetwork network = readNetwork(utdf8(file));
        for (const NetworkIntersection& x : network.intersections) {
            const NetworkStanding standing = standingOf(x);
            if (!standing.placement) continue;
            for (const char* controller : {tag::kNema, tag::kType170})
                for (const char* mode : {tag::kPermissive, tag::kYield}) {
                    auto imported = networkSignal(standing, controller, mode);
                    if (auto* state = std::get_if<WindowState>(&imported))
                        check(windowSignal(*state), std::string(file) + " #" + x.id + " " + controller + " " + mode);
                }
        }
    }
    // The projects among the test data.
    for (const char* file : {"long-result.tvm", "main-and-1st.tvm", "six-phases.tvm"}) {
        const std::string path = std::string(TAVIMO_TEST_DATA) + "/" + file;
        auto values = readProjectFile(path);
        ASSERT_TRUE(std::holds_alternative<ProjectValues>(values)) << file;
        auto opened = openedSignal(std::get<ProjectValues>(values), path);
        ASSERT_TRUE(std::holds_alternative<WindowState>(opened)) << file;
        check(windowSignal(std::get<WindowState>(opened)), file);
    }
    EXPECT_GT(compared, 300);
    // Generated plans.
    std::mt19937 random(21);
    for (int n = 0; n < 20000; ++n) {
        const Signal s = generatedPlan(random);
        check(s, "generated plan " + std::to_string(n));
        if (HasFailure()) break;
    }
}

// ---- The plan's own checks ----------------------------------------------------------

Signal leadLagPlan(std::array<float, 8> splits) {
    Signal s;
    const int order[2][2][2] = {{{1, 2}, {3, 4}}, {{6, 5}, {7, 8}}};
    float total = 0;
    for (int ring = 0; ring < 2; ++ring)
        for (int barrier = 0; barrier < 2; ++barrier) {
            RingBarrier rb{ring + 1, barrier + 1, {}};
            for (int phase : order[ring][barrier]) {
                rb.phases.push_back(phase);
                SignalPhase p;
                p.number = phase;
                p.timing = PhaseTiming{splits[static_cast<std::size_t>(phase - 1)], 5, 4, 1};
                s.phases.push_back(p);
                if (ring == 0) total += p.timing->split;
            }
            s.sequence.push_back(rb);
        }
    s.cycle = {formatNumber(total), total};
    s.coordinated = {2, 6};
    return s;
}

TEST(PlanCalculation, ALeadLagPlanIsTimedByEachRingsOwnOrder) {
    // Ring 1 runs 1 (15) then 2 (35), ring 2 runs 6 (30) then 5 (20); 3, 4, 7, 8 follow.
    Signal s = leadLagPlan({15, 35, 25, 25, 20, 30, 20, 30});
    const PlanCalculation nema = calculatePlan(s);
    ASSERT_EQ(nema.stop, PlanStop::Completed);
    EXPECT_TRUE(nema.barrierMismatches.empty());
    // NEMA counts from phase 6's green at the barrier; every clearance is 5.
    const std::pair<int, float> nemaForceOffs[] = {{6, 25}, {1, 10}, {5, 45}, {2, 45}, {3, 70}, {7, 65}, {4, 95}, {8, 95}};
    for (auto [phase, forceOff] : nemaForceOffs) EXPECT_FLOAT_EQ(nema.phase(phase)->forceOff, forceOff) << phase;
    // Phase 5 opens at 6's force-off, phase 2 is coordinated and has no window.
    EXPECT_FLOAT_EQ(*nema.phase(5)->permissiveStart, 25);
    EXPECT_FALSE(nema.phase(2)->permissiveStart);

    // Type 170 counts from the first coordinated yellow: phase 6's, at 25.
    s.controller = Controller::Type170;
    const PlanCalculation one70 = calculatePlan(s);
    EXPECT_FLOAT_EQ(one70.localZero, 25);
    EXPECT_FLOAT_EQ(one70.phase(6)->forceOff, 0);
    EXPECT_FLOAT_EQ(one70.phase(2)->forceOff, 20);
    EXPECT_FLOAT_EQ(one70.phase(1)->forceOff, 85);  // 10 - 25, a cycle on
}

TEST(PlanCalculation, StopsAndBarrierCheckNameWhatIsWrong) {
    Signal mismatch = leadLagPlan({15, 35, 25, 25, 20, 32, 20, 28});  // ring 2 reaches barrier 1 at 52
    const PlanCalculation checked = calculatePlan(mismatch);
    ASSERT_EQ(checked.stop, PlanStop::Completed);
    ASSERT_EQ(checked.barrierMismatches.size(), 1u);
    EXPECT_EQ(checked.barrierMismatches[0].barrier, 1);
    EXPECT_FLOAT_EQ(checked.barrierMismatches[0].ring1, 50);
    EXPECT_FLOAT_EQ(checked.barrierMismatches[0].ring2, 52);

    Signal uncoordinated = leadLagPlan({15, 35, 25, 25, 20, 30, 20, 30});
    uncoordinated.coordinated.clear();
    Signal apart = uncoordinated;
    apart.coordinated = {2, 8};
    Signal wrongCycle = uncoordinated;
    wrongCycle.coordinated = {2, 6};
    wrongCycle.cycle = {"90", 90.f};
    Signal noNumber = wrongCycle;
    noNumber.cycle = {"ninety", std::nullopt};
    Signal untimed = wrongCycle;
    for (SignalPhase& p : untimed.phases) p.timing->split = 0;
    const std::pair<const Signal*, PlanStop> stops[] = {{&uncoordinated, PlanStop::NoCoordinatedPhase},
                                                        {&apart, PlanStop::CoordinatedApart},
                                                        {&wrongCycle, PlanStop::CycleMismatch},
                                                        {&noNumber, PlanStop::CycleMismatch},
                                                        {&untimed, PlanStop::ZeroRingCycle}};
    for (auto [signal, stop] : stops) EXPECT_EQ(calculatePlan(*signal).stop, stop);
}

}  // namespace
}  // namespace tavimo
