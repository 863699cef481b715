// SPDX-License-Identifier: MIT
// "Calculate" on plans made from fuzz bytes laid out like a project file, so the
// .tvm files of the tests seed it.
// What the input must satisfy is in fuzz_checks.h, shared with the replay test.
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tavimo::fuzz::runCheck("fuzz_calculation", tavimo::fuzz::checkCalculation, data, size);
}
