// SPDX-License-Identifier: MIT
#pragma once

#include "calc/plan_times.h"

namespace tavimo {

// Which result texts the joining empties before the results are written again.
struct JoinClears {
    bool leftTurnRows = false;  // pps/ppe of rows 1 and 5
    bool lagRows = false;       // pps/ppe of rows 2 and 6
};

// Folds the leading left turns' permissive ends into the cycle and gives concurrent
// phases of the two rings one common window: the earlier start and the earlier end.
JoinClears joinConcurrentRows(const PlanTimes& t, PlanResults& r);

}  // namespace tavimo
