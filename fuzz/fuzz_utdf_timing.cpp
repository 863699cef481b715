// SPDX-License-Identifier: MIT
// TIMING reader in both forms: the first byte picks the form (odd: comma-separated),
// the rest is the file's text. A read that succeeds is checked and imported.
// What the input must satisfy is in fuzz_checks.h, shared with the replay test.
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tavimo::fuzz::runCheck("fuzz_utdf_timing", tavimo::fuzz::checkUtdfTiming, data, size);
}
