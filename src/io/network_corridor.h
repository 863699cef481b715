// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "io/utdf_network.h"
#include "model/coordination_plan.h"
#include "model/corridor_route.h"
#include "model/signal.h"

namespace tavimo {

// The timing of one intersection of a network file as progression reads it: the
// phases in use (a Start and an End that differ) with [Phases] Start to Yield as their
// green, and the coordinated phases of "Reference Phase". Fails, saying why, on a
// Cycle Length that is not positive or a phase in use whose Start, Yield or Yellow is
// no number.
std::variant<CoordinationPlan, std::string> coordinationPlanOf(const NetworkIntersection& intersection);

// The reference the file's Offset is counted to ([Timeplans] "Referenced To" 0 to 4).
std::optional<OffsetReference> fileReferenceOf(const NetworkIntersection& intersection);

// The file's Offset in its reference, as a signal keeps it; none where the Offset is
// blank or no time, or Referenced To names no point.
std::optional<Offset> fileOffsetOf(const NetworkIntersection& intersection);

// [Network] Metric 0 (or none) is feet and mph; any other number metres and km/h.
bool isMetric(const UtdfNetwork& network);

// The through phase for traffic heading `heading`: Phase1 of its lane group "NBT",
// "EBT", ...; nothing where the group has none.
std::optional<int> throughPhaseOf(const NetworkIntersection& intersection, LinkHeading heading);

// The opposite compass direction: SB for NB, NE for SW.
LinkHeading oppositeOf(LinkHeading heading);

// Signals along one street: a chain of nodes linked through [Links] records of one
// street name, with the signals (intersections with a timing plan) on it in order. A
// street that forks is cut at the fork. Each chain runs from its end with the lower
// INTID; only chains of two signals or more are corridors.
struct NetworkCorridor {
    std::string street;
    std::vector<std::string> signals;  // INTIDs in order along the street
};

// In the order of their street names, then of their first signal's INTID.
std::vector<NetworkCorridor> findCorridors(const UtdfNetwork& network);

// Travel along `signals` (INTIDs, in order) over the network's links, through nodes
// that are no signals: the links driven, and at each signal its plan, the direction of
// travel and its through phase that way. The direction at a signal is that of the
// link arriving there; at the first signal it is the one in which the link to the
// second leaves (the way opposite the link coming back from there, where the file
// has one). Fails, saying why, on fewer than two signals, an INTID the file does not
// hold or that has no timing plan, a signal twice, two signals no links join, or a
// link without a distance or speed.
std::variant<CorridorRoute, std::string> corridorRoute(const UtdfNetwork& network,
                                                       const std::vector<std::string>& signals);

}  // namespace tavimo
