// SPDX-License-Identifier: MIT
#include "io/project_file.h"

#include <vector>

#include "message_text.h"
#include "text_lines.h"

namespace tavimo {

namespace {

constexpr int kLines = 7;
constexpr int kPositionValues = 8;
constexpr int kMiscValues = 5;

const char* const kKeywords[kLines] = {"movements", "splits", "minGreen", "amber",
                                        "red",       "order",  "misc"};

// The file's lines by position; a line ends at CR LF, CR or LF. Only the first
// seven count, lines after them are ignored and missing ones are empty.
std::array<std::string_view, kLines> splitLines(std::string_view text) {
    std::array<std::string_view, kLines> lines{};
    TextLines cut(text);
    for (std::string_view& line : lines) line = cut.next().value_or(std::string_view());
    return lines;
}

// Cuts a line into up to `count` values: the keyword is skipped up to its comma,
// each value runs to the next comma, a last value without a comma runs to the end
// of the line. `rest` receives what follows the comma after the last value taken,
// or nothing when the line ended first.
std::vector<std::string> cutValues(std::string_view line, int count, std::optional<std::string_view>* rest = nullptr) {
    std::vector<std::string> values(count);
    if (rest) *rest = std::nullopt;
    std::size_t pos = line.find(',');
    if (pos == std::string_view::npos) return values;
    ++pos;
    for (int i = 0; i < count; ++i) {
        const std::size_t comma = line.find(',', pos);
        if (comma == std::string_view::npos) {
            if (pos < line.size()) values[i] = std::string(line.substr(pos));
            return values;
        }
        values[i] = std::string(line.substr(pos, comma - pos));
        pos = comma + 1;
    }
    if (rest) *rest = line.substr(pos);
    return values;
}

void copyEight(const std::vector<std::string>& values, std::array<std::string, 8>& into) {
    for (int i = 0; i < kPositionValues; ++i) into[i] = values[i];
}

void appendLine(std::string& out, const char* keyword, const std::string* values, int count) {
    out += keyword;
    out += ',';
    for (int i = 0; i < count; ++i) {
        out += values[i];
        out += ',';
    }
    out += "\r\n";
}

std::string quoted(const std::string& text) { return quotedValue(text); }

}  // namespace

ProjectValues parseProject(std::string_view text) {
    const auto lines = splitLines(text);
    ProjectValues v;
    std::array<std::string, 8>* arrays[] = {&v.movements, &v.splits, &v.minGreens,
                                            &v.ambers,    &v.reds,   &v.order};
    for (int line = 0; line < 6; ++line) copyEight(cutValues(lines[line], kPositionValues), *arrays[line]);

    // The description is free text and may hold commas ("Main St, 5th Ave"): it
    // runs from the mode's comma to the line's last comma, so that a written
    // description always reads back whole.
    std::optional<std::string_view> rest;
    const auto misc = cutValues(lines[6], kMiscValues - 1, &rest);
    v.cycleLength = misc[0];
    v.arrangement = misc[1];
    v.controller = misc[2];
    v.mode = misc[3];
    if (rest) {
        const std::size_t last = rest->rfind(',');
        v.description = std::string(last == std::string_view::npos ? *rest : rest->substr(0, last));
    }
    return v;
}

std::string formatProject(const ProjectValues& v) {
    std::string out;
    const std::array<std::string, 8>* arrays[] = {&v.movements, &v.splits, &v.minGreens,
                                                  &v.ambers,    &v.reds,   &v.order};
    for (int line = 0; line < 6; ++line) appendLine(out, kKeywords[line], arrays[line]->data(), kPositionValues);
    const std::string misc[kMiscValues] = {v.cycleLength, v.arrangement, v.controller, v.mode, v.description};
    appendLine(out, kKeywords[6], misc, kMiscValues);
    return out;
}

std::optional<std::string> validateProject(const ProjectValues& v) {
    if (v.arrangement != tag::kLead && v.arrangement != tag::kLag)
        return "arrangement " + quoted(v.arrangement) + " is not Lead or Lag";
    if (v.controller != tag::kNema && v.controller != tag::kType170)
        return "controller " + quoted(v.controller) + " is not Nema or one70";
    if (v.mode != tag::kPermissive && v.mode != tag::kYield)
        return "mode " + quoted(v.mode) + " is not Permissive or Yield";
    // Only positions with a split are opened; their phase must be one the
    // phase-order pull-down offers, and each phase can stand at one position only.
    // An empty phase beside a split is what a window holds after its phase was
    // cleared: it opens as that, and the next calculation blanks the row.
    std::array<int, 9> heldAt{};
    for (int k = 1; k <= kPositions; ++k) {
        if (v.splits[k - 1].empty()) continue;
        const std::string& phase = v.order[k - 1];
        if (phase.empty()) continue;
        const int n = phaseNumber(phase);
        if (n == 0)
            return "order value " + quoted(phase) + " at position " + std::to_string(k) +
                   " is not a phase number 1 to 8";
        if (heldAt[n] != 0)
            return "phase " + phase + " stands at positions " + std::to_string(heldAt[n]) + " and " +
                   std::to_string(k);
        heldAt[n] = k;
    }
    return std::nullopt;
}

std::optional<std::string> unstorableValue(const ProjectValues& v) {
    const auto breaksLine = [](const std::string& value) {
        return value.find_first_of("\r\n") != std::string::npos;
    };
    const auto breaksValue = [&](const std::string& value) {
        return value.find(',') != std::string::npos || breaksLine(value);
    };
    const std::pair<const char*, const std::array<std::string, 8>*> rows[] = {
        {"the movement", &v.movements}, {"the split", &v.splits},   {"the minimum green", &v.minGreens},
        {"the amber time", &v.ambers},  {"the all-red time", &v.reds}, {"the phase", &v.order}};
    for (const auto& [name, values] : rows)
        for (int k = 1; k <= kPositions; ++k)
            if (breaksValue((*values)[k - 1]))
                return std::string(name) + " at position " + std::to_string(k) + " holds " +
                       quoted((*values)[k - 1]);
    const std::pair<const char*, const std::string*> header[] = {{"the cycle length", &v.cycleLength},
                                                                 {"the arrangement", &v.arrangement},
                                                                 {"the controller type", &v.controller},
                                                                 {"the mode", &v.mode}};
    for (const auto& [name, value] : header)
        if (breaksValue(*value)) return std::string(name) + " holds " + quoted(*value);
    // The description is read up to the line's last comma, so only a line break harms it.
    if (breaksLine(v.description)) return "the intersection description holds a line break";
    return std::nullopt;
}

}  // namespace tavimo
