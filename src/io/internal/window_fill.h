// SPDX-License-Identifier: MIT
#pragma once

// The fillings behind the arrivals of signal_arrival.h. Each works on the window it
// is given; the arrivals give them a blank one, so nothing else calls them.

#include <string>

#include "io/project_file.h"
#include "io/utdf_values.h"
#include "model/window_state.h"

namespace tavimo {

// Fills the window with an opened project file as "Open" does: full phase-order
// lists, movement lists of the arrangement, the positions with a split, the header,
// the movements selected and locked, the pictures of the phases at their positions
// and, under "Lag", the Lag window layout. The file must be valid.
void openProjectInto(WindowState& state, const ProjectValues& values, const std::string& path);

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
