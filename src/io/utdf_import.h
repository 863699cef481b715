// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "io/utdf_values.h"
#include "model/window_state.h"

namespace tavimo {

// "Lead" for a lead-lag mark "1", "3", "5", "7" or " ", "Lag" for any other.
std::string arrangementOf(const std::string& leadLagMark);

// The position an imported phase n (1..8) takes. Under "Lead" phase n stands at
// position n. Under "Lag" the through phase of each pair leads the ring's order, so
// the phases swap within their pair: 2 at 1, 1 at 2, 4 at 3, 3 at 4, 6 at 5, ...
int importPosition(const std::string& arrangement, int phase);
}  // namespace tavimo
