// SPDX-License-Identifier: MIT
#include "io/project_read.h"

#include "io/file_read.h"
#include "io/windows1252.h"

#include "message_text.h"
#include "text_encoding.h"
#include "text_lines.h"

namespace tavimo {

namespace {

constexpr int kLines = 7;
const char* const kKeywords[kLines] = {"movements", "splits", "minGreen", "amber", "red", "order", "misc"};
constexpr int kPositionValues = 8;

// True when nothing but commas follows the `kept`-th value of a line: a file written
// with an empty ninth value still holds eight.
bool isBlankTail(std::string_view line, std::size_t from, int kept) {
    for (int i = 0; i < kept; ++i) {
        const std::size_t comma = line.find(',', from);
        if (comma == std::string_view::npos) return true;
        from = comma + 1;
    }
    return line.find_first_not_of(',', from) == std::string_view::npos;
}

}  // namespace

std::optional<std::string> notAProjectFile(std::string_view bytes) {
    if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) bytes.remove_prefix(kUtf8Mark.size());
    if (bytes.empty()) return "it is empty";
    if (isUtf16(bytes)) return "it is UTF-16 text; save it as ANSI (Windows-1252) text";
    TextLines cut(bytes);
    for (int line = 0; line < kLines; ++line) {
        const std::optional<std::string_view> next = cut.next();
        if (!next) return "it has " + std::to_string(line) + " of the " + std::to_string(kLines) + " lines";
        const std::string_view text = *next;
        const std::string keyword = std::string(kKeywords[line]) + ",";
        if (text.empty()) return "line " + std::to_string(line + 1) + " is empty";
        if (text.substr(0, keyword.size()) != keyword)
            return "line " + std::to_string(line + 1) + " does not start with \"" + keyword + "\" but with " +
                   quotedValue(fromWindows1252(text.substr(0, keyword.size())));
        // A ninth value in a line of eight is most often a decimal comma typed into a
        // time ("3,5"): it has shifted every later value of the line by one.
        if (line < kLines - 1 && !isBlankTail(text, keyword.size(), kPositionValues))
            return "line " + std::to_string(line + 1) + " holds more than " + std::to_string(kPositionValues) +
                   " values (a decimal comma in a time?)";
    }
    return std::nullopt;
}

std::variant<ProjectValues, std::string> readProjectFile(const std::string& path) {
    auto read = readRegularFile(path, kLargestProjectFile);
    if (const auto* failure = std::get_if<FileReadFailure>(&read))
        return "Unable to open " + path + ": " + failure->reason + ".";
    const std::string& bytes = std::get<std::string>(read);
    if (const auto why = notAProjectFile(bytes)) return path + " is not a Tavimo project file: " + *why + ".";

    const std::string_view raw = bytes;
    const std::string text = raw.substr(0, kUtf8Mark.size()) == kUtf8Mark ? std::string(raw.substr(kUtf8Mark.size()))
                                                                          : fromWindows1252(raw);
    ProjectValues values = parseProject(text);
    if (const auto wrong = validateProject(values))
        return "Unable to open " + path + ": not a Tavimo signal (" + *wrong + ").";
    return values;
}

}  // namespace tavimo
