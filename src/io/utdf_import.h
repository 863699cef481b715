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

// Fills the window with an imported signal as "Load" does, before it calculates:
// phases at their positions with their times, locks, movement lists and movements,
// controller ("Nema"/"one70") and mode ("Permissive"/"Yield") from the caller, the
// cycle length, the arrangement with its layout, and the timing fields enabled.
// A phase with a blank split leaves its position as it was (its movement is still
// selected). The description, walk and flash texts, the phase-order lists and the
// pull-downs' enabled state are not touched.
void importInto(WindowState& state, const UtdfImport& values, const std::string& controller,
                const std::string& mode);

}  // namespace tavimo
