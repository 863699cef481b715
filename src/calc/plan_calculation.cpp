// SPDX-License-Identifier: MIT
// The timing of any ring-barrier plan: force-offs from the controller's local zero,
// permissive windows, and the rings' meeting at every barrier.
#include "calc/plan_calculation.h"

#include <algorithm>
#include <cmath>

#include "model/number_text.h"

#include "ring_barrier_plan.h"

namespace tavimo {

namespace {

using namespace ringbarrier;

// Where the coordinated phases end at the barrier, the first to turn yellow is the
// one with the longest clearance M: the zero lies M before the barrier, each
// coordinated phase forces off its own clearance before M ends, and the phase that
// runs into a coordinated phase ends where it starts, a cycle on. Ring 1 of a full
// Dual Lead plan on the timing window's grid (a leading left turn and two side-street
// phases) is kept to tenths, as the window has always shown it.
float type170AtBarrier(Plan& plan, std::size_t home, float C) {
    const Running* later = nullptr;
    float M = 0;
    for (int ring = 0; ring < 2; ++ring)
        for (int i : plan.at(ring, home)) {
            const Running& p = plan[i];
            if (!p.coordinated) continue;
            if (!later || p.nemaForceOff >= later->nemaForceOff) later = &p;
            if (p.c > M) M = p.c;
        }
    const float zero = later->nemaForceOff - M + later->c;
    const bool fullLead = plan.barrierCount() == 2 && plan.at(0, home).size() == 2 &&
                          plan.at(0, 1 - home).size() == 2;
    for (Running& p : plan.phases) {
        p.tenths = fullLead && p.ring == 0 && p.position > 0 && plan[plan.at(0, home).back()].coordinated;
        p.moved = p.nemaForceOff - zero;
        p.forceOff = p.tenths ? roundToTenth(p.moved) : p.moved;
    }
    for (int ring = 0; ring < 2; ++ring) {
        const std::vector<int>& lane = plan.at(ring, home);
        for (std::size_t k = 0; k < lane.size(); ++k) {
            Running& p = plan[lane[k]];
            if (!p.coordinated) continue;
            p.forceOff = p.tenths ? roundToTenth(M - p.c) : M - p.c;
            if (k > 0) {
                Running& into = plan[lane[k - 1]];
                into.forceOff = C - p.s + M - into.c;
            }
        }
    }
    return zero;
}

// Type 170 counts from the first coordinated yellow; NEMA TS2 from the start of the
// first coordinated green, where the clock already stands.
float moveToLocalZero(Plan& plan, std::size_t home, bool startTogether, Controller controller, float C) {
    bool endAtBarrier = !startTogether;
    for (int ring = 0; ring < 2; ++ring) {
        const std::vector<int>& lane = plan.at(ring, home);
        for (std::size_t k = 0; k + 1 < lane.size(); ++k)
            if (plan[lane[k]].coordinated) endAtBarrier = false;
    }
    float zero = 0;
    if (controller == Controller::Type170 && endAtBarrier) {
        zero = type170AtBarrier(plan, home, C);
    } else {
        bool first = true;
        if (controller == Controller::Type170)
            for (const Running& p : plan.phases)
                if (p.coordinated && (first || p.nemaForceOff < zero)) zero = p.nemaForceOff, first = false;
        for (Running& p : plan.phases) p.moved = p.forceOff = p.nemaForceOff - zero;
    }
    for (Running& p : plan.phases) {
        const float inCycle = intoCycle(p.forceOff, C);
        p.broughtBy = (p.nemaForceOff - p.rawForceOff) + (inCycle - p.forceOff);
        p.forceOff = inCycle;
    }
    return zero;
}

}  // namespace

const PlanPhaseResult* PlanCalculation::phase(int number) const {
    for (const PlanPhaseResult& p : phases)
        if (p.number == number) return &p;
    return nullptr;
}

PlanCalculation calculatePlan(const Signal& signal) {
    PlanCalculation out;
    Plan plan = collect(signal);
    sumRings(signal, plan, out);
    const float C = out.ringCycle;
    if (C == 0) {
        out.stop = PlanStop::ZeroRingCycle;
        return out;
    }
    const std::optional<float> cycle = signal.cycle.seconds;
    if (!cycle || !(std::fabs(*cycle - C) < kTolerance)) {
        out.stop = PlanStop::CycleMismatch;
        return out;
    }
    int home = -1;
    for (const Running& p : plan.phases) {
        if (!p.coordinated) continue;
        if (home >= 0 && home != p.barrier) {
            out.stop = PlanStop::CoordinatedApart;
            return out;
        }
        home = p.barrier;
    }
    if (home < 0) {
        out.stop = PlanStop::NoCoordinatedPhase;
        return out;
    }
    const auto homeIndex = static_cast<std::size_t>(
        std::find(plan.barriers.begin(), plan.barriers.end(), home) - plan.barriers.begin());
    const bool startTogether = placePhases(plan, homeIndex, C);
    findPhasesBefore(plan);
    checkBarriers(plan, out);
    const WindowEnd windowEnd{plan, homeIndex, startTogether, C};

    for (Running& p : plan.phases) {
        p.rawForceOff = (windowEnd.endsCycle(p) ? C : p.end) - p.c;
        p.nemaForceOff = intoCycle(p.rawForceOff, C);
    }
    const float zero = moveToLocalZero(plan, homeIndex, startTogether, signal.controller, C);
    out.localZero = zero;
    // A window opens at the force-off of the phase before and closes at the phase's
    // own force-off less its minimum green and the clearance before it, taken before
    // the force-off is brought into the cycle.
    for (Running& p : plan.phases) {
        if (p.coordinated || p.before < 0) continue;
        const Running& q = plan[p.before];
        p.ownStart = q.nemaForceOff;
        p.ownEnd = windowEnd(p, q);
        // A window opening a hair before zero opens there; one opening well before it
        // opens a cycle on.
        const float opens = p.tenths ? roundToTenth(q.moved) : q.moved;
        p.start = opens < -kTolerance ? opens + C : opens;
        float end = *p.ownEnd - zero;
        if (p.tenths) end = roundToTenth(end);
        if (end > C) end = end - C;
        else if (end < 0 && p.broughtBy > 0) end = end + C;
        p.finish = end;
    }
    joinRings(plan);
    if (signal.mode == SignalMode::Yield) {
        float yieldPoint = C;
        for (const Running& p : plan.phases)
            if (p.coordinated && p.forceOff < yieldPoint) yieldPoint = p.forceOff;
        out.yieldPoint = yieldPoint;
        for (Running& p : plan.phases)
            if (!p.coordinated && p.start) p.start = yieldPoint;
    }
    // A window after the coordinated barrier that opens within half a second of local
    // zero opens at zero.
    if (plan.barrierCount() > 1) {
        const std::size_t next = (homeIndex + 1) % plan.barrierCount();
        for (int ring = 0; ring < 2; ++ring) {
            const std::vector<int>& lane = plan.at(ring, next);
            if (lane.empty()) continue;
            // On the timing window's grid only positions 3 and 7 are moved so.
            Running& p = plan[lane.front()];
            if (WindowEnd::atFourth(p)) continue;
            if (p.start && *p.start < 0.5f) p.start = 0.f;
        }
    }
    for (const Running& p : plan.phases) {
        float splitEnd = std::fmod(p.end, C);
        if (splitEnd < 0) splitEnd = splitEnd + C;
        out.phases.push_back({p.number, p.ring + 1, p.barrier, p.coordinated, p.forceOff, p.start, p.finish,
                              p.ownStart, p.ownEnd, splitEnd});
    }
    return out;
}

}  // namespace tavimo
