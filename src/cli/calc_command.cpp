// SPDX-License-Identifier: MIT
#include "cli/calc_command.h"

namespace tavimo::cli {

int runCalc(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "tavimo-calc: not built yet\n";
    return 2;
}

}  // namespace tavimo::cli
