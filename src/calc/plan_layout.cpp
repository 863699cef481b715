// SPDX-License-Identifier: MIT
// The running phases of a plan put on their rings' clocks. Each ring adds its own
// splits in running order, so a plan whose rings meet at every barrier is timed as
// the rings run.
#include <algorithm>
#include <cmath>

#include "ring_barrier_plan.h"

namespace tavimo::ringbarrier {

namespace {

void sumRingsAsTyped(const Signal& signal, PlanCalculation& out) {
    for (const RingBarrier& rb : signal.sequence) {
        if (rb.ring < 1 || rb.ring > 2) continue;
        for (int number : rb.phases)
            if (const SignalPhase* p = signal.phase(number); p && p->timing)
                out.ringTotal[rb.ring - 1] = out.ringTotal[rb.ring - 1] + p->timing->split;
    }
    out.ringCycle = out.ringTotal[1] > out.ringTotal[0] ? out.ringTotal[1] : out.ringTotal[0];
}


// Each ring's clock runs through its phases of the barriers in `order`. A ring with no
// phase in a barrier waits there for the other ring.
void walkBarriers(Plan& plan, const std::vector<std::size_t>& order, float clock[2]) {
    for (std::size_t b : order) {
        for (int ring = 0; ring < 2; ++ring)
            for (int i : plan.at(ring, b)) {
                plan[i].end = clock[ring] + plan[i].s;
                clock[ring] = plan[i].end;
            }
        for (int ring = 0; ring < 2; ++ring)
            if (plan.at(ring, b).empty() && !plan.at(1 - ring, b).empty()) clock[ring] = clock[1 - ring];
    }
}

// The time from a coordinated phase's start to the end of its barrier in its ring.
float tailOf(const Plan& plan, const std::vector<int>& lane, std::size_t from) {
    float t = plan[lane[from]].s;
    for (std::size_t k = from + 1; k < lane.size(); ++k) t = t + plan[lane[k]].s;
    return t;
}

std::optional<std::size_t> coordinatedIn(const Plan& plan, const std::vector<int>& lane) {
    for (std::size_t k = 0; k < lane.size(); ++k)
        if (plan[lane[k]].coordinated) return k;
    return std::nullopt;
}

// A ring that runs nothing in a barrier where the other ring runs waits there, so its
// cycle is longer than its splits by the other ring's time in that barrier.
void addWaits(const Plan& plan, PlanCalculation& out) {
    float longest = out.ringCycle;
    for (int ring = 0; ring < 2; ++ring) {
        float total = 0;
        bool waits = false, runs = false;
        for (std::size_t b = 0; b < plan.barrierCount(); ++b) {
            const std::vector<int>& lane = plan.at(ring, b).empty() ? plan.at(1 - ring, b) : plan.at(ring, b);
            waits = waits || plan.at(ring, b).empty();
            runs = runs || !plan.at(ring, b).empty();
            for (int i : lane) total = total + plan[i].s;
        }
        if (runs && waits && total > longest) longest = total;
    }
    // Only a wait that lengthens the cycle counts: the splits' own sum keeps its digits.
    if (longest - out.ringCycle >= kTolerance) out.ringCycle = longest;
}

}  // namespace

Plan collect(const Signal& signal) {
    Plan plan;
    for (const RingBarrier& rb : signal.sequence)
        for (int number : rb.phases) {
            const SignalPhase* p = signal.phase(number);
            if (!p || !p->timing || !(p->timing->split > 0) || rb.ring < 1 || rb.ring > 2) continue;
            // A phase runs once in a cycle.
            if (std::any_of(plan.phases.begin(), plan.phases.end(), [&](const Running& r) { return r.number == number; }))
                continue;
            Running r;
            r.number = number;
            r.position = p->position;
            r.ring = rb.ring - 1;
            r.barrier = rb.barrier;
            r.s = p->timing->split;
            r.g = p->timing->minGreen;
            r.c = p->timing->amber + p->timing->allRed;
            r.coordinated =
                std::find(signal.coordinated.begin(), signal.coordinated.end(), number) != signal.coordinated.end();
            plan.phases.push_back(r);
            if (std::find(plan.barriers.begin(), plan.barriers.end(), rb.barrier) == plan.barriers.end())
                plan.barriers.push_back(rb.barrier);
        }
    std::sort(plan.barriers.begin(), plan.barriers.end());
    std::stable_sort(plan.phases.begin(), plan.phases.end(), [](const Running& a, const Running& b) {
        return a.ring != b.ring ? a.ring < b.ring : a.barrier < b.barrier;
    });
    for (auto& lane : plan.lanes) lane.assign(plan.barriers.size(), {});
    for (std::size_t i = 0; i < plan.phases.size(); ++i) {
        const Running& r = plan.phases[i];
        const auto b = std::find(plan.barriers.begin(), plan.barriers.end(), r.barrier) - plan.barriers.begin();
        plan.lanes[r.ring][static_cast<std::size_t>(b)].push_back(static_cast<int>(i));
    }
    return plan;
}

void sumRings(const Signal& signal, const Plan& plan, PlanCalculation& out) {
    sumRingsAsTyped(signal, out);
    addWaits(plan, out);
}

// Puts every phase on its ring's clock, the start of the first coordinated green at 0.
// Where a coordinated phase opens the barrier and another phase follows it, the rings
// start together at the barrier. Otherwise the coordinated phases end at the barrier
// (as leading left turns run before them), and the barrier lies as far after the
// zero as the longest of their runs to it; what runs before them comes round the
// cycle.
bool placePhases(Plan& plan, std::size_t home, float cycle) {
    bool startTogether = false, allAlone = true, lagGrid = false;
    float barrierEnd = 0;
    for (int ring = 0; ring < 2; ++ring) {
        const std::vector<int>& lane = plan.at(ring, home);
        if (auto k = coordinatedIn(plan, lane)) {
            if (*k == 0 && lane.size() > 1) startTogether = true;
            if (lane.size() > 1) allAlone = false;
            lagGrid = lagGrid || plan[lane[*k]].position % 4 == 1;
            const float tail = tailOf(plan, lane, *k);
            if (tail > barrierEnd) barrierEnd = tail;
        }
    }
    // Coordinated phases alone in their rings both start and end at the barrier; the
    // timing window's Dual Lag grid counts them from the start.
    if (allAlone && lagGrid) startTogether = true;
    std::vector<std::size_t> order;
    const std::size_t n = plan.barrierCount();
    float clock[2] = {0, 0};
    if (startTogether) {
        for (std::size_t k = 0; k < n; ++k) order.push_back((home + k) % n);
        walkBarriers(plan, order, clock);
        return true;
    }
    // Back from the barrier: the coordinated phase and what follows it in its ring, or
    // the whole ring where it has no coordinated phase here.
    std::vector<int> leading[2];
    for (int ring = 0; ring < 2; ++ring) {
        const std::vector<int>& lane = plan.at(ring, home);
        const std::size_t from = coordinatedIn(plan, lane).value_or(0);
        float end = barrierEnd;
        for (std::size_t k = lane.size(); k-- > from;) {
            plan[lane[k]].end = end;
            end = end - plan[lane[k]].s;
        }
        leading[ring].assign(lane.begin(), lane.begin() + static_cast<std::ptrdiff_t>(from));
        clock[ring] = barrierEnd;
    }
    for (std::size_t k = 1; k < n; ++k) order.push_back((home + k) % n);
    bool onlyHere[2] = {true, true};
    for (std::size_t b : order)
        for (int ring = 0; ring < 2; ++ring) onlyHere[ring] = onlyHere[ring] && plan.at(ring, b).empty();
    walkBarriers(plan, order, clock);
    for (int ring = 0; ring < 2; ++ring) {
        if (!onlyHere[ring]) {
            for (int i : leading[ring]) {
                plan[i].end = clock[ring] + plan[i].s;
                clock[ring] = plan[i].end;
            }
            continue;
        }
        // A ring that runs nothing outside this barrier runs into its coordinated
        // phase from its start a cycle on.
        const std::vector<int>& lane = plan.at(ring, home);
        if (leading[ring].empty()) continue;
        const std::size_t from = leading[ring].size();
        float end = cycle + barrierEnd - tailOf(plan, lane, from);
        for (std::size_t k = from; k-- > 0;) {
            plan[lane[k]].end = end;
            end = end - plan[lane[k]].s;
        }
    }
    return false;
}

// The phase whose clearance leads into each one: the one before it in its ring, and
// for the first phase of a ring that runs nothing in the barrier before, the last
// phase of the other ring there (the one that holds that barrier).
void findPhasesBefore(Plan& plan) {
    const std::size_t n = plan.barrierCount();
    for (int ring = 0; ring < 2; ++ring)
        for (std::size_t b = 0; b < n; ++b) {
            const std::vector<int>& lane = plan.at(ring, b);
            for (std::size_t k = 1; k < lane.size(); ++k) plan[lane[k]].before = lane[k - 1];
            if (lane.empty()) continue;
            int before = -1;
            for (std::size_t step = 1; step <= n && before < 0; ++step) {
                const std::size_t p = (b + n - step) % n;
                if (!plan.at(ring, p).empty()) before = plan.at(ring, p).back();
                else if (step == 1 && !plan.at(1 - ring, p).empty()) before = plan.at(1 - ring, p).back();
            }
            plan[lane.front()].before = before;
        }
}

void checkBarriers(const Plan& plan, PlanCalculation& out) {
    float reach[2] = {0, 0};
    for (std::size_t b = 0; b < plan.barrierCount(); ++b) {
        for (int ring = 0; ring < 2; ++ring)
            for (int i : plan.at(ring, b)) reach[ring] = reach[ring] + plan[i].s;
        // A ring that runs nothing in a barrier waits there for the other.
        for (int ring = 0; ring < 2; ++ring)
            if (plan.at(ring, b).empty()) reach[ring] = reach[1 - ring];
        if (!(std::fabs(reach[0] - reach[1]) < kTolerance))
            out.barrierMismatches.push_back({plan.barriers[b], reach[0], reach[1]});
    }
}

}  // namespace tavimo::ringbarrier
