// SPDX-License-Identifier: MIT
#include "message_text.h"

namespace tavimo {

std::string quotedValue(std::string_view utf8) {
    constexpr std::size_t kShownCharacters = 24;
    std::string text = "\"";
    std::size_t characters = 0;
    std::size_t i = 0;
    for (; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const bool continuation = (c & 0xC0) == 0x80;
        if (!continuation && characters++ == kShownCharacters) break;
        text += (c < 0x20 || c == 0x7f) ? '?' : static_cast<char>(c);
    }
    if (i < utf8.size()) text += "...";
    return text + "\"";
}

}  // namespace tavimo
