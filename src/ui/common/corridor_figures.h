// SPDX-License-Identifier: MIT
#pragma once

// No Qt here: the corridor's types name a member "signals", which Qt's keywords take.
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "io/utdf_network.h"

namespace tavimo::ui {

// A corridor of the network as the corridor list shows it.
struct CorridorRow {
    std::string street;
    std::vector<std::string> ids;  // INTIDs in order along the street
    std::string cycles;            // the cycle lengths met, each once: "120" or "120, 90"
};

std::vector<CorridorRow> corridorRows(const UtdfNetwork& network);

// The band of a route in one direction of travel.
struct DirectionBand {
    std::string from, to, heading;  // the first and last signal, the way driven at the first
    std::optional<double> seconds, efficiency, attainability;
    std::string reason;  // why there is no band
};

// The bands of a route (INTIDs in the order driven) both ways, that way first; or why
// the network cannot travel the route one way or the other.
std::variant<std::vector<DirectionBand>, std::string> bandsBothWays(const UtdfNetwork& network,
                                                                   const std::vector<std::string>& ids);

}  // namespace tavimo::ui
