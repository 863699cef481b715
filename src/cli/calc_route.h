// SPDX-License-Identifier: MIT
#pragma once

#include <ostream>

#include "cli/calc_options.h"
#include "io/utdf_network.h"

namespace tavimo::cli {

// tavimo-calc --corridor: the route through the signals given, both ways, with each
// link's travel time, each signal's through phase and each direction's band, and every
// signal's offset in each reference; --offset moves a plan before the bands are
// computed. 0 when both directions have a band, 1 when one has none (its reason is
// printed with it), 2 for a route or an --offset that does not fit the file.
int runCorridor(const CalcOptions& options, const UtdfNetwork& network, std::ostream& out, std::ostream& err);

}  // namespace tavimo::cli
