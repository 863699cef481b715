// SPDX-License-Identifier: MIT
#include "output/results_table.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace tavimo {

std::string resultsTable(const WindowState& calculated) {
    std::vector<int> byPhase;
    for (int k = 1; k <= kPositions; ++k)
        if (phaseNumber(calculated.plan.at(k).phase) != 0) byPhase.push_back(k);
    std::stable_sort(byPhase.begin(), byPhase.end(), [&](int a, int b) {
        return phaseNumber(calculated.plan.at(a).phase) < phaseNumber(calculated.plan.at(b).phase);
    });

    std::string table = "Phase\tMovement\tSplit\tMin Green\tAmber\tAll Red\tForce Off\tPermissive Start\tPermissive End\n";
    for (int k : byPhase) {
        const Position& p = calculated.plan.at(k);
        const std::string cells[] = {p.phase, p.movement(), p.split, p.green, p.amber, p.red, p.force, p.pps, p.ppe};
        for (std::size_t i = 0; i < std::size(cells); ++i) {
            std::string text = cells[i];
            // A tab or a line end typed into a field would break the table's cells apart.
            std::replace_if(text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
            if (i > 0) table += '\t';
            table += text;
        }
        table += '\n';
    }
    return table;
}

}  // namespace tavimo
