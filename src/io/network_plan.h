// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <variant>

#include "io/utdf_network.h"
#include "model/signal.h"

namespace tavimo {

// One intersection of a network file as a signal of any ring-barrier structure: its
// phases in use by barrier, ring and position (BRP), their times, and the coordinated
// phase or phases of the plan's Reference Phase. Nothing is placed on the grid. Why
// not, where a value the timing needs is missing or no number.
std::variant<Signal, std::string> networkPlan(const NetworkIntersection& intersection, Controller controller,
                                              SignalMode mode);

}  // namespace tavimo
