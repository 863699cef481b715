// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "calc/plan_calculation.h"
#include "model/signal.h"
#include "output/worksheet.h"

namespace tavimo {

// The controller worksheet of a calculated plan of any structure: a row per running
// phase in phase-number order, its movement as approach and "L" or "T".
Worksheet planWorksheet(const Signal& signal, const PlanCalculation& plan);

// "Main and 1st - Cycle 100 s - NEMA TS2 - Permissive", as the grid's title reads.
std::string planTitle(const Signal& signal);

}  // namespace tavimo
