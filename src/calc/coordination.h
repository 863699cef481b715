// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/coordination_plan.h"
#include "model/corridor_route.h"

namespace tavimo {

// A time of day folded into one cycle: 0 <= result < cycle.
double onCycle(double seconds, double cycle);

// The green of a phase, from its start of green to its start of yellow on the master
// clock; `end` may lie past the cycle (a green across the master zero).
struct GreenInterval {
    double start = 0;
    double end = 0;
    double length() const { return end - start; }
};

// The phase of a number; none where the plan does not run it.
const CoordinationPhase* phaseOf(const CoordinationPlan& plan, int number);

// Nothing for a phase the plan does not run.
std::optional<GreenInterval> greenOf(const CoordinationPlan& plan, int phase);

// The reference points of a plan on the master clock, each within the cycle. "First"
// and "last" count from the start of the coordinated barrier:
//   ts2        the start of green of the first coordinated phase to turn green;
//   lastGreen  the start of green of the last coordinated phase to turn green;
//   type170    the start of yellow of the first coordinated phase to turn yellow;
//   red        that phase's start of red (its start of yellow plus its yellow);
//   flashingDontWalk  type170 less that phase's flashing don't walk, where it has
//              pedestrian timing (a Type 170 resting in walk).
// The offset in a reference is its point's time.
struct ReferencePoints {
    double ts2 = 0, lastGreen = 0, type170 = 0, red = 0;
    std::optional<double> flashingDontWalk;
};

// Nothing when the plan runs none of its coordinated phases or the cycle is not positive.
std::optional<ReferencePoints> referencePointsOf(const CoordinationPlan& plan);

// The offset in one reference; nothing for flashing don't walk without pedestrian timing.
std::optional<double> offsetIn(const ReferencePoints& points, OffsetReference reference);

// Moves every phase of the plan along the master clock so that the offset in
// `reference` becomes `offset`: what a new offset keyed into the controller does.
// False, with the plan left as it was, where the plan has no such point.
bool moveToOffset(CoordinationPlan& plan, OffsetReference reference, double offset);

// "ts2", "last_green", "type170", "red", "flashing_dont_walk".
const char* referenceName(OffsetReference reference);

// Seconds to drive a link: feet at mph, or metres at km/h. Nothing for a speed that
// is not positive or a figure that is missing or negative.
std::optional<double> travelTime(double distance, double speed, bool metric);

// One signal of a route in one direction of travel: its cycle, the travel time T from
// the route's first signal to it, and the green of its through phase.
struct BandStop {
    std::string id;
    double cycle = 0;
    double arrival = 0;
    GreenInterval green;
};

// The band of one direction: the longest interval of departure times t at the first
// signal such that t + T(k) falls in the through green of every signal k, modulo the
// cycle. It needs one cycle length along the route; otherwise there is none, and
// `reason` says why. Efficiency is band / cycle, attainability band / the shortest
// through green of the route.
struct Band {
    std::optional<double> seconds;
    double start = 0;  // the earliest departure of the band, within the cycle
    std::optional<double> efficiency, attainability;
    std::string reason;
};

Band bandOf(const std::vector<BandStop>& stops);

// The figures of one direction of a route: each link's travel time, the travel time
// from the first signal to each signal, each signal's through green and the band.
// Without a plan or a through phase at a signal the band is left out with the reason.
struct Progression {
    std::vector<std::optional<double>> linkTimes;
    std::vector<double> travelTimes;
    std::vector<std::optional<GreenInterval>> throughGreens;
    Band band;
};

Progression progressionAlong(const CorridorRoute& route);

}  // namespace tavimo
