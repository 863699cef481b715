// SPDX-License-Identifier: MIT
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "calc/plan_calculation.h"
#include "calc/plan_checks.h"
#include "cli/calc_options.h"
#include "io/network_signal.h"

namespace tavimo::cli {

// One intersection the eight positions cannot hold, calculated as its ring-barrier
// plan and compared with the file's force-offs; or why it cannot be.
struct PlanRun {
    bool calculated = false;
    Signal signal;
    PlanCalculation plan;
    PlanAgreement agreement;
    std::string note;  // the agreement line, or why it was not calculated
    std::vector<PlanWarning> warnings;
};

PlanRun runPlan(const NetworkStanding& standing, const CalcOptions& options);

// A calculated plan in each form: the table block, its csv lines, its json object.
void printPlanTable(const PlanRun& run, std::ostream& out);
void printPlanCsv(const std::string& id, const PlanRun& run, std::ostream& out);
Json planRunJson(const std::string& id, const PlanRun& run);

}  // namespace tavimo::cli
