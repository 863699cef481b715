// SPDX-License-Identifier: MIT
#pragma once

#include "model/window_state.h"

namespace tavimo {

// Movement assignment: each position's pull-down ImageCombo(k) offers the four
// approaches, left turn or through as the kind of the position says. Positions of
// one kind form a pool (the odd and the even positions; a pool spans both rings):
// a direction chosen at one position is withdrawn from the rest of its pool.

// "Reset Movements": empties every movement and refills each list with the four
// entries of its kind under the arrangement. Enabled states and locks stay.
void resetMovements(SignalPlan& plan);

// Entering the pull-down gives its direction back to the rest of the pool, at the end
// of their lists. A locked pull-down releases nothing.
void movementFocusGained(SignalPlan& plan, int position);

// Leaving the pull-down withdraws the chosen direction from the rest of the pool.
// A locked pull-down withdraws nothing.
void movementFocusLost(SignalPlan& plan, int position);

// Picking an entry (or a change of the text): a position with a movement gets its six
// timing fields enabled. Nothing is disabled here.
void movementChosen(SignalPlan& plan, int position);

}  // namespace tavimo
