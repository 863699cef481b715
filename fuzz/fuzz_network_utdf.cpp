// SPDX-License-Identifier: MIT
// The whole-network UTDF reader, placement, import, calculation and agreement on any text.
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tavimo::fuzz::runCheck("fuzz_network_utdf", tavimo::fuzz::checkNetworkUtdf, data, size);
}
