// SPDX-License-Identifier: MIT
// The project file reader on any bytes: cut into values, checked, opened into a
// window when valid; written back and read again, the values must not change.
// What the input must satisfy is in fuzz_checks.h, shared with the replay test.
#include <cstdio>
#include <cstdlib>

#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (const auto broken = tavimo::fuzz::checkProjectFile(input)) {
        std::fprintf(stderr, "fuzz_project_file: %s\n", broken->c_str());
        std::abort();
    }
    return 0;
}
