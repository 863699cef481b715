// SPDX-License-Identifier: MIT
#include <iostream>
#include <new>

#include "cli/calc_command.h"

int main(int argc, char* argv[]) {
    // The readers refuse what they cannot hold; anything else that runs out of memory
    // still ends with a message and the status of a failed file, not an abort.
    try {
        return tavimo::cli::runCalc(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
    } catch (const std::bad_alloc&) {
        std::cout.flush();
        std::cerr << "tavimo-calc: there is not enough memory for this input\n";
        return 2;
    }
}
