// SPDX-License-Identifier: MIT
#include "output/results_forms.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "io/utf8.h"
#include "calc/signal_offsets.h"
#include "output/offset_results.h"

namespace tavimo {

const char* const kCsvNames[kFields] = {"position",  "phase", "movement", "split",
                                        "min_green", "amber", "all_red",  "force_off",
                                        "permissive_start", "permissive_end"};

namespace {

const char* const kRowLabels[kFields] = {"Position:",   "Phase:",     "Movement:",
                                         "Split Time:", "Min Green:", "Amber Time:",
                                         "All Red Time:", "Force Off:", "Permissive Start:",
                                         "Permissive End:"};

}  // namespace

// What the column of position k shows. A row the calculation hid (no phase at the
// position) shows nothing, its movement pull-down included.
std::array<std::string, kFields> columnOf(const SignalPlan& plan, int k) {
    const Position& p = plan.at(k);
    if (!p.rowVisible) return {std::to_string(k), p.phase};
    return {std::to_string(k), p.phase, p.movement(), p.split, p.green, p.amber, p.red,
            p.force, p.pps, p.ppe};
}

namespace {

std::string arrangementName(const std::string& arrangement) {
    return arrangement == tag::kLead || arrangement == tag::kLag ? "Dual " + arrangement : arrangement;
}

void rtrimLine(std::string& line) {
    while (!line.empty() && line.back() == ' ') line.pop_back();
}

}  // namespace

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

Json jsonNumber(const std::string& text) {
    if (text.empty()) return nullptr;
    // Only the forms a window field shows: an optional minus, digits and one point.
    bool digit = false, point = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') digit = true;
        else if (c == '.' && !point) point = true;
        else if (!(c == '-' && i == 0)) return text;
    }
    if (!digit) return text;
    const double value = std::strtod(text.c_str(), nullptr);  // the C locale: '.' is the point
    if (!std::isfinite(value)) return text;
    if (!point && value == std::floor(value) && std::fabs(value) < 9.0e15) return static_cast<std::int64_t>(value);
    return value;
}

// The warnings that point at a field of position k, joined for one csv cell.
std::string csvWarnings(const std::vector<TimingWarning>& warnings, int k) {
    std::string cell;
    for (const TimingWarning& w : warnings) {
        const bool here = std::any_of(w.marks.begin(), w.marks.end(), [k](const FieldMark& m) { return m.position == k; });
        if (here) cell += (cell.empty() ? "" : "; ") + w.text;
    }
    return csvField(cell);
}

void printCsv(const WindowState& state, std::ostream& out, const std::vector<TimingWarning>& warnings) {
    // A signal with an offset has its figures after the columns every signal has.
    const bool offset = state.plan.offset.has_value();
    const std::string offsetFields = offset ? offsetCsvFields(windowOffsetsOf(state)) : "";
    for (int f = 0; f < kFields; ++f) out << (f ? "," : "") << kCsvNames[f];
    out << ",warnings,ring,barrier" << (offset ? kOffsetCsvHead : "") << '\n';
    for (int k = 1; k <= kPositions; ++k) {
        const auto column = columnOf(state.plan, k);
        for (int f = 0; f < kFields; ++f) out << (f ? "," : "") << csvField(column[f]);
        out << ',' << csvWarnings(warnings, k) << ',' << ringOfPosition(k) << ',' << barrierOfPosition(k)
            << offsetFields << '\n';
    }
}

void printTable(const WindowState& state, std::ostream& out) {
    const SignalPlan& plan = state.plan;
    const std::pair<const char*, std::string> header[] = {
        {"Description:", plan.description},
        {"Cycle Length:", plan.cycleLength},
        {"Controller:", controllerName(plan.controller)},
        {"Mode:", plan.mode},
        {"Left Turns:", arrangementName(plan.arrangement)},
    };
    for (const auto& [label, value] : header) {
        std::string line = label;
        line.resize(14, ' ');
        line += printableText(value);
        rtrimLine(line);
        out << line << '\n';
    }
    if (plan.offset) out << std::string("Offset:").append(7, ' ') << offsetFigures(windowOffsetsOf(state)) << '\n';
    out << '\n';

    std::array<std::array<std::string, kFields>, kPositions> columns;
    for (int k = 1; k <= kPositions; ++k) {
        columns[k - 1] = columnOf(plan, k);
        for (std::string& text : columns[k - 1]) text = printableText(text);
    }
    std::size_t labelWidth = 0;
    for (const char* label : kRowLabels) labelWidth = std::max(labelWidth, std::string(label).size());
    for (int f = 0; f < kFields; ++f) {
        std::string line = kRowLabels[f];
        line.resize(labelWidth, ' ');
        for (const auto& column : columns) {
            std::size_t width = 4;
            for (const auto& text : column) width = std::max(width, text.size());
            line += std::string(width + 2 - column[f].size(), ' ');
            line += column[f];
        }
        rtrimLine(line);
        out << line << '\n';
    }
}

Json signalJson(const WindowState& state, const JsonIntersection* intersection,
                const std::vector<TimingWarning>* warnings) {
    const SignalPlan& plan = state.plan;
    Json object = Json::object();
    if (intersection) {
        object["intersection"] = jsonNumber(intersection->id);
        object["agrees"] = intersection->agrees;
        if (!intersection->note.empty()) object["note"] = intersection->note;
    }
    object["description"] = plan.description;
    object["cycle_length"] = jsonNumber(plan.cycleLength);
    object["controller"] = controllerName(plan.controller);
    object["mode"] = plan.mode;
    object["arrangement"] = plan.arrangement;
    // A network intersection always says whether it has an offset; a signal of the
    // window only where it has one.
    if (plan.offset || intersection) addOffsetJson(object, windowOffsetsOf(state));
    Json positions = Json::array();
    for (int k = 1; k <= kPositions; ++k) {
        const auto column = columnOf(plan, k);
        Json position = Json::object();
        position["position"] = k;
        for (int f = 1; f < kFields; ++f) {
            const bool text = f == 2;  // the movement
            position[kCsvNames[f]] = text ? Json(column[f]) : jsonNumber(column[f]);
        }
        if (intersection) position["file_force_off"] = jsonNumber(intersection->fileForceOff[k - 1]);
        position["ring"] = ringOfPosition(k);
        position["barrier"] = barrierOfPosition(k);
        positions.push_back(std::move(position));
    }
    object["positions"] = std::move(positions);
    if (warnings) {
        Json list = Json::array();
        for (const TimingWarning& w : *warnings) list.push_back(w.text);
        object["warnings"] = std::move(list);
    }
    return object;
}

void printJson(const Json& value, std::ostream& out) {
    out << value.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

void printResults(const WindowState& state, OutputFormat format, std::ostream& out,
                  const std::vector<TimingWarning>& warnings) {
    switch (format) {
    case OutputFormat::Csv: printCsv(state, out, warnings); break;
    case OutputFormat::Json: printJson(signalJson(state, nullptr, &warnings), out); break;
    case OutputFormat::Table: printTable(state, out); break;
    }
}

}  // namespace tavimo
