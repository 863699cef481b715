// SPDX-License-Identifier: MIT
#include "calc/calculation.h"

#include "calc/concurrent_rows.h"
#include "calc/nema_timing.h"
#include "calc/permissive_bars.h"
#include "calc/plan_times.h"
#include "calc/timing_chart.h"
#include "calc/type170_yield.h"
#include "model/number_text.h"
#include "model/signal_plan.h"

namespace tavimo {

namespace {

constexpr const char* kPhaseDataTitle = "Incorrect Phase Data";

// A counted row (phase chosen, split typed) needs four numbers. Anything else stops
// the run before the window changes, so no half-calculated sheet is left behind.
std::optional<CalcMessage> firstBadNumber(const CalcInput& in) {
    for (int k = 0; k < kPositions; ++k) {
        if (isBlank(in.phase[k]) || isBlank(in.split[k])) continue;
        const std::pair<const std::string*, const char*> fields[] = {
            {&in.split[k], "Split Time"}, {&in.green[k], "Min Green"},
            {&in.amber[k], "Amber Time"}, {&in.red[k], "All Red Time"}};
        for (const auto& [text, label] : fields)
            if (!parseNumber(*text))
                return CalcMessage{std::string(label) + " at position " + std::to_string(k + 1) +
                                       " is not a number!",
                                   kPhaseDataTitle};
    }
    return std::nullopt;
}

std::string resultText(const std::optional<float>& value) { return value ? formatNumber(*value) : ""; }

CalcOutcome stopped(CalcOutcome out, CalcStop stop, std::optional<CalcMessage> message = std::nullopt) {
    out.stop = stop;
    out.message = std::move(message);
    return out;
}

}  // namespace

CalcOutcome calculate(const CalcInput& in) {
    CalcOutcome out;
    out.force = in.force;
    out.pps = in.pps;
    out.ppe = in.ppe;
    out.chart = in.chart;
    if (auto bad = firstBadNumber(in)) return stopped(out, CalcStop::BadNumber, bad);

    ChartLayout& chart = out.chart;
    restoreColumns(chart, in.phase);
    showWindowBars(chart, in.arrangement == tag::kLag);

    // Read the rows. A position without a phase is emptied and hidden at once, so it
    // stays blank whatever check fails later.
    PlanTimes t;
    t.lead = in.arrangement == tag::kLead;
    t.lag = in.arrangement == tag::kLag;
    t.type170 = in.controller == tag::kType170;
    t.yield = in.mode == tag::kYield;
    int rowCount = 0;
    for (int n = 1; n <= kPositions; ++n) {
        const int k = n - 1;
        t.phaseSet[n] = !isBlank(in.phase[k]);
        if (!t.phaseSet[n]) {
            out.rowBlanked[k] = true;
            out.force[k] = out.pps[k] = out.ppe[k] = "";
        } else if (!isBlank(in.split[k])) {
            ++rowCount;
            t.s[n] = *parseNumber(in.split[k]);
            t.g[n] = *parseNumber(in.green[k]);
            t.amber[n] = *parseNumber(in.amber[k]);
            t.red[n] = *parseNumber(in.red[k]);
        }
    }

    // Every split field opened by a movement choice must carry a split, and no other.
    for (bool enabled : in.splitEnabled)
        if (enabled) --rowCount;
    if (rowCount != 0)
        return stopped(out, CalcStop::PhaseError,
                       CalcMessage{"Phase Error! Please re-enter phase data.", kPhaseDataTitle});

    for (int n = 1; n <= kPositions; ++n) t.c[n] = t.amber[n] + t.red[n];
    if (t.lead) {
        t.code[0] = configurationCode(t.s[1], t.s[3], t.s[4], true);
        t.code[1] = configurationCode(t.s[5], t.s[7], t.s[8], true);
    } else {
        t.code[0] = configurationCode(t.s[2], t.s[3], t.s[4], false);
        t.code[1] = configurationCode(t.s[6], t.s[7], t.s[8], false);
    }

    const float ring1 = t.s[1] + t.s[2] + t.s[3] + t.s[4];
    const float ring2 = t.s[5] + t.s[6] + t.s[7] + t.s[8];
    t.C = ring2 > ring1 ? ring2 : ring1;
    if (t.C == 0) return stopped(out, CalcStop::ZeroRingCycle);

    drawRingBars(chart, t, 0);

    // The typed cycle must be the ring cycle exactly; text that is no number never is.
    const std::optional<float> cycle = parseNumber(in.cycleLength);
    if (!cycle || *cycle != t.C) {
        out.focusCycleLength = true;
        return stopped(out, CalcStop::CycleMismatch, CalcMessage{"Please specify correct cycle length!", ""});
    }
    if (ring2 == 0) return stopped(out, CalcStop::Ring2Empty);

    drawRingBars(chart, t, 1);
    drawRingEnds(chart, t);

    PlanResults r;
    for (int ring = 0; ring < 2; ++ring) {
        computeNemaRing(t, ring, r);
        drawWindowBars(chart, t, in.phase, ring);
        compactColumns(chart, t.code[ring], ring);
    }

    if (t.type170) {
        const int later = moveToType170(t, r);
        if (t.lead) placeLocalZero(chart, later);
    }

    tidyWindowBars(chart, t);

    const JoinClears clears = joinConcurrentRows(t, r);
    for (int n : {1, 5})
        if (clears.leftTurnRows) out.pps[n - 1] = out.ppe[n - 1] = "";
    for (int n : {2, 6})
        if (clears.lagRows) out.pps[n - 1] = out.ppe[n - 1] = "";

    if (t.yield) {
        applyYieldPoint(t, r);
        stackWindowBarsForYield(chart, t.lead);
    }

    // A side street whose window opens within half a second of local zero opens at 0.
    for (int n : {3, 7})
        if (*r.ps[n] < 0.5f) r.ps[n] = 0.f;

    for (int n = 1; n <= kPositions; ++n)
        if (t.phaseSet[n]) out.pps[n - 1] = resultText(r.ps[n]);
    for (int n = 1; n <= kPositions; ++n)
        if (t.phaseSet[n]) out.ppe[n - 1] = resultText(r.pe[n]);
    // A blanked row's split was emptied with it, so it gets no force-off.
    for (int n = 1; n <= kPositions; ++n)
        if (t.phaseSet[n] && !isBlank(in.split[n - 1])) out.force[n - 1] = formatNumber(r.fo[n]);

    out.hidePhasePulldowns = true;
    return out;
}

}  // namespace tavimo
