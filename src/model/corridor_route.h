// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "model/coordination_plan.h"

namespace tavimo {

// A link driven along a route, with the figures the file gives for it.
struct RouteLink {
    std::string from, to;   // node numbers; either may be a node without a signal
    std::string heading;    // where it arrives: "NB", "SW", ...
    double distance = 0, speed = 0;  // feet and mph, or metres and km/h
    double fileTime = 0;    // the file's own travel time, NaN where it gives none
};

// A signal of a route in one direction of travel.
struct RouteSignal {
    std::string id;
    std::optional<CoordinationPlan> plan;
    std::string planProblem;           // why there is no plan
    std::string heading;               // the direction of travel there
    std::optional<int> throughPhase;   // Phase1 of its through lane group that way
    std::size_t linksBefore = 0;       // links driven from the first signal to it
};

// One direction of travel along a chain of signals.
struct CorridorRoute {
    bool metric = false;
    std::vector<RouteSignal> signals;  // in the order driven
    std::vector<RouteLink> links;      // every link from the first signal to the last
};

// Equal values, field by field, a missing file time equal to another: what a file
// read back must give.
inline bool operator==(const CoordinationPhase& a, const CoordinationPhase& b) {
    return a.number == b.number && a.barrier == b.barrier && a.ring == b.ring && a.position == b.position &&
           a.start == b.start && a.yield == b.yield && a.yellow == b.yellow && a.dontWalk == b.dontWalk;
}
inline bool operator==(const CoordinationPlan& a, const CoordinationPlan& b) {
    return a.cycle == b.cycle && a.phases == b.phases && a.coordinated == b.coordinated;
}
inline bool operator==(const RouteLink& a, const RouteLink& b) {
    return a.from == b.from && a.to == b.to && a.heading == b.heading && a.distance == b.distance &&
           a.speed == b.speed && (a.fileTime == b.fileTime || (a.fileTime != a.fileTime && b.fileTime != b.fileTime));
}
inline bool operator==(const RouteSignal& a, const RouteSignal& b) {
    return a.id == b.id && a.plan == b.plan && a.planProblem == b.planProblem && a.heading == b.heading &&
           a.throughPhase == b.throughPhase && a.linksBefore == b.linksBefore;
}
inline bool operator==(const CorridorRoute& a, const CorridorRoute& b) {
    return a.metric == b.metric && a.signals == b.signals && a.links == b.links;
}

}  // namespace tavimo
