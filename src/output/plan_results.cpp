// SPDX-License-Identifier: MIT
#include "output/plan_results.h"

#include <algorithm>

#include "io/utf8.h"
#include "model/number_text.h"
#include "calc/signal_offsets.h"
#include "output/offset_results.h"

namespace tavimo {

std::vector<PlanRow> planRows(const Signal& signal, const PlanCalculation& plan) {
    std::vector<PlanRow> rows;
    for (const PlanPhaseResult& r : plan.phases) {
        const SignalPhase* s = signal.phase(r.number);
        const PhaseTiming t = s && s->timing ? *s->timing : PhaseTiming{};
        rows.push_back({{"", std::to_string(r.number), "", formatNumber(t.split), formatNumber(t.minGreen),
                         formatNumber(t.amber), formatNumber(t.allRed), formatNumber(r.forceOff),
                         formatNumber(r.permissiveStart), formatNumber(r.permissiveEnd)},
                        r.ring,
                        r.barrier});
    }
    return rows;
}

void printPlanTable(const Signal& signal, const PlanCalculation& plan, std::ostream& out) {
    std::string coordinated;
    for (int phase : signal.coordinated) coordinated += (coordinated.empty() ? "" : ", ") + std::to_string(phase);
    std::vector<std::pair<const char*, std::string>> header = {
        {"Description:", printableText(signal.description)},
        {"Cycle Length:", printableText(signal.cycle.text)},
        {"Controller:", controllerName(signal.controller)},
        {"Mode:", modeName(signal.mode)},
        {"Coordinated:", coordinated},
    };
    if (signal.offset) header.push_back({"Offset:", offsetFigures(signalOffsetsOf(signal, plan))});
    for (const auto& [label, value] : header) {
        std::string line = label;
        line.resize(14, ' ');
        line += value;
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out << line << '\n';
    }
    out << '\n';

    // Columns right-aligned under their heads: phase, ring, barrier, then the timing
    // and the results as the grid's rows name them.
    const char* const heads[] = {"Phase",     "Ring",      "Barrier",          "Split",         "Min Green", "Amber",
                                 "All Red",   "Force Off", "Permissive Start", "Permissive End"};
    std::vector<std::array<std::string, 10>> lines;
    for (const PlanRow& row : planRows(signal, plan)) {
        const auto& f = row.fields;
        lines.push_back({f[1], std::to_string(row.ring), std::to_string(row.barrier), f[3], f[4], f[5], f[6], f[7],
                         f[8], f[9]});
    }
    std::array<std::size_t, 10> width{};
    for (std::size_t c = 0; c < width.size(); ++c) {
        width[c] = std::string(heads[c]).size();
        for (const auto& line : lines) width[c] = std::max(width[c], line[c].size());
    }
    const auto print = [&](const std::array<std::string, 10>& cells) {
        std::string line;
        for (std::size_t c = 0; c < cells.size(); ++c)
            line += std::string(width[c] + (c ? 2 : 0) - cells[c].size(), ' ') + cells[c];
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out << line << '\n';
    };
    std::array<std::string, 10> headLine;
    for (std::size_t c = 0; c < headLine.size(); ++c) headLine[c] = heads[c];
    print(headLine);
    for (const auto& line : lines) print(line);
}

Json planJson(const Signal& signal, const PlanCalculation& plan, const JsonPlanIntersection& intersection,
              const std::vector<std::string>& warnings) {
    Json object = Json::object();
    object["intersection"] = jsonNumber(intersection.id);
    object["agrees"] = intersection.agrees;
    if (!intersection.note.empty()) object["note"] = intersection.note;
    object["description"] = signal.description;
    object["cycle_length"] = jsonNumber(signal.cycle.text);
    object["controller"] = controllerName(signal.controller);
    object["mode"] = modeName(signal.mode);
    object["arrangement"] = nullptr;
    addOffsetJson(object, signalOffsetsOf(signal, plan));
    Json positions = Json::array();
    const std::vector<PlanRow> rows = planRows(signal, plan);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        Json position = Json::object();
        position["position"] = nullptr;
        for (int f = 1; f < kFields; ++f)
            position[kCsvNames[f]] = f == 2 ? Json(rows[i].fields[f]) : jsonNumber(rows[i].fields[f]);
        position["file_force_off"] =
            jsonNumber(i < intersection.fileForceOff.size() ? intersection.fileForceOff[i] : std::string());
        position["ring"] = rows[i].ring;
        position["barrier"] = rows[i].barrier;
        positions.push_back(std::move(position));
    }
    object["positions"] = std::move(positions);
    Json list = Json::array();
    for (const std::string& w : warnings) list.push_back(w);
    object["warnings"] = std::move(list);
    return object;
}

}  // namespace tavimo
