// SPDX-License-Identifier: MIT
// The PHASING file: line 4 holds the minimum greens, line 10 the yellow times and
// line 11 the all-red times of phases 1..8.
#include "io/utdf_readers.h"

#include "utdf_text.h"

namespace tavimo {

namespace {

constexpr const char* kKind = "PHASING";
constexpr int kGreenLine = 4, kAmberLine = 10, kRedLine = 11;

struct Row {
    int line;
    const char* what;
    std::array<std::string, 8> UtdfImport::*values;
};
constexpr Row kRows[] = {
    {kGreenLine, "minimum green", &UtdfImport::green},
    {kAmberLine, "yellow time", &UtdfImport::amber},
    {kRedLine, "all-red time", &UtdfImport::red},
};

UtdfError notANumber(const std::string& fileName, const Row& row, int phase, std::string_view value) {
    return {utdf::fileMessage(kKind, fileName,
                              "holds " + utdf::quoted(value) + " as the " + row.what + " of phase " +
                                  std::to_string(phase) + " in line " + std::to_string(row.line) +
                                  ", which is not a number.")};
}

std::optional<UtdfError> readCommaSeparated(const utdf::Lines& lines, const std::string& fileName, UtdfImport& read) {
    for (const Row& row : kRows) {
        const std::string_view line = lines.line(row.line);
        auto& values = read.*row.values;
        // Phases 1..7 stand in fields 3..9. The all-reds of those phases are taken
        // as they stand; a controller reads them as typed.
        for (int n = 1; n <= 7; ++n) {
            const auto text = utdf::field(line, n + 2);
            if (!text) break;
            if (row.line == kRedLine) {
                values[n - 1] = std::string(*text);
                continue;
            }
            auto value = utdf::convertedField(*text, "");
            if (!value) return notANumber(fileName, row, n, *text);
            values[n - 1] = *value;
        }
        // Phase 8 is whatever follows the last comma, however many fields the line has.
        const std::size_t comma = line.rfind(',');
        if (comma == std::string_view::npos) continue;
        const std::string_view text = line.substr(comma + 1);
        auto value = utdf::convertedField(text, "");
        if (!value) return notANumber(fileName, row, 8, text);
        values[7] = *value;
    }
    return std::nullopt;
}

void readFixedColumns(const utdf::Lines& lines, UtdfImport& read) {
    for (const Row& row : kRows) {
        const std::string_view line = lines.line(row.line);
        auto& values = read.*row.values;
        for (int n = 1; n <= 7; ++n) {
            const int first = 25 + 5 * (n - 1);
            values[n - 1] = std::string(utdf::columns(line, first, first + 2));
        }
        values[7] = std::string(utdf::columns(line, 60, 62));
    }
}

}  // namespace

std::optional<UtdfError> parsePhasing(std::string_view text, UtdfForm form, const std::string& fileName,
                                      UtdfImport& into) {
    const utdf::Lines lines(text);
    UtdfImport read = into;
    for (const Row& row : kRows) (read.*row.values).fill("");
    if (form == UtdfForm::CommaSeparated) {
        if (auto error = readCommaSeparated(lines, fileName, read)) return error;
    } else {
        readFixedColumns(lines, read);
    }
    into = std::move(read);
    return std::nullopt;
}

}  // namespace tavimo
