// SPDX-License-Identifier: MIT
// Offsets, travel times and bands: the figures of progression along a corridor.
#include "calc/coordination.h"

#include <algorithm>
#include <cmath>

#include "model/number_text.h"

namespace tavimo {

const CoordinationPhase* phaseOf(const CoordinationPlan& plan, int number) {
    for (const CoordinationPhase& p : plan.phases)
        if (p.number == number) return &p;
    return nullptr;
}

namespace {

// Where the coordinated barrier begins on the master clock: the start of the phase
// that runs first in the coordinated phase's ring and barrier.
double barrierStart(const CoordinationPlan& plan, const CoordinationPhase& coordinated) {
    const CoordinationPhase* first = &coordinated;
    for (const CoordinationPhase& p : plan.phases)
        if (p.barrier == coordinated.barrier && p.ring == coordinated.ring && p.position < first->position) first = &p;
    return first->start;
}

std::string seconds(double value) { return formatNumber(static_cast<float>(value)) + " s"; }

}  // namespace

double onCycle(double seconds, double cycle) {
    double t = std::fmod(seconds, cycle);
    if (t < 0) t += cycle;
    return t >= cycle ? 0 : t;  // -1e-17 + 100 rounds to 100
}

std::optional<GreenInterval> greenOf(const CoordinationPlan& plan, int phase) {
    const CoordinationPhase* p = phaseOf(plan, phase);
    if (!p || !(plan.cycle > 0)) return std::nullopt;
    return GreenInterval{p->start, p->start + onCycle(p->yield - p->start, plan.cycle)};
}

std::optional<ReferencePoints> referencePointsOf(const CoordinationPlan& plan) {
    if (!(plan.cycle > 0)) return std::nullopt;
    std::vector<const CoordinationPhase*> coordinated;
    for (int number : plan.coordinated)
        if (const CoordinationPhase* p = phaseOf(plan, number)) coordinated.push_back(p);
    if (coordinated.empty()) return std::nullopt;

    const double zero = barrierStart(plan, *coordinated.front());
    // Times counted from the barrier's start; an end of green lies after it, never on it.
    // A green that starts with the barrier may be calculated a hair before it, in
    // single precision: that is the barrier's start, not the cycle's end.
    const auto sinceBarrier = [&](double t) {
        const double since = onCycle(t - zero, plan.cycle);
        return since > plan.cycle - 1e-4 ? 0.0 : since;
    };
    const auto endSinceBarrier = [&](double t) {
        const double since = sinceBarrier(t);
        return since > 0 ? since : plan.cycle;
    };
    const auto byGreen = [&](const CoordinationPhase* a, const CoordinationPhase* b) {
        return sinceBarrier(a->start) < sinceBarrier(b->start);
    };
    const CoordinationPhase* firstGreen = *std::min_element(coordinated.begin(), coordinated.end(), byGreen);
    const CoordinationPhase* lastGreen = *std::max_element(coordinated.begin(), coordinated.end(), byGreen);
    const CoordinationPhase* firstYellow = *std::min_element(
        coordinated.begin(), coordinated.end(),
        [&](const CoordinationPhase* a, const CoordinationPhase* b) { return endSinceBarrier(a->yield) < endSinceBarrier(b->yield); });

    ReferencePoints points;
    points.ts2 = onCycle(firstGreen->start, plan.cycle);
    points.lastGreen = onCycle(lastGreen->start, plan.cycle);
    points.type170 = onCycle(firstYellow->yield, plan.cycle);
    points.red = onCycle(firstYellow->yield + firstYellow->yellow, plan.cycle);
    if (firstYellow->dontWalk > 0) points.flashingDontWalk = onCycle(points.type170 - firstYellow->dontWalk, plan.cycle);
    return points;
}

std::optional<double> offsetIn(const ReferencePoints& points, OffsetReference reference) {
    switch (reference) {
    case OffsetReference::LastGreen: return points.lastGreen;
    case OffsetReference::Type170: return points.type170;
    case OffsetReference::Red: return points.red;
    case OffsetReference::Ts2: return points.ts2;
    case OffsetReference::FlashingDontWalk: return points.flashingDontWalk;
    }
    return std::nullopt;
}

bool moveToOffset(CoordinationPlan& plan, OffsetReference reference, double offset) {
    const std::optional<ReferencePoints> points = referencePointsOf(plan);
    const std::optional<double> now = points ? offsetIn(*points, reference) : std::nullopt;
    if (!now) return false;
    const double by = offset - *now;
    for (CoordinationPhase& p : plan.phases) {
        // The green keeps its length, also one across the master zero.
        const double green = onCycle(p.yield - p.start, plan.cycle);
        p.start = onCycle(p.start + by, plan.cycle);
        p.yield = p.start + green;
    }
    return true;
}

const char* referenceName(OffsetReference reference) {
    switch (reference) {
    case OffsetReference::LastGreen: return "last_green";
    case OffsetReference::Type170: return "type170";
    case OffsetReference::Red: return "red";
    case OffsetReference::Ts2: return "ts2";
    case OffsetReference::FlashingDontWalk: return "flashing_dont_walk";
    }
    return "";
}

std::optional<double> travelTime(double distance, double speed, bool metric) {
    if (!(speed > 0) || !(distance >= 0) || !std::isfinite(distance)) return std::nullopt;
    // 1 mph is 5280 ft in 3600 s; 1 km/h is 1000 m in 3600 s.
    return metric ? distance * 3.6 / speed : distance * 3600.0 / (speed * 5280.0);
}

Band bandOf(const std::vector<BandStop>& stops) {
    Band band;
    if (stops.empty()) {
        band.reason = "the route has no signals";
        return band;
    }
    const double cycle = stops.front().cycle;
    for (const BandStop& stop : stops)
        if (std::abs(stop.cycle - cycle) > 1e-6) {
            band.reason = "the cycles differ: " + seconds(cycle) + " at " + stops.front().id + ", " +
                          seconds(stop.cycle) + " at " + stop.id;
            return band;
        }
    if (!(cycle > 0)) {
        band.reason = "the cycle of " + stops.front().id + " is not positive";
        return band;
    }

    // The departures that meet signal k's green form an arc of the cycle: it opens at
    // the green's start less the travel time and is as long as the green.
    struct Arc {
        double opens, length;
    };
    std::vector<Arc> arcs;
    double shortestGreen = cycle;
    for (const BandStop& stop : stops) {
        const double length = std::clamp(stop.green.length(), 0.0, cycle);
        arcs.push_back({onCycle(stop.green.start - stop.arrival, cycle), length});
        shortestGreen = std::min(shortestGreen, length);
    }
    // The longest run of departures inside every arc begins where one of them opens.
    double best = 0, bestStart = 0;
    for (const Arc& candidate : arcs) {
        double width = cycle;
        for (const Arc& arc : arcs) {
            const double into = arc.length >= cycle ? 0 : onCycle(candidate.opens - arc.opens, cycle);
            width = std::min(width, into < arc.length ? arc.length - into : 0.0);
        }
        if (width > best) {
            best = width;
            bestStart = candidate.opens;
        }
    }
    band.seconds = best;
    band.start = best >= cycle ? 0 : bestStart;
    band.efficiency = best / cycle;
    if (shortestGreen > 0) band.attainability = best / shortestGreen;
    return band;
}

Progression progressionAlong(const CorridorRoute& route) {
    Progression result;
    for (const RouteLink& link : route.links) result.linkTimes.push_back(travelTime(link.distance, link.speed, route.metric));
    std::vector<BandStop> stops;
    std::string missing;
    for (const RouteSignal& signal : route.signals) {
        double arrival = 0;
        for (std::size_t i = 0; i < signal.linksBefore && i < result.linkTimes.size(); ++i)
            arrival += result.linkTimes[i].value_or(std::nan(""));
        result.travelTimes.push_back(arrival);
        std::optional<GreenInterval> green;
        if (signal.plan && signal.throughPhase) green = greenOf(*signal.plan, *signal.throughPhase);
        result.throughGreens.push_back(green);
        if (!missing.empty()) continue;
        if (!signal.plan)
            missing = signal.id + ": " + signal.planProblem;
        else if (!signal.throughPhase)
            missing = "no through phase " + signal.heading + " at " + signal.id;
        else if (!green)
            missing = "the through phase " + std::to_string(*signal.throughPhase) + " does not run at " + signal.id;
        else if (!std::isfinite(arrival))
            missing = "a link to " + signal.id + " has no travel time";
        else
            stops.push_back({signal.id, signal.plan->cycle, arrival, *green});
    }
    if (!missing.empty())
        result.band.reason = missing;
    else
        result.band = bandOf(stops);
    return result;
}

}  // namespace tavimo
