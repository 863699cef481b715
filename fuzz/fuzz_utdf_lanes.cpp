// SPDX-License-Identifier: MIT
// LANES reader in both forms: the first byte picks the form (odd: comma-separated),
// the rest is the file's text.
// What the input must satisfy is in fuzz_checks.h, shared with the replay test.
#include <cstdio>
#include <cstdlib>

#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (const auto broken = tavimo::fuzz::checkUtdfLanes(input)) {
        std::fprintf(stderr, "fuzz_utdf_lanes: %s\n", broken->c_str());
        std::abort();
    }
    return 0;
}
