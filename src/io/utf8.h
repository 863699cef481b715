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

// Text fit for a terminal: every control character (C0, DEL and C1, NUL and line
// breaks included) and every byte that is not UTF-8 shown as '?', so that a name in
// a file can neither move the cursor nor send an escape sequence.
std::string printableText(std::string_view text);

// Appends a code point below U+10000 as UTF-8.
void appendUtf8(std::string& out, char32_t c);

}  // namespace tavimo
