// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string_view>

namespace tavimo {

// Cuts a file's text into lines, one at a time, without copying. A line ends at
// CR LF, CR or LF, as Windows, classic Mac and Unix programs write them; a last line
// needs no end, and a line end at the very end of the text starts no empty line.
class TextLines {
public:
    explicit TextLines(std::string_view text) : text_(text) {}

    // The next line without its end, or nothing once the text is used up.
    std::optional<std::string_view> next() {
        if (start_ >= text_.size()) return std::nullopt;
        std::size_t end = text_.find_first_of("\r\n", start_);
        if (end == std::string_view::npos) end = text_.size();
        const std::string_view line = text_.substr(start_, end - start_);
        start_ = end + 1;
        if (end < text_.size() && text_[end] == '\r' && start_ < text_.size() && text_[start_] == '\n') ++start_;
        return line;
    }

private:
    std::string_view text_;
    std::size_t start_ = 0;
};

}  // namespace tavimo
