// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tavimo::utdf {

// The UTDF readers address a handful of fixed lines (none beyond 12), so only those
// are cut out of the text; whatever follows them is never scanned.
constexpr int kLastLineRead = 12;

// Lines of a UTDF file numbered from 1. A line ends at CR LF, CR or LF; a line the
// file does not have is empty.
class Lines {
public:
    explicit Lines(std::string_view text);
    std::string_view line(int number) const;
    // How many lines the file has, counted up to kLastLineRead.
    int count() const { return count_; }

private:
    std::array<std::string_view, kLastLineRead + 1> lines_{};
    int count_ = 0;
};

// Columns first..last (counted from 1) of a fixed-column line, blanks kept; shorter or
// empty where the line ends earlier.
std::string_view columns(std::string_view line, int first, int last);

// Field `number` (counted from 1) of a comma-separated line: no quoting, blanks belong
// to the field. Nothing when the line has fewer fields.
std::optional<std::string_view> field(std::string_view line, std::size_t number);

// A field as a number's text ("4.0" and " 4" give "4", "3.50" gives "3.5"). Nothing
// when the field is not a number (or too large to hold); the caller decides what a
// blank field means.
std::optional<std::string> numberText(std::string_view fieldText);

// A comma-separated value the readers convert: an empty field, and one of blanks only,
// give the reader's `emptyValue`; a number gives its text; anything else nothing.
std::optional<std::string> convertedField(std::string_view fieldText, const std::string& emptyValue);

// "The <kind> file "<name>" <problem>": every reading failure names the file.
std::string fileMessage(const char* kind, const std::string& fileName, const std::string& problem);

// Why a value the calculation will read as a time is none, or nothing when it is one
// (blank counts as none given): "which is not a number", "which is out of range".
std::optional<std::string> notATime(std::string_view value);

// A value quoted for a message: cut short and with unprintable bytes shown as '?'.
std::string quoted(std::string_view value);

// A whole number of at most 18 digits, as INTIDs are written; none for any other text.
std::optional<long long> wholeNumber(std::string_view text);

// A value of the file that is a whole number below 10000 in size, as BRPs and phase
// numbers are ("112", "2.0"); checked before the cast, none for any other text.
std::optional<int> smallWholeNumber(const std::string& text);

}  // namespace tavimo::utdf
