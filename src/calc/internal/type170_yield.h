// SPDX-License-Identifier: MIT
#pragma once

#include "plan_times.h"

namespace tavimo {

// Moves every result from the NEMA TS2 reference to the Type 170 one, whose local
// zero is the end of the first coordinated green. Returns, under Dual Lead, the
// coordinated row (2 or 6) that ends later, or the one a one-ring plan leaves
// without a phase, whose partner's yellow marks the new local zero on the chart; 0
// under Dual Lag.
int moveToType170(const PlanTimes& t, PlanResults& r);

// Yield mode: every window of a phase in use opens at the yield point, the earlier
// coordinated force-off, or the only one when a ring has no coordinated phase. Ends
// and force-offs stay.
void applyYieldPoint(const PlanTimes& t, PlanResults& r);

}  // namespace tavimo
