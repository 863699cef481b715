// SPDX-License-Identifier: MIT
// The whole-network UTDF reader, placement, import, calculation and agreement on any text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (const auto broken = tavimo::fuzz::checkNetworkUtdf(input)) {
        std::fprintf(stderr, "fuzz_network_utdf: %s\n", broken->c_str());
        std::abort();
    }
    return 0;
}
