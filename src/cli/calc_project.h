// SPDX-License-Identifier: MIT
#pragma once

#include <ostream>
#include <string>

#include "cli/calc_options.h"

namespace tavimo::cli {

// A project file of any plan (.tavimo) rather than a timing window's .tvm.
bool isPlanProjectPath(const std::string& path);

// tavimo-calc on a .tavimo project: each intersection calculated and printed in the
// chosen form. Returns the exit status.
int runPlanProject(const CalcOptions& options, std::ostream& out, std::ostream& err);

}  // namespace tavimo::cli
