// SPDX-License-Identifier: MIT
#include "support/typed_plan.h"

#include <sstream>

namespace tavimo::test {

std::array<std::string, 8> rowTexts(const std::string& line) {
    std::array<std::string, 8> out;
    std::istringstream in(line);
    for (std::string& t : out) {
        in >> t;
        if (t == "-") t.clear();
    }
    return out;
}

CalcInput calcInput(const TypedPlan& p) {
    CalcInput in;
    in.arrangement = p.arrangement;
    in.controller = p.controller;
    in.mode = p.mode;
    in.cycleLength = p.cycle;
    in.split = rowTexts(p.splits);
    in.green = rowTexts(p.greens);
    in.amber = rowTexts(p.ambers);
    in.red = rowTexts(p.reds);
    const char* lead[] = {"1", "2", "3", "4", "5", "6", "7", "8"};
    const char* lag[] = {"2", "1", "3", "4", "6", "5", "7", "8"};
    for (int k = 0; k < 8; ++k) {
        const bool used = !in.split[k].empty();
        in.phase[k] = used ? (p.arrangement == "Lead" ? lead[k] : lag[k]) : "";
        in.splitEnabled[k] = used;
    }
    in.chart = ChartLayout::designed();
    return in;
}

}  // namespace tavimo::test
