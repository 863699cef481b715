// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "io/project_file.h"

namespace tavimo {

// A signal takes a few hundred bytes; anything near this size is some other file,
// and is not read into memory. The window and the calculator share the limit.
constexpr std::size_t kLargestProjectFile = std::size_t{1} << 20;

// Why the bytes are not a Tavimo project file, or nothing when they are: empty,
// UTF-16 text, fewer than seven lines, or a line without its keyword.
std::optional<std::string> notAProjectFile(std::string_view bytes);

// Reads, decodes and checks a project file whole, before anything is put into a
// window: the values, or a message naming the file and what is wrong with it
// ("Unable to open <file>: ...", "<file> is not a Tavimo project file: ...").
// A UTF-8 byte-order mark (as Notepad writes) is taken as UTF-8 text.
std::variant<ProjectValues, std::string> readProjectFile(const std::string& path);

}  // namespace tavimo
