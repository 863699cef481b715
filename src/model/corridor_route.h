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

}  // namespace tavimo
