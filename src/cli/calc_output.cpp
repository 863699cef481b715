// SPDX-License-Identifier: MIT
#include "cli/calc_output.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "io/utf8.h"

namespace tavimo::cli {

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

// A JSON string literal. Bytes that are not well-formed UTF-8 become U+FFFD so that
// the output stays valid whatever a file held.
std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
            ++i;
        } else if (c < 0x20) {
            static const char* const named[] = {"\\b", "\\t", "\\n", nullptr, "\\f", "\\r"};
            if (c >= 8 && c <= 13 && named[c - 8]) {
                out += named[c - 8];
            } else {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            }
            ++i;
        } else {
            const std::size_t start = i;
            if (nextCodePoint(text, i)) {
                out.append(text, start, i - start);
            } else {
                out += "\xEF\xBF\xBD";
                ++i;
            }
        }
    }
    return out + "\"";
}

// The warnings that point at a field of position k, joined for one csv cell. The
// cell holds no comma: "60, ring 2 at 55" reads "60 and ring 2 at 55".
std::string csvWarnings(const std::vector<TimingWarning>& warnings, int k) {
    std::string cell;
    for (const TimingWarning& w : warnings) {
        const bool here = std::any_of(w.marks.begin(), w.marks.end(), [k](const FieldMark& m) { return m.position == k; });
        if (!here) continue;
        std::string text;
        for (std::size_t i = 0; i < w.text.size(); ++i) {
            if (w.text[i] != ',') text += w.text[i];
            else if (i + 1 < w.text.size() && w.text[i + 1] == ' ') text += " and";
            else text += ' ';
        }
        cell += (cell.empty() ? "" : "; ") + text;
    }
    return cell;
}


void printCsv(const WindowState& state, std::ostream& out, const std::vector<TimingWarning>& warnings) {
    for (int f = 0; f < kFields; ++f) out << (f ? "," : "") << kCsvNames[f];
    out << ",warnings\n";
    for (int k = 1; k <= kPositions; ++k) {
        const auto column = columnOf(state.plan, k);
        for (int f = 0; f < kFields; ++f) out << (f ? "," : "") << column[f];
        out << ',' << csvWarnings(warnings, k) << '\n';
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

namespace {

void printJson(const WindowState& state, std::ostream& out, const std::vector<TimingWarning>& warnings) {
    printJsonObject(state, nullptr, "", out, &warnings);
}

}  // namespace

void printJsonObject(const WindowState& state, const JsonIntersection* intersection, const std::string& indent,
                     std::ostream& out, const std::vector<TimingWarning>* warnings) {
    const SignalPlan& plan = state.plan;
    out << indent << "{\n";
    if (intersection) {
        out << indent << "  \"intersection\": " << jsonString(intersection->id) << ",\n"
            << indent << "  \"agrees\": " << (intersection->agrees ? "true" : "false") << ",\n";
        if (!intersection->note.empty()) out << indent << "  \"note\": " << jsonString(intersection->note) << ",\n";
    }
    out << indent << "  \"description\": " << jsonString(plan.description) << ",\n"
        << indent << "  \"cycle_length\": " << jsonString(plan.cycleLength) << ",\n"
        << indent << "  \"controller\": " << jsonString(plan.controller) << ",\n"
        << indent << "  \"mode\": " << jsonString(plan.mode) << ",\n"
        << indent << "  \"arrangement\": " << jsonString(plan.arrangement) << ",\n"
        << indent << "  \"positions\": [\n";
    for (int k = 1; k <= kPositions; ++k) {
        const auto column = columnOf(plan, k);
        out << indent << "    {\"position\": " << k;
        for (int f = 1; f < kFields; ++f) out << ", \"" << kCsvNames[f] << "\": " << jsonString(column[f]);
        if (intersection) out << ", \"file_force_off\": " << jsonString(intersection->fileForceOff[k - 1]);
        out << (k < kPositions ? "},\n" : "}\n");
    }
    out << indent << "  ]";
    if (warnings) {
        out << ",\n" << indent << "  \"warnings\": [";
        for (std::size_t i = 0; i < warnings->size(); ++i) out << (i ? ", " : "") << jsonString((*warnings)[i].text);
        out << "]";
    }
    out << "\n" << indent << "}";
    if (!intersection) out << "\n";
}

void printResults(const WindowState& state, OutputFormat format, std::ostream& out,
                  const std::vector<TimingWarning>& warnings) {
    switch (format) {
    case OutputFormat::Csv: printCsv(state, out, warnings); break;
    case OutputFormat::Json: printJson(state, out, warnings); break;
    case OutputFormat::Table: printTable(state, out); break;
    }
}

}  // namespace tavimo::cli
