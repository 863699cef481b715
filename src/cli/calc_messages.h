// SPDX-License-Identifier: MIT
#pragma once

#include <ostream>
#include <string>

namespace tavimo::cli {

inline constexpr int kPrinted = 0;
inline constexpr int kUsageOrFile = 2;

// "tavimo-calc: <message>" on standard error, control characters of a file's text
// shown as '?'.
void tell(std::ostream& err, const std::string& message);

// Results that never reach their reader (a full disk, a closed pipe or standard
// output) are a failure, not a success: the stream is flushed and checked last, and
// the reason told. errno is to be cleared before the output starts, so that the
// reason is the write's own. kPrinted or kUsageOrFile.
int printed(std::ostream& out, std::ostream& err);

}  // namespace tavimo::cli
