// SPDX-License-Identifier: MIT
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tavimo::cli {

// Runs tavimo-calc with its arguments (without the program name), writing results
// to `out` and messages to `err`; returns the exit status.
int runCalc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tavimo::cli
