// SPDX-License-Identifier: MIT
// Puts the phases of one intersection of a network file on Tavimo's grid: two rings,
// the coordinated barrier at positions 1-2 and 5-6, the other barrier at 3-4 and 7-8.
// A file's barrier, ring and position (BRP) give where each phase runs; the grid holds
// what fits two rings, two barriers and one left-turn arrangement.
#include <algorithm>
#include <cmath>

#include "io/utdf_network.h"
#include "model/number_text.h"

#include "utdf_text.h"

namespace tavimo {

namespace {

struct RunningPhase {
    int phase = 0;
    int barrier = 0, ring = 0, order = 0;
};

// The grid coordinates the phases at both coordinated positions. A plan coordinated
// on `own` alone may have `partner` across the ring turn green or yellow before it; the
// grid would then count the local zero from `partner`, and every force-off would be
// off by the difference. Why such a plan cannot stand on the grid; nothing where
// `own` turns green and yellow first (or with `partner`), so that both count alike.
std::optional<std::string> firstAcross(const NetworkIntersection& x, int own, int partner, float barrierStart,
                                       float cycle) {
    const auto since = [&](const std::string& text) -> std::optional<float> {
        const auto t = parseNumber(text);
        if (!t) return std::nullopt;
        float d = std::fmod(*t - barrierStart, cycle);
        return d < 0 ? d + cycle : d;
    };
    const NetworkPhase &o = x.phases[own - 1], &p = x.phases[partner - 1];
    const auto ownStart = since(o.start), partnerStart = since(p.start);
    const auto ownYield = since(o.yield), partnerYield = since(p.yield);
    constexpr float kSame = 0.05f;  // the file's times carry a tenth of a second
    const bool greenFirst = ownStart && partnerStart && *partnerStart < *ownStart - kSame;
    const bool yellowFirst = ownYield && partnerYield && *partnerYield < *ownYield - kSame;
    if (!greenFirst && !yellowFirst) return std::nullopt;
    return "coordinated on phase " + std::to_string(own) + " alone, and phase " + std::to_string(partner) +
           ", which the timing window would coordinate with it, turns " + (greenFirst ? "green" : "yellow") +
           " first";
}

const char* countWord(std::size_t count) {
    static const char* const words[] = {"no", "one", "two", "three", "four", "five", "six", "seven", "eight"};
    return count < 9 ? words[count] : "many";
}

// "ring 1 has three phases before the barrier": Tavimo's coordinated barrier comes first.
std::string crowdedRing(int ring, std::size_t count, bool coordinatedBarrier) {
    return "ring " + std::to_string(ring) + " has " + countWord(count) + " phases " +
           (coordinatedBarrier ? "before" : "after") + " the barrier";
}

// A left turn the phase protects first: one it only permits, or runs with another
// phase, says nothing of whether the phase leads or lags.
bool servesLeftTurn(const NetworkIntersection& intersection, int phase) {
    for (const NetworkLaneGroup& group : intersection.laneGroups)
        if (group.served == NetworkLaneGroup::Served::First && group.name.size() >= 3 && group.name[2] == 'L' &&
            parseNumber(group.phase) == static_cast<float>(phase))
            return true;
    return false;
}

using utdf::smallWholeNumber;

// The [Timeplans] values besides the cycle length: a blank one is left out by the
// export, anything else must be the number it stands for.
std::optional<std::string> timeplanProblem(const NetworkIntersection& x) {
    const std::pair<const char*, const std::string*> numbers[] = {
        {"Offset", &x.offset}, {"Referenced To", &x.referencedTo}, {"Control Type", &x.controlType}};
    for (const auto& [name, value] : numbers)
        if (!isBlank(*value) && !parseNumber(*value))
            return std::string("the ") + name + " " + utdf::quoted(*value) + " is not a number";
    if (!isBlank(x.referencePhase) && !smallWholeNumber(x.referencePhase))
        return "the Reference Phase " + utdf::quoted(x.referencePhase) + " is not a phase number";
    return std::nullopt;
}

}  // namespace

std::optional<std::string> timeplanProblemOf(const NetworkIntersection& x) { return timeplanProblem(x); }

std::string controlTypeName(const std::string& controlType) {
    if (controlType == "0") return "pretimed";
    if (controlType == "1") return "actuated";
    if (controlType == "2") return "semi-actuated";
    if (controlType == "3") return "actuated-coordinated";
    return controlType;
}

std::string defaultControllerOf(const NetworkIntersection& intersection) {
    return parseNumber(intersection.referencedTo) == 1.0f ? tag::kType170 : tag::kNema;
}

std::optional<std::string> notCoordinatedReason(const NetworkIntersection& intersection) {
    if (parseNumber(intersection.controlType) == 3.0f) return std::nullopt;
    if (isBlank(intersection.controlType)) return "the plan has no Control Type";
    const std::string name = controlTypeName(intersection.controlType);
    return "the plan is not actuated-coordinated (Control Type " + intersection.controlType +
           (name != intersection.controlType ? ": " + name : "") + ")";
}

std::variant<NetworkPlacement, std::string> placeIntersection(const NetworkIntersection& x) {
    if (!x.hasTimeplan) return std::string("the intersection has no timing plan");
    if (!x.hasPhases) return std::string("the intersection has no phases");
    NetworkPlacement placed;
    const auto cycle = parseNumber(x.cycleLength);
    if (!cycle || !(*cycle > 0) || !(*cycle < 1e6f))
        return "the Cycle Length " + utdf::quoted(x.cycleLength) + " is not a cycle length";
    placed.cycle = *cycle;
    if (auto problem = timeplanProblem(x)) return *problem;

    // Phases in use: a Start and an End that differ.
    std::vector<RunningPhase> running;
    for (int n = 1; n <= 16; ++n) {
        const NetworkPhase& p = x.phases[n - 1];
        if (isBlank(p.start) && isBlank(p.end)) continue;
        const auto start = parseNumber(p.start), end = parseNumber(p.end);
        if (!start) return "phase " + std::to_string(n) + " has the Start " + utdf::quoted(p.start) + ", not a time";
        if (!end) return "phase " + std::to_string(n) + " has the End " + utdf::quoted(p.end) + ", not a time";
        if (*start == *end) continue;
        if (n > 8) return "phase " + std::to_string(n) + " is in use";
        // Start and End lie on the master clock; a split past the cycle's end wraps.
        const float split = *end > *start ? *end - *start : *end - *start + placed.cycle;
        if (!(split > 0) || split > placed.cycle)
            return "phase " + std::to_string(n) + " runs from " + formatNumber(*start) + " to " + formatNumber(*end) +
                   ", a split of " + formatNumber(split) + " that does not fit the cycle of " +
                   formatNumber(placed.cycle);
        const auto brp = smallWholeNumber(p.brp);
        if (!brp || *brp < 111 || *brp > 999)
            return "phase " + std::to_string(n) + " has no barrier, ring and position (BRP " + utdf::quoted(p.brp) + ")";
        RunningPhase r{n, *brp / 100, *brp / 10 % 10, *brp % 10};
        if (r.barrier > 2) return "phase " + std::to_string(n) + " runs in barrier " + std::to_string(r.barrier);
        if (r.ring < 1 || r.ring > 2) return "phase " + std::to_string(n) + " runs in ring " + std::to_string(r.ring);
        running.push_back(r);
    }
    const auto find = [&](int phase) -> const RunningPhase* {
        for (const RunningPhase& r : running)
            if (r.phase == phase) return &r;
        return nullptr;
    };

    // Reference Phase: ring 1's coordinated phase x 100 + ring 2's; below 100 a single one.
    std::vector<const RunningPhase*> coordinated;
    if (const auto reference = smallWholeNumber(x.referencePhase); reference && *reference > 0) {
        for (int phase : {*reference >= 100 ? *reference / 100 : *reference, *reference >= 100 ? *reference % 100 : 0})
            if (const RunningPhase* r = find(phase)) coordinated.push_back(r);
    }
    if (coordinated.empty()) return std::string("no coordinated phase is in use");
    if (coordinated.size() == 2) {
        if (coordinated[0]->barrier != coordinated[1]->barrier)
            return std::string("the coordinated phases are in different barriers");
        if (coordinated[0]->ring == coordinated[1]->ring)
            return "the coordinated phases " + std::to_string(coordinated[0]->phase) + " and " +
                   std::to_string(coordinated[1]->phase) + " are both in ring " + std::to_string(coordinated[0]->ring);
    }
    const int coordinatedBarrier = coordinated[0]->barrier;
    for (const RunningPhase* c : coordinated) placed.coordinated[c->ring - 1] = c->phase;

    // Each ring's phases per barrier, in running order.
    std::array<std::vector<RunningPhase>, 2> before, after;
    std::sort(running.begin(), running.end(),
              [](const RunningPhase& a, const RunningPhase& b) { return a.order < b.order; });
    for (const RunningPhase& r : running)
        (r.barrier == coordinatedBarrier ? before : after)[r.ring - 1].push_back(r);
    for (int ring = 1; ring <= 2; ++ring) {
        if (before[ring - 1].size() > 2) return crowdedRing(ring, before[ring - 1].size(), true);
        if (after[ring - 1].size() > 2) return crowdedRing(ring, after[ring - 1].size(), false);
        if (before[ring - 1].empty() && !after[ring - 1].empty())
            return "ring " + std::to_string(ring) + " has no phase beside the coordinated phase";
    }

    // The left-turn arrangement follows from the running order around the coordinated
    // phase; a ring without a left turn there follows the other ring.
    std::array<std::string, 2> says;
    for (int ring = 1; ring <= 2; ++ring) {
        const auto& phases = before[ring - 1];
        const int c = placed.coordinated[ring - 1];
        if (phases.size() == 2 && c != 0) says[ring - 1] = phases[0].phase == c ? tag::kLag : tag::kLead;
    }
    if (!says[0].empty() && !says[1].empty() && says[0] != says[1])
        return std::string("one ring leads and the other lags: the eight-phase grid holds one left-turn arrangement");
    placed.arrangement = !says[0].empty() ? says[0] : !says[1].empty() ? says[1] : tag::kLead;
    const bool lead = placed.arrangement == tag::kLead;

    for (int ring = 1; ring <= 2; ++ring) {
        const int base = ring == 1 ? 0 : 4;
        const auto& first = before[ring - 1];
        if (first.size() == 2) {
            placed.phaseAt[base + 0] = first[0].phase;
            placed.phaseAt[base + 1] = first[1].phase;
        } else if (first.size() == 1) {
            placed.phaseAt[base + (lead ? 1 : 0)] = first[0].phase;  // the coordinated position
        }
        const auto& second = after[ring - 1];
        if (second.size() == 2) {
            placed.phaseAt[base + 2] = second[0].phase;
            placed.phaseAt[base + 3] = second[1].phase;
        } else if (second.size() == 1) {
            const bool leftTurn = servesLeftTurn(x, second[0].phase);
            // Under Lead the left turns stand at the odd positions, under Lag at the even.
            placed.phaseAt[base + (leftTurn == lead ? 2 : 3)] = second[0].phase;
        }
    }
    // Only coordination counts from a local zero; a free or pretimed plan keeps its
    // place. (`coordinated` points into `running`, which the sort above has reordered.)
    if (coordinated.size() == 1 && !notCoordinatedReason(x)) {
        const int ring = placed.coordinated[0] != 0 ? 1 : 2;
        const int partner = placed.phaseAt[(ring == 1 ? 4 : 0) + (lead ? 1 : 0)];
        const float barrierStart = parseNumber(x.phases[before[ring - 1].front().phase - 1].start).value_or(0);
        if (partner != 0)
            if (auto first = firstAcross(x, placed.coordinated[ring - 1], partner, barrierStart, placed.cycle))
                return *first;
    }
    return placed;
}

}  // namespace tavimo
