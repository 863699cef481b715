// SPDX-License-Identifier: MIT
// The timing of any ring-barrier plan. Times are kept on one clock per ring whose zero
// is the start of the first coordinated green, and each ring adds its own splits in
// running order, so a plan whose rings meet at every barrier is timed as the rings run.
#include "calc/plan_calculation.h"

#include <algorithm>
#include <cmath>

#include "model/number_text.h"

namespace tavimo {

namespace {

// Splits with tenths, summed in single precision, can miss a cycle with tenths by a
// rounding, so a difference below a millisecond is none.
constexpr float kTolerance = 0.001f;

float intoCycle(float value, float cycle) {
    if (value > cycle) return value - cycle;
    if (value < 0) return value + cycle;
    return value;
}

struct Running {
    int number = 0;
    int position = 0;  // on the timing window's grid, 0 off it
    int ring = 0;      // 0 or 1
    int barrier = 0;
    float s = 0, g = 0, c = 0;  // split, min green, clearance
    bool coordinated = false;
    float end = 0;          // end of the split on the ring's clock
    float rawForceOff = 0;  // before it is brought into the cycle
    float nemaForceOff = 0;
    float forceOff = 0;
    float broughtBy = 0;  // what was added to bring the force-off into the cycle
    int before = -1;      // the phase whose clearance leads into this one
    float moved = 0;      // the NEMA force-off counted from the controller's local zero
    bool tenths = false;  // its results kept to tenths once moved
    std::optional<float> ownStart, ownEnd, start, finish;
};

// The plan's running phases by ring and barrier, and what the timing finds on them.
struct Plan {
    std::vector<Running> phases;  // ring by ring, barrier by barrier, in running order
    std::vector<int> barriers;    // as numbered, ascending
    // Indexes into phases of each ring's phases in a barrier (by its index in barriers).
    std::vector<std::vector<int>> lanes[2];

    const std::vector<int>& at(int ring, std::size_t barrier) const { return lanes[ring][barrier]; }
    Running& operator[](int i) { return phases[static_cast<std::size_t>(i)]; }
    const Running& operator[](int i) const { return phases[static_cast<std::size_t>(i)]; }
    std::size_t barrierCount() const { return barriers.size(); }
    std::size_t previous(std::size_t b) const { return (b + barriers.size() - 1) % barriers.size(); }
};

Plan collect(const Signal& signal) {
    Plan plan;
    for (const RingBarrier& rb : signal.sequence)
        for (int number : rb.phases) {
            const SignalPhase* p = signal.phase(number);
            if (!p || !p->timing || !(p->timing->split > 0) || rb.ring < 1 || rb.ring > 2) continue;
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

// The ring totals count every timed phase, as its split is typed.
void sumRings(const Signal& signal, PlanCalculation& out) {
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

// Where the coordinated phases end at the barrier, the first to turn yellow is the
// one with the longest clearance M: the zero lies M before the barrier, each
// coordinated phase forces off its own clearance before M ends, and the phase that
// runs into a coordinated phase ends where it starts, a cycle on. Ring 1 of a full
// Dual Lead plan (a leading left turn and two side-street phases) is kept to tenths.
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
        p.tenths = fullLead && p.ring == 0 && plan[plan.at(0, home).back()].coordinated;
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

// The sums of a window's end are taken in the order the timing sheets have always
// taken them for that kind of phase, so that a plan the timing window holds reads to
// the last digit as it does there. In exact numbers every order is the same.
struct WindowEnd {
    const Plan& plan;
    std::size_t home;
    bool startTogether;
    float C;

    std::size_t elsewhere(int ring) const {
        std::size_t n = 0;
        for (std::size_t b = 0; b < plan.barrierCount(); ++b)
            if (b != home) n += plan.at(ring, b).size();
        return n;
    }
    bool leadsCoordinated(const Running& p) const {
        const std::vector<int>& lane = plan.at(p.ring, home);
        for (std::size_t k = 0; k + 1 < lane.size(); ++k)
            if (&plan[lane[k]] == &p) return plan[lane[k + 1]].coordinated;
        return false;
    }
    static bool atFourth(const Running& p) { return p.position > 0 && p.position % 4 == 0; }
    bool aloneWithCoordinated(int ring) const {
        const std::vector<int>& lane = plan.at(ring, home);
        return lane.size() == 1 && plan[lane.front()].coordinated;
    }
    bool closesRing(const Running& p) const {
        for (std::size_t b = plan.barrierCount(); b-- > 0;)
            if (!plan.at(p.ring, b).empty()) return &plan[plan.at(p.ring, b).back()] == &p && b != home;
        return false;
    }
    // The last side street of a Dual Lead ring without a leading left turn ends the cycle.
    bool endsCycle(const Running& p) const {
        return !startTogether && closesRing(p) && aloneWithCoordinated(p.ring) && atFourth(p);
    }

    float operator()(const Running& p, const Running& q) const {
        const float end = p.end;
        if (!startTogether && leadsCoordinated(p) && p.barrier == plan.barriers[home]) {
            const std::size_t others = elsewhere(p.ring);
            if (others >= 2) return end - q.c - p.g - p.c;
            if (others == 1) return end - p.c - q.c - p.g;
        }
        if (startTogether && q.coordinated && p.barrier == plan.barriers[home])
            return elsewhere(p.ring) > 0 ? end - q.c - p.c - p.g : end - q.c - p.g - p.c;
        if (startTogether && closesRing(p)) {
            const std::size_t alongside = plan.at(p.ring, (home + 1) % plan.barrierCount()).size();
            if (alongside >= 2) return C - p.c - p.g - q.c;
            if (alongside == 1 && aloneWithCoordinated(p.ring) && atFourth(p))
                return end - q.c - p.c - p.g;
        }
        if (endsCycle(p)) return elsewhere(p.ring) == 1 ? C - p.c - p.g - q.c : end - p.c - p.g - q.c;
        return p.rawForceOff - p.g - q.c;
    }
};

// Both take the smaller value.
void join(std::optional<float>& a, std::optional<float>& b) {
    if (!a || !b) return;
    if (*a >= *b) a = b;
    else b = a;
}

// Concurrent phases of the two rings share their windows: in every barrier the first
// phases by their starts and the last ones by their ends, or pair by pair where both
// rings run as many phases there.
void joinRings(Plan& plan) {
    for (std::size_t b = 0; b < plan.barrierCount(); ++b) {
        const std::vector<int>& one = plan.at(0, b);
        const std::vector<int>& two = plan.at(1, b);
        if (one.empty() || two.empty()) continue;
        if (one.size() == two.size()) {
            for (std::size_t k = 0; k < one.size(); ++k) {
                join(plan[one[k]].start, plan[two[k]].start);
                join(plan[one[k]].finish, plan[two[k]].finish);
            }
        } else {
            join(plan[one.front()].start, plan[two.front()].start);
            join(plan[one.back()].finish, plan[two.back()].finish);
        }
    }
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

const PlanPhaseResult* PlanCalculation::phase(int number) const {
    for (const PlanPhaseResult& p : phases)
        if (p.number == number) return &p;
    return nullptr;
}

PlanCalculation calculatePlan(const Signal& signal) {
    PlanCalculation out;
    sumRings(signal, out);
    Plan plan = collect(signal);
    addWaits(plan, out);
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
        // A hair before zero is zero, as the timing window keeps it.
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
            // The timing window leaves a side street standing alone at its fourth
            // position as it opens.
            Running& p = plan[lane.front()];
            if (WindowEnd::atFourth(p)) continue;
            if (p.start && *p.start < 0.5f) p.start = 0.f;
        }
    }
    for (const Running& p : plan.phases)
        out.phases.push_back({p.number, p.ring + 1, p.barrier, p.coordinated, p.forceOff, p.start, p.finish,
                              p.ownStart, p.ownEnd});
    return out;
}

}  // namespace tavimo
