// SPDX-License-Identifier: MIT
#include "output/worksheet.h"

#include <algorithm>
#include <cmath>

#include "model/number_text.h"

namespace tavimo {

WorksheetTime worksheetTime(const std::optional<float>& time) {
    if (!time) return {};
    // Rounded as shown (seven significant digits), not as the float left the sums: a
    // window that shows 27.5 is entered as 28, even when the sums ended at 27.499998.
    const std::string shown = formatNumber(*time);
    const float exact = parseNumber(shown).value_or(*time);
    const float whole = roundHalfEven(exact);
    return {shown, formatNumber(whole), std::fabs(whole - exact) >= 0.5f};
}

bool Worksheet::anyMarked() const {
    return std::any_of(rows.begin(), rows.end(), [](const WorksheetRow& r) {
        return r.forceOff.marked || r.permissiveStart.marked || r.permissiveEnd.marked;
    });
}

Worksheet controllerWorksheet(const SignalPlan& plan, const CalcValues& values) {
    Worksheet sheet;
    sheet.controller = controllerName(plan.controller);
    for (int k = 1; k <= kPositions; ++k) {
        const Position& p = plan.at(k);
        const int phase = phaseNumber(p.phase);
        if (phase == 0) continue;
        const PositionValues& t = values.positions[static_cast<std::size_t>(k - 1)];
        sheet.rows.push_back({phase, p.movement(), p.split, p.green, p.amber, p.red, p.walk, p.flash,
                              worksheetTime(t.forceOff), worksheetTime(t.permissiveStart),
                              worksheetTime(t.permissiveEnd)});
    }
    std::stable_sort(sheet.rows.begin(), sheet.rows.end(),
                     [](const WorksheetRow& a, const WorksheetRow& b) { return a.phase < b.phase; });
    return sheet;
}

std::string signalTitle(const SignalPlan& plan) {
    std::string title = plan.description.empty() ? "Untitled signal" : plan.description;
    title += " - Cycle " + plan.cycleLength + " s - " + controllerName(plan.controller) + " - " + plan.mode;
    return title;
}

}  // namespace tavimo
