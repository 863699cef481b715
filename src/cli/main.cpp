// SPDX-License-Identifier: MIT
#include <iostream>

#include "cli/calc_command.h"

int main(int argc, char* argv[]) {
    return tavimo::cli::runCalc(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
