// SPDX-License-Identifier: MIT
#include "output/results_table.h"

#include <algorithm>
#include <iterator>
#include <sstream>

#include "calc/signal_offsets.h"
#include "output/offset_results.h"
#include "output/results_forms.h"

namespace tavimo {

namespace {

std::string arrangementName(const std::string& arrangement) {
    return arrangement == tag::kLead || arrangement == tag::kLag ? "Dual " + arrangement : arrangement;
}

// A tab or a line end typed into a field would break the table's cells apart.
std::string cellText(std::string text) {
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return text;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> resultsContext(const SignalPlan& plan) {
    return {{"Intersection", plan.description},
            {"Cycle Length", plan.cycleLength},
            {"Controller", controllerName(plan.controller)},
            {"Mode", plan.mode},
            {"Left Turns", arrangementName(plan.arrangement)}};
}

std::string resultsTable(const WindowState& calculated) {
    std::vector<int> byPhase;
    for (int k = 1; k <= kPositions; ++k)
        if (phaseNumber(calculated.plan.at(k).phase) != 0) byPhase.push_back(k);
    std::stable_sort(byPhase.begin(), byPhase.end(), [&](int a, int b) {
        return phaseNumber(calculated.plan.at(a).phase) < phaseNumber(calculated.plan.at(b).phase);
    });

    std::string table;
    for (const auto& [label, value] : resultsContext(calculated.plan)) table += label + '\t' + cellText(value) + '\n';
    for (const auto& [label, value] : offsetContext(windowOffsetsOf(calculated))) table += label + '\t' + value + '\n';
    table += "\nPhase\tMovement\tSplit\tMin Green\tAmber\tAll Red\tForce Off\tPermissive Start\tPermissive End\n";
    for (int k : byPhase) {
        const Position& p = calculated.plan.at(k);
        const std::string cells[] = {p.phase, p.movement(), p.split, p.green, p.amber, p.red, p.force, p.pps, p.ppe};
        for (std::size_t i = 0; i < std::size(cells); ++i) {
            if (i > 0) table += '\t';
            table += cellText(cells[i]);
        }
        table += '\n';
    }
    return table;
}

std::string resultsCsv(const WindowState& calculated, const std::vector<TimingWarning>& warnings) {
    // Context above the table rather than in columns of its own, so that the table
    // below the empty line is the calculator's, column for column.
    std::ostringstream csv;
    for (const auto& [label, value] : resultsContext(calculated.plan)) csv << label << ',' << csvField(value) << '\n';
    for (const auto& [label, value] : offsetContext(windowOffsetsOf(calculated))) csv << label << ',' << value << '\n';
    csv << '\n';
    printCsv(calculated, csv, warnings);
    return csv.str();
}

}  // namespace tavimo
