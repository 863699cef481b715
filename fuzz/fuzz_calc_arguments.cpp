// SPDX-License-Identifier: MIT
// tavimo-calc's argument parser on any command line, one argument a line.
// What the input must satisfy is in fuzz_checks.h, shared with the replay test.
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tavimo::fuzz::runCheck("fuzz_calc_arguments", tavimo::fuzz::checkCalcArguments, data, size);
}
