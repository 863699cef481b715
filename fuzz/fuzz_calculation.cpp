// SPDX-License-Identifier: MIT
// "Calculate" on plans made from fuzz bytes laid out like a project file, so the
// .tvm files of the tests seed it.
// What the input must satisfy is in fuzz_checks.h, shared with the replay test.
#include <cstdio>
#include <cstdlib>

#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (const auto broken = tavimo::fuzz::checkCalculation(input)) {
        std::fprintf(stderr, "fuzz_calculation: %s\n", broken->c_str());
        std::abort();
    }
    return 0;
}
