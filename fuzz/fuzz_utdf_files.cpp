// SPDX-License-Identifier: MIT
// The whole three-file UTDF read (TIMING, PHASING, LANES in the forms the first byte
// picks), its checks, the import and the calculation of what it lets through.
// What the input must satisfy is in fuzz_checks.h, shared with the replay test.
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tavimo::fuzz::runCheck("fuzz_utdf_files", tavimo::fuzz::checkUtdfFiles, data, size);
}
