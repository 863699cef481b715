// SPDX-License-Identifier: MIT
#pragma once

#include "plan_times.h"

namespace tavimo {

// Folds the leading left turns' permissive ends into the cycle and gives concurrent
// phases of the two rings one common window: the earlier start and the earlier end.
void joinConcurrentRows(const PlanTimes& t, PlanResults& r);

}  // namespace tavimo
