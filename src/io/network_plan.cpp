// SPDX-License-Identifier: MIT
#include "io/network_plan.h"

#include <algorithm>
#include <cmath>

#include "io/network_corridor.h"
#include "model/number_text.h"

#include "utdf_text.h"

namespace tavimo {

namespace {

using utdf::smallWholeNumber;

struct Placed {
    int phase, barrier, ring, order;
};

}  // namespace

std::variant<Signal, std::string> networkPlan(const NetworkIntersection& x, Controller controller, SignalMode mode) {
    if (!x.hasTimeplan) return std::string("the intersection has no timing plan");
    if (!x.hasPhases) return std::string("the intersection has no phases");
    const auto cycle = parseNumber(x.cycleLength);
    if (!cycle || !(*cycle > 0) || !(*cycle < 1e6f))
        return "the Cycle Length " + utdf::quoted(x.cycleLength) + " is not a cycle length";

    Signal s;
    s.description = networkDescription(x);
    s.controller = controller;
    s.mode = mode;
    s.cycle = {formatNumber(*cycle), *cycle};
    s.offset = fileOffsetOf(x);
    std::vector<Placed> placed;
    for (int n = 1; n <= 16; ++n) {
        const NetworkPhase& p = x.phases[static_cast<std::size_t>(n - 1)];
        if (isBlank(p.start) && isBlank(p.end)) continue;
        const auto start = parseNumber(p.start), end = parseNumber(p.end);
        const std::string which = "phase " + std::to_string(n);
        if (!start || !end) return which + " has a Start or End that is not a time";
        if (*start == *end) continue;
        float split = *end - *start;
        if (split < 0) split = split + *cycle;
        // As the timing window holds it: the split's text read back.
        split = parseNumber(formatNumber(split)).value_or(split);
        if (!(split > 0) || split > *cycle) return which + " has a split that does not fit the cycle";
        const auto brp = smallWholeNumber(p.brp);
        if (!brp || *brp < 111 || *brp > 999) return which + " has no barrier, ring and position (BRP)";
        const Placed at{n, *brp / 100, *brp / 10 % 10, *brp % 10};
        if (at.ring < 1 || at.ring > 2) return which + " runs in ring " + std::to_string(at.ring);
        const std::pair<const char*, const std::string*> times[] = {
            {"MinGreen", &p.minGreen}, {"Yellow", &p.yellow}, {"AllRed", &p.allRed}};
        float values[3] = {0, 0, 0};
        for (int i = 0; i < 3; ++i) {
            const auto value = parseNumber(*times[i].second);
            if (!value || !isTimeInRange(*value))
                return which + " has the " + times[i].first + " " + utdf::quoted(*times[i].second) + ", not a time";
            values[i] = *value;
        }
        SignalPhase phase;
        phase.number = n;
        phase.timing = PhaseTiming{split, values[0], values[1], values[2]};
        phase.walk = parseNumber(p.walk);
        phase.flashDontWalk = parseNumber(p.dontWalk);
        s.phases.push_back(phase);
        placed.push_back(at);
    }
    if (placed.empty()) return std::string("no phase is in use");

    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        if (a.ring != b.ring) return a.ring < b.ring;
        if (a.barrier != b.barrier) return a.barrier < b.barrier;
        return a.order < b.order;
    });
    for (const Placed& p : placed) {
        if (s.sequence.empty() || s.sequence.back().ring != p.ring || s.sequence.back().barrier != p.barrier)
            s.sequence.push_back({p.ring, p.barrier, {}});
        s.sequence.back().phases.push_back(p.phase);
    }
    // Reference Phase: ring 1's coordinated phase x 100 + ring 2's; below 100 a single one.
    if (const auto reference = smallWholeNumber(x.referencePhase); reference && *reference > 0) {
        const int pair[2] = {*reference >= 100 ? *reference / 100 : *reference, *reference >= 100 ? *reference % 100 : 0};
        for (int phase : pair)
            if (phase > 0 && s.phase(phase)) s.coordinated.push_back(phase);
    }
    return s;
}

}  // namespace tavimo
