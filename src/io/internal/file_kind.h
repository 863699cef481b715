// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <sys/types.h>

namespace tavimo {

// What a path names when it is not a regular file, as the user would call it
// ("it is a FIFO, not a regular file").
std::string notRegularReason(mode_t mode);

}  // namespace tavimo
