// SPDX-License-Identifier: MIT
// The signal as values: the window's record read into rings, barriers and phases by
// number, and the calculation of a signal that no window holds.
#include <gtest/gtest.h>

#include <sstream>

#include "calc/signal_calculation.h"
#include "calc/signal_reading.h"
#include "model/number_text.h"
#include "support/typed_plan.h"

namespace tavimo {
namespace {

std::string sequenceText(const Signal& s) {
    std::ostringstream out;
    for (const RingBarrier& rb : s.sequence) {
        out << (out.tellp() > 0 ? " | " : "") << rb.ring << '/' << rb.barrier << ':';
        for (int n : rb.phases) out << ' ' << n;
    }
    return out.str();
}

std::string numbers(const std::vector<int>& v) {
    std::string out;
    for (int n : v) out += (out.empty() ? "" : " ") + std::to_string(n);
    return out;
}

TEST(SignalReading, TheGridAsRingsBarriersAndCoordinatedPhases) {
    test::TypedPlan lead, lag, tee;
    lag.arrangement = "Lag";
    lag.splits = "45 15 20 20 45 15 20 20";
    tee.splits = "15 45 20 20 15 45 - -";
    struct Case {
        const char* name;
        test::TypedPlan plan;
        const char* sequence;
        const char* coordinated;
        int leftTurnPhase;  // a phase whose movement must read as the left turn
    } cases[] = {
        {"dual lead", lead, "1/1: 1 2 | 1/2: 3 4 | 2/1: 5 6 | 2/2: 7 8", "2 6", 1},
        // Lag puts the coordinated phases 2 and 6 first in their rings.
        {"dual lag", lag, "1/1: 2 1 | 1/2: 3 4 | 2/1: 6 5 | 2/2: 7 8", "2 6", 5},
        {"T-intersection", tee, "1/1: 1 2 | 1/2: 3 4 | 2/1: 5 6", "2 6", 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CalcInput in = test::calcInput(c.plan);
        in.movement.fill("EB");
        in.cycleLength = " 100 ";
        const SignalReading read = readSignal(in);
        ASSERT_TRUE(read.signal);
        EXPECT_FALSE(read.phaseError());
        EXPECT_EQ(sequenceText(*read.signal), c.sequence);
        EXPECT_EQ(numbers(read.signal->coordinated), c.coordinated);
        EXPECT_EQ(read.signal->cycle.text, " 100 ");
        EXPECT_EQ(read.signal->cycle.seconds, 100.f);
        const SignalPhase* left = read.signal->phase(c.leftTurnPhase);
        ASSERT_TRUE(left);
        EXPECT_TRUE(left->movement.leftTurn);
        EXPECT_EQ(left->movement.approach, Approach::EB);
    }
}

TEST(SignalReading, StopsOnTheRecordsOwnRules) {
    struct Case {
        const char* name;
        void (*change)(CalcInput&);
        bool signal;
        const char* message;
    } cases[] = {
        {"amber no number", [](CalcInput& in) { in.amber[2] = "4s"; }, false,
         "Amber Time at position 3 is not a number!"},
        {"cycle out of range", [](CalcInput& in) { in.cycleLength = "1000000"; }, false, "Cycle Length is out of range!"},
        // A cycle that is no number is for the calculation to refuse, with its message.
        {"cycle no number", [](CalcInput& in) { in.cycleLength = "abc"; }, true, ""},
        {"split in a field no movement opened", [](CalcInput& in) { in.splitEnabled[3] = false; }, true,
         "Phase Error! Please re-enter phase data."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CalcInput in = test::calcInput({});
        c.change(in);
        const SignalReading read = readSignal(in);
        EXPECT_EQ(bool(read.signal), c.signal);
        EXPECT_EQ(read.message ? read.message->text : "", c.message);
    }
}

// A signal built as values, as a network file or a plan of any structure will give it:
// phases numbered apart from their positions, results found by phase number.
Signal lagSignal(Controller controller, SignalMode mode) {
    Signal s;
    s.cycle = {"100", 100.f};
    s.controller = controller;
    s.mode = mode;
    s.arrangement = Arrangement::DualLag;
    const int phaseAt[8] = {2, 1, 3, 4, 6, 5, 7, 8};
    const float split[8] = {45, 15, 20, 20, 45, 15, 20, 20}, green[8] = {10, 5, 8, 8, 10, 5, 8, 8};
    for (int k = 0; k < 8; ++k) s.phases.push_back({phaseAt[k], {}, PhaseTiming{split[k], green[k], 4, 1}, {}, {}, k + 1});
    s.sequence = gridSequence(s.phases);
    s.coordinated = gridCoordinated(s.phases, s.arrangement);
    return s;
}

TEST(SignalCalculation, ResultsByPhaseNumber) {
    struct Case {
        const char* name;
        Signal signal;
        const char* force;  // of phases 1..8
        const char* start;
        const char* end;
    } cases[] = {
        {"lag, NEMA TS2", lagSignal(Controller::NemaTs2, SignalMode::Permissive), "55 40 75 95 55 40 75 95",
         "40 0 55 75 40 0 55 75", "45 0 62 82 45 0 62 82"},
        {"lag, yield", lagSignal(Controller::NemaTs2, SignalMode::Yield), "55 40 75 95 55 40 75 95",
         "40 0 40 40 40 0 40 40", "45 0 62 82 45 0 62 82"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SignalResults r = calculateSignal(c.signal);
        ASSERT_EQ(r.stop, SignalStop::Completed);
        std::string force, start, end;
        for (int n = 1; n <= 8; ++n) {
            const PhaseResult* p = r.phase(n);
            ASSERT_TRUE(p && p->forceOff && p->permissiveStart && p->permissiveEnd);
            force += (n > 1 ? " " : "") + formatNumber(*p->forceOff);
            start += (n > 1 ? " " : "") + formatNumber(*p->permissiveStart);
            end += (n > 1 ? " " : "") + formatNumber(*p->permissiveEnd);
        }
        EXPECT_EQ(force, c.force);
        EXPECT_EQ(start, c.start);
        EXPECT_EQ(end, c.end);
        EXPECT_EQ(r.ringCycle, 100.f);
        EXPECT_EQ(r.configuration[0], 21);
    }

    Signal noCycle = lagSignal(Controller::NemaTs2, SignalMode::Permissive);
    noCycle.cycle = {"abc", std::nullopt};
    EXPECT_EQ(calculateSignal(noCycle).stop, SignalStop::CycleMismatch);
    Signal wrongCycle = noCycle;
    wrongCycle.cycle = {"110", 110.f};
    EXPECT_EQ(calculateSignal(wrongCycle).stop, SignalStop::CycleMismatch);
    Signal untimed = noCycle;
    for (SignalPhase& p : untimed.phases) p.timing.reset();
    const SignalResults none = calculateSignal(untimed);
    EXPECT_EQ(none.stop, SignalStop::ZeroRingCycle);
    EXPECT_FALSE(none.phase(2)->forceOff);
}

}  // namespace
}  // namespace tavimo
