// SPDX-License-Identifier: MIT
// What the calculation would refuse in an imported signal, or the readers would get
// wrong, found at import where the file and its line can still be named: a file cut
// short, a time that is no number or out of range, a LANES file whose phases are not
// the eight the grid holds.
#include "io/utdf_readers.h"
#include "model/number_text.h"

#include "utdf_text.h"

#include <vector>

namespace tavimo {

namespace {

constexpr int kPhaseLine = 12;
// Left of this column stand the record name ("Phase1") and the intersection number.
constexpr std::size_t kFirstPhaseColumn = 24;

struct TimeRow {
    const char* kind;
    int line;
    const char* what;
    const char* plural;
    const std::array<std::string, 8> UtdfImport::*values;
};
constexpr TimeRow kTimeRows[] = {
    {"TIMING", 3, "split", "splits", &UtdfImport::split},
    {"PHASING", 4, "minimum green", "minimum greens", &UtdfImport::green},
    {"PHASING", 10, "yellow time", "yellow times", &UtdfImport::amber},
    {"PHASING", 11, "all-red time", "all-red times", &UtdfImport::red},
};

std::optional<UtdfError> checkPhasingLength(const utdf::Lines& lines, const std::string& path) {
    for (const TimeRow& row : kTimeRows)
        if (row.kind == std::string_view("PHASING") && lines.count() < row.line)
            return UtdfError{path + " has " + std::to_string(lines.count()) + " lines; the " + row.plural +
                             " are in line " + std::to_string(row.line)};
    return std::nullopt;
}

std::optional<UtdfError> checkTimes(const UtdfImport& values, const std::string& timingPath,
                                    const std::string& phasingPath) {
    for (const TimeRow& row : kTimeRows) {
        const std::string& path = row.kind == std::string_view("TIMING") ? timingPath : phasingPath;
        for (int n = 1; n <= 8; ++n) {
            // The times of a phase without a split are never calculated.
            if (isBlank(values.split[n - 1])) continue;
            const std::string& value = (values.*row.values)[n - 1];
            if (const auto why = utdf::notATime(value))
                return UtdfError{utdf::fileMessage(row.kind, path,
                                                   "holds " + utdf::quoted(value) + " as the " + row.what +
                                                       " of phase " + std::to_string(n) + " in line " +
                                                       std::to_string(row.line) + ", " + *why + ".")};
        }
    }
    if (const auto why = utdf::notATime(values.cycleLength))
        return UtdfError{utdf::fileMessage("TIMING", timingPath,
                                           "holds " + utdf::quoted(values.cycleLength) +
                                               " as the cycle length in line 3, " + *why + ".")};
    return std::nullopt;
}

// The lane groups' entries of line 12: the comma-separated fields from the third, or
// the blank-separated words from the first phase column.
std::vector<std::string_view> laneGroupEntries(std::string_view phases, UtdfForm form) {
    std::vector<std::string_view> entries;
    std::size_t start = 0;
    if (form == UtdfForm::FixedColumns) {
        start = phases.size() < kFirstPhaseColumn ? phases.size() : kFirstPhaseColumn - 1;
    } else {
        for (int skipped = 0; skipped < 2; ++skipped) {
            start = phases.find(',', start);
            if (start == std::string_view::npos) return entries;
            ++start;
        }
    }
    const char separator = form == UtdfForm::FixedColumns ? ' ' : ',';
    while (start <= phases.size()) {
        std::size_t end = phases.find(separator, start);
        if (end == std::string_view::npos) end = phases.size();
        if (end > start) entries.push_back(phases.substr(start, end - start));
        start = end + 1;
    }
    return entries;
}

// A two-digit phase 10-16 would count as the phases of its digits, and a line without
// any phase 1-8 gives a signal without movements.
std::optional<UtdfError> checkLanes(const utdf::Lines& lines, UtdfForm form, const std::string& path) {
    if (lines.count() < kPhaseLine)
        return UtdfError{path + " has " + std::to_string(lines.count()) +
                         " lines; the phases of the lane groups are in line 12"};
    bool anyPhase = false;
    for (std::string_view entry : laneGroupEntries(lines.line(kPhaseLine), form)) {
        const std::size_t first = entry.find_first_not_of(' ');
        if (first == std::string_view::npos) continue;
        const std::string_view word = entry.substr(first, entry.find_last_not_of(' ') - first + 1);
        if (word.size() == 2 && word[0] == '1' && word[1] >= '0' && word[1] <= '6')
            return UtdfError{path + ": line 12 holds phase " + std::string(word) +
                             "; only phases 1 to 8 can be imported"};
        for (char c : word)
            if (c >= '1' && c <= '8') anyPhase = true;
    }
    if (!anyPhase) return UtdfError{path + ": line 12 holds no phase number 1\u20138"};
    return std::nullopt;
}

}  // namespace

std::optional<UtdfError> checkImport(const UtdfImport& values, std::string_view phasingText,
                                     std::string_view lanesText, UtdfForm lanesForm, const std::string& timingPath,
                                     const std::string& phasingPath, const std::string& lanesPath) {
    if (auto error = checkPhasingLength(utdf::Lines(phasingText), phasingPath)) return error;
    if (auto error = checkLanes(utdf::Lines(lanesText), lanesForm, lanesPath)) return error;
    return checkTimes(values, timingPath, phasingPath);
}

}  // namespace tavimo
