// SPDX-License-Identifier: MIT
#pragma once

#include "plan_times.h"

namespace tavimo {

// Configuration code of a ring from its three optional rows (left turn, first and
// second side street): 11..17 under "Lead", 21..27 otherwise, 1 when none is used or
// a negative split leaves a row neither used nor unused.
int configurationCode(float leftTurn, float side1, float side2, bool lead);

// Code 1 is a ring with only its coordinated phase in use, timed like any other, or a
// ring that a negative split left without a code, which gets no results.
bool onlyCoordinatedInUse(const PlanTimes& t, int ring);

// Force-offs and permissive windows of one ring (0 or 1) in the NEMA TS2 reference:
// time 0 is the start of green of the first coordinated phase to turn green.
void computeNemaRing(const PlanTimes& t, int ring, PlanResults& r);

// The window of a code-17 ring's left turn opens at the force-off of the phase before
// it across the barrier, in the other ring: called once both rings are timed.
void openLeftTurnWindows17(const PlanTimes& t, PlanResults& r);

}  // namespace tavimo
