// SPDX-License-Identifier: MIT
#pragma once

#include "calc/plan_times.h"

namespace tavimo {

// Force-offs and permissive windows of one ring (0 or 1) in the NEMA TS2 reference:
// time 0 is the start of green of the first coordinated phase to turn green.
void computeNemaRing(const PlanTimes& t, int ring, PlanResults& r);

}  // namespace tavimo
