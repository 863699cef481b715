// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavimo {

// The code point of the UTF-8 sequence at `pos`, moving `pos` past it; nothing, with
// `pos` unmoved, for a malformed sequence (overlong forms, surrogates and truncated
// sequences included).
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& pos);

// Appends a code point below U+10000 as UTF-8.
void appendUtf8(std::string& out, char32_t c);

}  // namespace tavimo
