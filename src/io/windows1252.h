// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavimo {

// Project files and UTDF files are single-byte Windows-1252 text, the code page
// engineers' machines write them in; the program holds UTF-8. Every byte reads and
// writes back unchanged.
std::string fromWindows1252(std::string_view bytes);
// Fails (nothing) when the text holds a character that Windows-1252 cannot hold.
std::optional<std::string> toWindows1252(std::string_view utf8);

}  // namespace tavimo
