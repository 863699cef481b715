// SPDX-License-Identifier: MIT
#pragma once

#include "model/window_state.h"

namespace tavimo {

// The three reactions of a phase-order pull-down Phase k (k = 1..8). Together they
// keep every phase number at one position at most: a pull-down offers phase n only
// while no other pull-down holds it, and the phase-number pictures stand above the
// column of the position that holds their phase.

// Entering the pull-down releases its phase into the other seven lists, so that it
// can be chosen again anywhere, and hides the phase's two pictures.
void phaseFocusGained(WindowState& state, int position);

// Leaving the pull-down takes the phase now chosen: its pictures move above the
// position's column, the movement pull-down of the position is enabled and the other
// seven lists show an empty entry in its place.
void phaseFocusLost(WindowState& state, int position);

// Picking an entry: once a ring's coordinated phase is chosen, the rest of the ring
// opens; the position's movement pull-down is always enabled.
void phaseChosen(WindowState& state, int position);

// The position whose pull-down takes the focus when the coordinated phases are to be
// chosen: 2 under "Lead", 1 under any other arrangement.
int coordinatedFocusPosition(const std::string& arrangement);

}  // namespace tavimo
