// SPDX-License-Identifier: MIT
// The project reader of any plan on any bytes: refused with a reason, or read whole,
// written again and read back equal, and calculated. The check is in fuzz_checks.h,
// shared with the replay test.
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tavimo::fuzz::runCheck("fuzz_plan_project", tavimo::fuzz::checkPlanProject, data, size);
}
