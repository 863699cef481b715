// SPDX-License-Identifier: MIT
// PHASING reader in both forms: the first byte picks the form (odd: comma-separated),
// the rest is the file's text.
// What the input must satisfy is in fuzz_checks.h, shared with the replay test.
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tavimo::fuzz::runCheck("fuzz_utdf_phasing", tavimo::fuzz::checkUtdfPhasing, data, size);
}
