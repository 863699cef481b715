// SPDX-License-Identifier: MIT
#include "output/plan_worksheet.h"

#include <algorithm>
#include <cmath>

#include "model/number_text.h"

namespace tavimo {

namespace {

std::string movementText(const Movement& m) {
    static const char* const approaches[] = {"", "NB", "EB", "SB", "WB"};
    if (m.approach == Approach::None) return {};
    return std::string(approaches[int(m.approach)]) + (m.leftTurn ? "L" : "T");
}

}  // namespace

Worksheet planWorksheet(const Signal& signal, const PlanCalculation& plan) {
    Worksheet sheet;
    sheet.controller = controllerName(signal.controller);
    for (const PlanPhaseResult& r : plan.phases) {
        const SignalPhase* p = signal.phase(r.number);
        if (!p || !p->timing) continue;
        const PhaseTiming& t = *p->timing;
        sheet.rows.push_back({r.number, movementText(p->movement), formatNumber(t.split), formatNumber(t.minGreen),
                              formatNumber(t.amber), formatNumber(t.allRed), formatNumber(p->walk),
                              formatNumber(p->flashDontWalk),
                              worksheetTime(r.forceOff), worksheetTime(r.permissiveStart),
                              worksheetTime(r.permissiveEnd)});
    }
    std::stable_sort(sheet.rows.begin(), sheet.rows.end(),
                     [](const WorksheetRow& a, const WorksheetRow& b) { return a.phase < b.phase; });
    return sheet;
}

std::string planTitle(const Signal& signal) {
    std::string title = signal.description.empty() ? "Untitled signal" : signal.description;
    title += " - Cycle " + signal.cycle.text + " s - " + controllerName(signal.controller) + " - " +
             modeName(signal.mode);
    return title;
}

}  // namespace tavimo
