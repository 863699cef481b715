// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace tavimo {

// The byte-order mark some editors put before UTF-8 text.
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Text saved as UTF-16 (Notepad's "Unicode"): with a byte-order mark, or with the NUL
// high bytes of ASCII text without one.
inline bool isUtf16(std::string_view bytes) {
    if (bytes.size() < 2) return false;
    const auto b0 = static_cast<unsigned char>(bytes[0]), b1 = static_cast<unsigned char>(bytes[1]);
    return (b0 == 0xFF && b1 == 0xFE) || (b0 == 0xFE && b1 == 0xFF) || ((b0 == 0) != (b1 == 0));
}

}  // namespace tavimo
