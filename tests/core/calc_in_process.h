// SPDX-License-Identifier: MIT
// tavimo-calc run in-process: its exit status and what it printed on each stream.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/calc_command.h"

namespace tavimo::cli {

struct Result {
    int status;
    std::string out, err;
};

inline Result run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = runCalc(args, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace tavimo::cli
