// SPDX-License-Identifier: MIT
#pragma once

#include "model/window_state.h"

namespace tavimo {

// "Reset" after the user confirmed it: the window goes back to a freshly created
// signal while the header (with the offset) and every typed time stay. The project
// file and a network file's coordinated phases are forgotten, locks are cleared,
// movements rebuilt, the per-position fields disabled and shown, the chart, columns
// and permissive bars laid out as designed for the mode and arrangement, the phase
// order emptied and only the coordinated pull-downs enabled.
// The focus (coordinatedFocusPosition) and the closing message belong to the window.
void resetForm(WindowState& state);

// The layout half of the reset, the chart and columns as designed for the window's
// mode and arrangement (layOutDesignedChart) with every row and phase-order pull-down
// shown. Texts, lists, locks, enabled states and pictures are not touched.
void restoreDesignedLayout(WindowState& state);

// Opening or importing a signal into a window that shows a calculation: a run hides
// the rows and bars of positions it found empty and the phase-order pull-downs, and
// only the designed layout shows them again, so a new signal that uses those
// positions gets the designed layout first. A window that shows none of this is left
// as it is.
// True when it restored the layout.
bool restoreLayoutForNewSignal(WindowState& state);

}  // namespace tavimo
