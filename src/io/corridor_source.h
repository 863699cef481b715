// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "io/utdf_network.h"
#include "model/corridor_route.h"
#include "model/signal.h"

namespace tavimo {

// What a corridor of a network file gives the diagram: both directions of travel
// along the signals, the street they follow, and each signal's typed plan (its
// timing as Tavimo calculates it, with the file's offset and reference), by its place
// on the way there; none where the file's timing cannot be typed.
struct CorridorSource {
    std::string street;
    CorridorRoute there, back;
    std::vector<std::optional<Signal>> typed;
};

// The typed plan of one intersection of a network file: its phases by barrier, ring
// and position, counted as its controller counts (Type 170 where the file's offset is
// referenced to the first coordinated yellow), with the file's offset and reference.
std::optional<Signal> typedPlanOf(const NetworkIntersection& intersection);

// Fails, saying why, as corridorRoute does.
std::variant<CorridorSource, std::string> corridorSourceOf(const UtdfNetwork& network,
                                                           const std::vector<std::string>& signals);

// The street names of the links driven, each once in the order met, joined by " / ".
std::string streetOf(const UtdfNetwork& network, const CorridorRoute& route);

}  // namespace tavimo
