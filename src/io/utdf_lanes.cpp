// SPDX-License-Identifier: MIT
// The LANES file: line 2 names the lane groups (NBL, NBT, ..., WBR), line 12 gives
// under each lane group the phase that serves it. A phase's direction is the approach
// of its lane group: the first two letters of the name.
#include "io/utdf_readers.h"

#include "utdf_text.h"

namespace tavimo {

namespace {

constexpr int kNameLine = 2, kPhaseLine = 12;
// Left of this column stand the record name ("Phase1") and the intersection number.
constexpr std::size_t kFirstPhaseColumn = 24;

// The names stand right-aligned above the phase digits, so the approach is the two
// columns before the digit. A phase under several lane groups takes the leftmost.
void readFixedColumns(const utdf::Lines& lines, UtdfImport& read) {
    const std::string_view phases = lines.line(kPhaseLine);
    for (int n = 1; n <= 8; ++n) {
        const char digit = static_cast<char>('0' + n);
        const std::size_t at = phases.size() < kFirstPhaseColumn ? std::string_view::npos
                                                                 : phases.find(digit, kFirstPhaseColumn - 1);
        if (at == std::string_view::npos) continue;
        const int column = static_cast<int>(at) + 1;
        read.direction[n - 1] = std::string(utdf::columns(lines.line(kNameLine), column - 2, column - 1));
    }
}

// Every digit 1..8 of a field records that field for its phase, so a field "12"
// counts for phases 1 and 2; a later field overrides an earlier one (the rightmost
// lane group wins). Other characters, blanks included, are passed over.
void readCommaSeparated(const utdf::Lines& lines, UtdfImport& read) {
    const std::string_view phases = lines.line(kPhaseLine);
    std::array<std::size_t, 8> fieldOf{};  // 0: the phase stands under no lane group
    std::size_t fieldNumber = 1;
    bool pastFirst = false;
    for (char c : phases) {
        if (c == ',') {
            ++fieldNumber;
            pastFirst = true;
        } else if (pastFirst && c >= '1' && c <= '8') {
            fieldOf[c - '1'] = fieldNumber;
        }
    }
    const std::string_view names = lines.line(kNameLine);
    for (int n = 1; n <= 8; ++n) {
        if (fieldOf[n - 1] == 0) continue;
        const auto name = utdf::field(names, fieldOf[n - 1]);
        if (name) read.direction[n - 1] = std::string(name->substr(0, 2));
    }
}

}  // namespace

void parseLanes(std::string_view text, UtdfForm form, UtdfImport& into) {
    const utdf::Lines lines(text);
    into.direction.fill("");
    if (form == UtdfForm::FixedColumns) readFixedColumns(lines, into);
    else readCommaSeparated(lines, into);
}

}  // namespace tavimo
