// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace tavimo::test {

// The bytes of a test file as they stand on disk; "" when it cannot be read.
std::string fileText(const std::string& path);

}  // namespace tavimo::test
