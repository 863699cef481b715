// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "calc/plan_calculation.h"
#include "model/signal.h"
#include "output/results_forms.h"

namespace tavimo {

// One running phase of a ring-barrier plan in the fields of a grid position (its
// position empty: the eight positions do not hold it), with its ring and barrier.
struct PlanRow {
    std::array<std::string, kFields> fields;
    int ring = 1, barrier = 1;
};

// Ring by ring, barrier by barrier, each in running order.
std::vector<PlanRow> planRows(const Signal& signal, const PlanCalculation& plan);

// The header (description, cycle, controller, mode, coordinated phases) and one line
// a phase: phase, ring, barrier, the timing and the results.
void printPlanTable(const Signal& signal, const PlanCalculation& plan, std::ostream& out);

// What a network intersection adds to a plan's json object.
struct JsonPlanIntersection {
    std::string id;
    bool agrees = false;
    std::string note;
    std::vector<std::string> fileForceOff;  // one per row
};

// The object of a plan, keyed as the grid's: "positions" holds a row each, its
// "position" null.
Json planJson(const Signal& signal, const PlanCalculation& plan, const JsonPlanIntersection& intersection,
              const std::vector<std::string>& warnings);

}  // namespace tavimo
