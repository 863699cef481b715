// SPDX-License-Identifier: MIT
// A calculated signal on the master clock: its greens from the splits, the offset and
// the reference, and so its offset in every reference.
#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "calc/signal_offsets.h"
#include "calc/signal_reading.h"
#include "calc/window_calculation.h"
#include "io/network_corridor.h"
#include "io/network_plan.h"
#include "io/network_signal.h"
#include "io/signal_arrival.h"
#include "io/utdf_network.h"
#include "model/new_signal.h"
#include "model/number_text.h"

namespace tavimo {
namespace {

double apartOnCycle(double a, double b, double cycle) {
    const double d = onCycle(a - b, cycle);
    return std::min(d, cycle - d);
}

// The typed signal as the timing window or the plan window would hold the intersection,
// with the phases the file coordinates where the window's grid names others.
struct Imported {
    Signal signal;
    std::vector<int> coordinatedByFile;
};

std::optional<Imported> signalOf(const NetworkIntersection& x, const std::string& controller) {
    const NetworkStanding standing = standingOf(x);
    if (standing.placement) {
        auto state = networkSignal(standing, controller, tag::kPermissive);
        if (!std::holds_alternative<WindowState>(state)) return std::nullopt;
        const WindowState& window = std::get<WindowState>(state);
        const std::optional<Signal> read = readSignal(snapshotOf(window)).signal;
        if (!read) return std::nullopt;
        return Imported{*read, window.plan.coordinatedByFile};
    }
    auto plan = networkPlan(x, controller == tag::kType170 ? Controller::Type170 : Controller::NemaTs2,
                            SignalMode::Permissive);
    if (!std::holds_alternative<Signal>(plan)) return std::nullopt;
    return Imported{std::get<Signal>(plan), {}};
}

// Every actuated-coordinated plan of the real networks, under both controllers: the
// offset in the plan's own reference is the file's Offset; where the calculated
// force-offs agree with the file, every green lies where [Phases] Start and Yield put
// it, and so every reference point lies where the file's own greens put it.
TEST(SignalOffsets, CalculatedRealPlansStandOnTheMasterClockWhereTheFileDoes) {
    const char* const networks[] = {"bullhead-parkway.csv", "bullhead-seg4.csv", "camp-verde.csv", "chattanooga.csv",
                                    "cortaro-am.csv",       "cortaro-pm.csv",    "glendale.csv",   "i19-ruby.csv",
                                    "kingman.csv",          "lake-havasu.csv",   "payson.csv",     "peoria.csv",
                                    "sedona.csv",           "union-hills.csv",   "us60.csv"};
    int plans = 0, agreeing = 0, withFlashingDontWalk = 0;
    for (const char* name : networks) {
        auto read = readUtdfNetwork(std::string(TAVIMO_TEST_DATA) + "/utdf8/" + name);
        ASSERT_TRUE(std::holds_alternative<UtdfNetwork>(read)) << name;
        for (const NetworkIntersection& x : std::get<UtdfNetwork>(read).intersections) {
            if (!x.hasTimeplan || x.controlType != "3") continue;
            for (const char* controller : {tag::kNema, tag::kType170}) {
                SCOPED_TRACE(std::string(name) + " " + x.id + " " + controller);
                const std::optional<Imported> imported = signalOf(x, controller);
                ASSERT_TRUE(imported);
                const Signal* signal = &imported->signal;
                ASSERT_TRUE(signal->offset);
                const PlanCalculation calculation = calculatePlan(*signal);
                if (calculation.stop == PlanStop::NoCoordinatedPhase) continue;  // Reference Phase 0
                ASSERT_EQ(calculation.stop, PlanStop::Completed);
                const double cycle = *signal->cycle.seconds;
                const auto offsets = signalOffsetsOf(*signal, calculation, imported->coordinatedByFile);
                ASSERT_TRUE(offsets && offsets->points);
                const auto own = offsetIn(*offsets->points, signal->offset->reference);
                ASSERT_TRUE(own);
                EXPECT_LT(apartOnCycle(*own, *parseNumber(x.offset), cycle), 0.05);
                ++plans;

                std::vector<std::pair<int, float>> forceOffs;
                for (const PlanPhaseResult& p : calculation.phases) forceOffs.emplace_back(p.number, p.forceOff);
                if (!planAgreementWith(x, signal->coordinated, static_cast<float>(cycle), forceOffs,
                                       signal->controller == Controller::Type170)
                         .agrees)
                    continue;
                ++agreeing;
                const auto master = masterClockPlan(*signal, calculation, imported->coordinatedByFile);
                ASSERT_TRUE(master);
                for (const CoordinationPhase& p : master->phases) {
                    const NetworkPhase& file = x.phases[static_cast<std::size_t>(p.number - 1)];
                    EXPECT_LT(apartOnCycle(p.start, *parseNumber(file.start), cycle), 0.05) << "phase " << p.number;
                    EXPECT_LT(apartOnCycle(p.yield, *parseNumber(file.yield), cycle), 0.05) << "phase " << p.number;
                }
                const auto filePoints = referencePointsOf(std::get<CoordinationPlan>(coordinationPlanOf(x)));
                ASSERT_TRUE(filePoints);
                for (auto reference : {OffsetReference::Ts2, OffsetReference::LastGreen, OffsetReference::Type170,
                                       OffsetReference::Red, OffsetReference::FlashingDontWalk}) {
                    const auto ours = offsetIn(*offsets->points, reference), theirs = offsetIn(*filePoints, reference);
                    ASSERT_EQ(ours.has_value(), theirs.has_value()) << referenceName(reference);
                    if (ours) {
                        EXPECT_LT(apartOnCycle(*ours, *theirs, cycle), 0.05) << referenceName(reference);
                    }
                }
                withFlashingDontWalk += offsets->points->flashingDontWalk ? 1 : 0;
            }
        }
    }
    // 212 plans with a coordinated phase, each under both controllers, all agreeing
    // when counted from the coordinated phases the calculation times.
    EXPECT_EQ(plans, 2 * 212);
    EXPECT_EQ(agreeing, 2 * 212);
    EXPECT_GT(withFlashingDontWalk, 0);
}

// Hand-checkable: phases 2 and 6 coordinated in a cycle of 100, 2 and 6 from 0 to 36
// (split 40, yellow 3, all red 1), 4 and 8 from 40 to 96 after them.
TEST(SignalOffsets, EveryReferenceOfOnePlanAndNoneInvented) {
    Signal s;
    s.cycle = {"100", 100.f};
    for (int n : {2, 4, 6, 8}) {
        SignalPhase p;
        p.number = n;
        p.timing = PhaseTiming{n % 4 == 2 ? 40.f : 60.f, 5, 3, 1};
        if (n == 2) p.flashDontWalk = 10;
        s.phases.push_back(p);
    }
    s.sequence = {{1, 1, {2}}, {1, 2, {4}}, {2, 1, {6}}, {2, 2, {8}}};
    s.coordinated = {2, 6};
    struct Case {
        std::optional<Offset> offset;
        Controller controller;
        std::optional<double> ts2, type170, red, flashingDontWalk;
    };
    const Case cases[] = {
        {std::nullopt, Controller::NemaTs2, {}, {}, {}, {}},
        {Offset{10, OffsetReference::Ts2}, Controller::NemaTs2, 10, 46, 49, 36},
        {Offset{10, OffsetReference::Ts2}, Controller::Type170, 10, 46, 49, 36},  // the controller counts, not the plan
        {Offset{30, OffsetReference::Type170}, Controller::Type170, 94, 30, 33, 20},
        {Offset{5, OffsetReference::Red}, Controller::NemaTs2, 66, 2, 5, 92},
        {Offset{0, OffsetReference::FlashingDontWalk}, Controller::NemaTs2, 74, 10, 13, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offset ? referenceName(c.offset->reference) : "no offset");
        s.offset = c.offset;
        s.controller = c.controller;
        const auto offsets = signalOffsetsOf(s);
        ASSERT_EQ(offsets.has_value(), c.offset.has_value());
        if (!offsets) continue;
        ASSERT_TRUE(offsets->points);
        EXPECT_NEAR(offsets->points->ts2, *c.ts2, 1e-4);
        EXPECT_NEAR(offsets->points->lastGreen, *c.ts2, 1e-4);
        EXPECT_NEAR(offsets->points->type170, *c.type170, 1e-4);
        EXPECT_NEAR(offsets->points->red, *c.red, 1e-4);
        EXPECT_NEAR(offsets->points->flashingDontWalk.value_or(-1), *c.flashingDontWalk, 1e-4);
    }
    // Without pedestrian timing there is no flashing don't walk to count to: the offset
    // is kept but placed nowhere.
    s.phases[0].flashDontWalk.reset();
    s.offset = Offset{0, OffsetReference::FlashingDontWalk};
    const auto offsets = signalOffsetsOf(s);
    ASSERT_TRUE(offsets);
    EXPECT_FALSE(offsets->points);
    EXPECT_EQ(offsets->own, *s.offset);
}

// The new-signal dialog's Offset reaches the typed signal with its controller's
// reference, and the creator with it; the dialog's refusals are the window tests'.
TEST(SignalOffsets, NewSignalKeepsTheOffsetAndTheCreator) {
    struct Case {
        const char* typed;
        const char* cycle;
        bool nema;
        std::optional<Offset> kept;
        const char* refused;
    };
    const Case cases[] = {
        {"", "100", true, std::nullopt, ""},
        {" 12.5", "100", true, Offset{12.5f, OffsetReference::Ts2}, ""},
        {"0", "100", false, Offset{0, OffsetReference::Type170}, ""},
        {"99", "", true, Offset{99, OffsetReference::Ts2}, ""},  // the window asks for the cycle later
        {"100", "100", true, std::nullopt, "Offset must be less than the Cycle Length!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const auto read = readNewOffset(c.typed, c.cycle);
        if (*c.refused) {
            EXPECT_EQ(std::get<std::string>(read), c.refused);
            continue;
        }
        NewSignalChoice choice;
        choice.cycleLength = c.cycle;
        choice.nema = c.nema;
        choice.createdBy = "J. Ortiz";
        choice.offset = std::get<std::optional<float>>(read);
        const std::optional<Signal> typed = readSignal(snapshotOf(startedSignal(choice))).signal;
        ASSERT_TRUE(typed);
        EXPECT_EQ(typed->offset, c.kept);
        EXPECT_EQ(typed->createdBy, "J. Ortiz");
    }
}

}  // namespace
}  // namespace tavimo
