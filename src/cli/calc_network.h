// SPDX-License-Identifier: MIT
#pragma once

#include <ostream>

#include "cli/calc_options.h"

namespace tavimo::cli {

// tavimo-calc on a whole-network UTDF file: the chosen intersections (all with a timing
// plan when none is named), each placed, calculated and compared with the file's own
// force-offs, or listed with --list. Returns the exit status.
int runNetwork(const CalcOptions& options, std::ostream& out, std::ostream& err);

}  // namespace tavimo::cli
