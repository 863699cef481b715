// SPDX-License-Identifier: MIT
#include "calc/signal_offsets.h"

#include <algorithm>

#include "calc/signal_reading.h"
#include "calc/window_calculation.h"

namespace tavimo {

namespace {

// Where a phase runs: its ring, barrier and order inside them.
const RingBarrier* placeOf(const Signal& signal, int phase, int& order) {
    for (const RingBarrier& rb : signal.sequence)
        for (std::size_t i = 0; i < rb.phases.size(); ++i)
            if (rb.phases[i] == phase) {
                order = static_cast<int>(i) + 1;
                return &rb;
            }
    return nullptr;
}

}  // namespace

std::optional<CoordinationPlan> masterClockPlan(const Signal& signal, const PlanCalculation& calculation,
                                                const std::vector<int>& coordinated) {
    if (!signal.offset || calculation.stop != PlanStop::Completed || !signal.cycle.seconds ||
        !(*signal.cycle.seconds > 0))
        return std::nullopt;
    CoordinationPlan plan;
    plan.cycle = *signal.cycle.seconds;
    plan.coordinated = coordinated.empty() ? signal.coordinated : coordinated;
    for (const PlanPhaseResult& r : calculation.phases) {
        const SignalPhase* phase = signal.phase(r.number);
        int order = 0;
        const RingBarrier* place = placeOf(signal, r.number, order);
        if (!phase || !phase->timing || !place) continue;
        const PhaseTiming& t = *phase->timing;
        CoordinationPhase p;
        p.number = r.number;
        p.barrier = place->barrier;
        p.ring = place->ring;
        p.position = order;
        // Counted from the first coordinated green, where a NEMA TS2 controller has
        // its local zero; a Type 170 has it localZero later.
        p.yield = static_cast<double>(r.forceOff) + calculation.localZero;
        p.start = p.yield - std::max(0.0, static_cast<double>(t.split) - t.amber - t.allRed);
        p.yellow = t.amber;
        p.dontWalk = phase->flashDontWalk.value_or(0);
        plan.phases.push_back(p);
    }
    if (!moveToOffset(plan, signal.offset->reference, signal.offset->seconds)) return std::nullopt;
    return plan;
}

std::optional<SignalOffsets> signalOffsetsOf(const Signal& signal, const PlanCalculation& calculation,
                                             const std::vector<int>& coordinated) {
    if (!signal.offset) return std::nullopt;
    SignalOffsets offsets{*signal.offset, std::nullopt};
    if (const std::optional<CoordinationPlan> plan = masterClockPlan(signal, calculation, coordinated))
        offsets.points = referencePointsOf(*plan);
    return offsets;
}

std::optional<SignalOffsets> signalOffsetsOf(const Signal& signal) {
    if (!signal.offset) return std::nullopt;
    return signalOffsetsOf(signal, calculatePlan(signal));
}

}  // namespace tavimo

namespace tavimo {

std::optional<SignalOffsets> windowOffsetsOf(const WindowState& window) {
    const SignalPlan& plan = window.plan;
    if (!plan.offset) return std::nullopt;
    const SignalReading reading = readSignal(snapshotOf(window));
    if (!reading.signal || reading.message) return SignalOffsets{*plan.offset, std::nullopt};
    return signalOffsetsOf(*reading.signal, calculatePlan(*reading.signal), plan.coordinatedByFile);
}

}  // namespace tavimo
