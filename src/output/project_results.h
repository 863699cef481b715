// SPDX-License-Identifier: MIT
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "calc/plan_calculation.h"
#include "model/signal.h"
#include "output/results_forms.h"

namespace tavimo {

// One intersection of a project calculated: its signal, the calculation, and what a
// stopped calculation or the barrier check has to say.
struct ProjectRun {
    std::string id;
    const Signal* signal = nullptr;
    PlanCalculation calculation;
    std::string note;                   // why it was not calculated; empty when it was
    std::vector<std::string> warnings;  // one a barrier the rings reach apart, in its order

    bool calculated() const { return calculation.stop == PlanStop::Completed; }
};

// Calculates a signal of any structure and words its stop and barrier check.
ProjectRun runProjectIntersection(const std::string& id, const Signal& signal);

// The runs in the chosen form: a block per intersection in the table, a line per
// running phase in csv (ring by ring in running order), an object per intersection
// in json. Times are their shortest texts; a phase off the grid has no position.
void printProjectRuns(const std::vector<ProjectRun>& runs, OutputFormat format, std::ostream& out);

}  // namespace tavimo
