// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace tavimo {

// A value of a file quoted for a message box: control bytes (NUL, ESC, line breaks)
// shown as '?', and a long value cut after a few characters with "...", so that a
// stray binary file gives a message a user can read. UTF-8 characters stay whole.
std::string quotedValue(std::string_view utf8);

}  // namespace tavimo
