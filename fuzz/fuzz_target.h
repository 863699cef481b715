// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "fuzz_checks.h"

namespace tavimo::fuzz {

// One libFuzzer input through one check of fuzz_checks.h; a finding stops the run
// with the target's name and what broke, so that libFuzzer keeps the input.
inline int runCheck(const char* target, Broken (*check)(std::string_view), const std::uint8_t* data,
                    std::size_t size) {
    if (const Broken broken = check(std::string_view(reinterpret_cast<const char*>(data), size))) {
        std::fprintf(stderr, "%s: %s\n", target, broken->c_str());
        std::abort();
    }
    return 0;
}

}  // namespace tavimo::fuzz
