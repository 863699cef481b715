// SPDX-License-Identifier: MIT
// The permissive windows of a ring-barrier plan: where each closes, and how the two
// rings share them.
#include "ring_barrier_plan.h"

namespace tavimo::ringbarrier {

std::size_t WindowEnd::elsewhere(int ring) const {
    std::size_t n = 0;
    for (std::size_t b = 0; b < plan.barrierCount(); ++b)
        if (b != home) n += plan.at(ring, b).size();
    return n;
}

bool WindowEnd::leadsCoordinated(const Running& p) const {
    const std::vector<int>& lane = plan.at(p.ring, home);
    for (std::size_t k = 0; k + 1 < lane.size(); ++k)
        if (&plan[lane[k]] == &p) return plan[lane[k + 1]].coordinated;
    return false;
}

bool WindowEnd::aloneWithCoordinated(int ring) const {
    const std::vector<int>& lane = plan.at(ring, home);
    return lane.size() == 1 && plan[lane.front()].coordinated;
}

bool WindowEnd::closesRing(const Running& p) const {
    for (std::size_t b = plan.barrierCount(); b-- > 0;)
        if (!plan.at(p.ring, b).empty()) return &plan[plan.at(p.ring, b).back()] == &p && b != home;
    return false;
}

// The last side street of a Dual Lead ring without a leading left turn ends the cycle.
bool WindowEnd::endsCycle(const Running& p) const {
    return !startTogether && closesRing(p) && aloneWithCoordinated(p.ring) && atFourth(p);
}

// The sums of a window's end are taken in the order the timing sheets have always
// taken them for that kind of phase, so that a plan the timing window holds reads to
// the last digit as it does there. In exact numbers every order is the same.
float WindowEnd::operator()(const Running& p, const Running& q) const {
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

namespace {

// Both take the smaller value.
void join(std::optional<float>& a, std::optional<float>& b) {
    if (!a || !b) return;
    if (*a >= *b) a = b;
    else b = a;
}

}  // namespace

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

}  // namespace tavimo::ringbarrier
