// SPDX-License-Identifier: MIT
// The table, csv and json writers on any plan and any texts, read back by a real csv
// and JSON reader. What the input must satisfy is in fuzz_checks.h.
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tavimo::fuzz::runCheck("fuzz_result_writers", tavimo::fuzz::checkResultWriters, data, size);
}
