// SPDX-License-Identifier: MIT
// The project file reader on any bytes: cut into values, checked, opened into a
// window when valid; written back and read again, the values must not change.
// What the input must satisfy is in fuzz_checks.h, shared with the replay test.
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tavimo::fuzz::runCheck("fuzz_project_file", tavimo::fuzz::checkProjectFile, data, size);
}
