// SPDX-License-Identifier: MIT
// The TIMING file: line 3 holds the splits of phases 1..8, the cycle length and the
// lead-lag mark of the intersection's timing plan.
#include "io/utdf_readers.h"
#include "model/number_text.h"

#include "utdf_text.h"

namespace tavimo {

namespace {

using utdf::field;
using utdf::quoted;

constexpr const char* kKind = "TIMING";
constexpr int kLine = 3;
// An unused phase: what a blank three-column split slice holds.
const std::string kEmptySplit = "   ";

UtdfError notANumber(const std::string& fileName, int fieldNumber, const char* what, std::string_view value) {
    return {utdf::fileMessage(kKind, fileName,
                              "holds " + quoted(value) + " as the " + what + " in line 3, field " +
                                  std::to_string(fieldNumber) + ", which is not a number.")};
}

UtdfError noCycleLength(const std::string& fileName) {
    return {utdf::fileMessage(kKind, fileName, "has no cycle length in line 3.")};
}

std::optional<UtdfError> readCommaSeparated(std::string_view line, const std::string& fileName, UtdfImport& read) {
    for (int n = 1; n <= 8; ++n) {
        const auto text = field(line, n + 2);
        if (!text) continue;  // the line ends before this phase: empty text
        auto split = utdf::convertedField(*text, kEmptySplit);
        if (!split) return notANumber(fileName, n + 2, ("split of phase " + std::to_string(n)).c_str(), *text);
        read.split[n - 1] = *split;
    }

    const auto cycle = field(line, 11);
    if (!cycle || isBlank(*cycle)) return noCycleLength(fileName);
    auto cycleText = utdf::numberText(*cycle);
    if (!cycleText) return notANumber(fileName, 11, "cycle length", *cycle);
    read.cycleLength = *cycleText;

    // The mark is the first character of the converted field: an empty field gives
    // " " (leading lefts), a line without field 13 the empty mark (lagging lefts).
    if (const auto mark = field(line, 13)) {
        auto markText = utdf::convertedField(*mark, kEmptySplit);
        if (!markText) return notANumber(fileName, 13, "lead-lag mark", *mark);
        read.leadLagMark = markText->substr(0, 1);
    }
    return std::nullopt;
}

std::optional<UtdfError> readFixedColumns(std::string_view line, const std::string& fileName, UtdfImport& read) {
    for (int n = 1; n <= 8; ++n) {
        const int first = 19 + 5 * (n - 1);
        read.split[n - 1] = std::string(utdf::columns(line, first, first + 2));
    }
    const std::string_view cycle = utdf::columns(line, 59, 61);
    if (isBlank(cycle)) return noCycleLength(fileName);
    auto cycleText = utdf::numberText(cycle);
    if (!cycleText)
        return UtdfError{utdf::fileMessage(kKind, fileName,
                                           "holds " + quoted(cycle) +
                                               " as the cycle length in line 3, columns 59-61, which is not a number.")};
    read.cycleLength = *cycleText;
    read.leadLagMark = std::string(utdf::columns(line, 74, 74));
    return std::nullopt;
}

}  // namespace

std::optional<UtdfError> parseTiming(std::string_view text, UtdfForm form, const std::string& fileName,
                                     UtdfImport& into) {
    const std::string_view line = utdf::Lines(text).line(kLine);
    UtdfImport read = into;
    read.split.fill("");
    read.cycleLength.clear();
    read.leadLagMark.clear();
    auto error = form == UtdfForm::CommaSeparated ? readCommaSeparated(line, fileName, read)
                                                  : readFixedColumns(line, fileName, read);
    if (error) return error;
    into = std::move(read);
    return std::nullopt;
}

}  // namespace tavimo
