// SPDX-License-Identifier: MIT
#include "calc/calculation.h"

#include <cmath>
#include <string_view>

#include "model/number_text.h"
#include "model/signal_plan.h"

#include "concurrent_rows.h"
#include "nema_timing.h"
#include "permissive_bars.h"
#include "plan_times.h"
#include "timing_chart.h"
#include "type170_yield.h"

namespace tavimo {

namespace {

constexpr const char* kPhaseDataTitle = "Incorrect Phase Data";
constexpr float kCycleTolerance = 0.001f;

// A counted row (phase chosen, split typed) needs four numbers. Anything else stops
// the run before the window changes, so no half-calculated sheet is left behind. The
// numbers are read here once, into the rows they belong to.
std::optional<CalcMessage> readCountedRows(const CalcInput& in, PlanTimes& t) {
    static constexpr const char* kLabels[4] = {"Split Time", "Min Green", "Amber Time", "All Red Time"};
    const std::array<std::string, 8>* texts[4] = {&in.split, &in.green, &in.amber, &in.red};
    std::array<float, 9>* values[4] = {&t.s, &t.g, &t.amber, &t.red};
    for (int k = 0; k < kPositions; ++k) {
        const int n = k + 1;
        t.phaseSet[n] = !isBlank(in.phase[k]);
        t.counted[n] = t.phaseSet[n] && !isBlank(in.split[k]);
        if (!t.counted[n]) continue;
        for (int f = 0; f < 4; ++f) {
            const std::optional<float> number = parseNumber((*texts[f])[k]);
            if (!number)
                return CalcMessage{std::string(kLabels[f]) + " at position " + std::to_string(n) +
                                       " is not a number!",
                                   kPhaseDataTitle};
            if (!isTimeInRange(*number))
                return CalcMessage{std::string(kLabels[f]) + " at position " + std::to_string(n) +
                                       " is out of range!",
                                   kPhaseDataTitle};
            (*values[f])[n] = *number;
        }
    }
    // A cycle length that is no number is left to the cycle check, which asks for a
    // correct one; an absurd number stops here with the times.
    const std::optional<float> cycle = parseNumber(in.cycleLength);
    if (cycle && !isTimeInRange(*cycle)) return CalcMessage{"Cycle Length is out of range!", kPhaseDataTitle};
    return std::nullopt;
}

std::string resultText(const std::optional<float>& value) { return value ? formatNumber(*value) : ""; }

// A run that stops leaves the results of the run before, except on the rows it has
// blanked. The outcome's texts start empty, so only the kept ones are copied.
void stopAt(CalcOutcome& out, const CalcInput& in, CalcStop stop,
            std::optional<CalcMessage> message = std::nullopt) {
    out.stop = stop;
    out.message = std::move(message);
    for (int k = 0; k < kPositions; ++k) {
        if (out.rowBlanked[k]) continue;
        out.force[k] = in.force[k];
        out.pps[k] = in.pps[k];
        out.ppe[k] = in.ppe[k];
    }
}

// The timing of every counted row, as the run read it.
void keepTimings(const PlanTimes& t, CalcValues& v) {
    for (int n = 1; n <= kPositions; ++n) {
        if (!t.counted[n]) continue;
        PositionValues& p = v.positions[n - 1];
        p.split = t.s[n];
        p.minGreen = t.g[n];
        p.amber = t.amber[n];
        p.allRed = t.red[n];
    }
}

}  // namespace

CalcOutcome calculate(const CalcInput& in) {
    // The chart is copied once, straight into the outcome; every other result starts
    // empty and is filled as the run gets to it.
    CalcOutcome out{CalcStop::Completed, std::nullopt, false, {}, {}, {}, {}, in.chart, false, {}, {}};
    PlanTimes t;
    if (auto bad = readCountedRows(in, t)) {
        stopAt(out, in, CalcStop::BadNumber, std::move(bad));
        return out;
    }
    keepTimings(t, out.values);

    const std::string_view arrangement = in.arrangement;
    t.lead = arrangement == tag::kLead;
    t.lag = arrangement == tag::kLag;
    t.type170 = std::string_view(in.controller) == tag::kType170;
    t.yield = std::string_view(in.mode) == tag::kYield;

    ChartLayout& chart = out.chart;
    restoreColumns(chart, in.phase);
    showWindowBars(chart, t.lag);

    // Count the rows. A position without a phase is emptied and hidden at once, so it
    // stays blank whatever check fails later.
    int rowCount = 0;
    for (int n = 1; n <= kPositions; ++n) {
        if (!t.phaseSet[n]) out.rowBlanked[n - 1] = true;  // its result texts stay empty
        if (t.counted[n]) ++rowCount;
    }

    // Every split field opened by a movement choice must carry a split, and no other.
    for (bool enabled : in.splitEnabled)
        if (enabled) --rowCount;
    if (rowCount != 0) {
        for (int k = 0; k < kPositions; ++k) out.phaseErrorAt[k] = in.splitEnabled[k] != t.counted[k + 1];
        stopAt(out, in, CalcStop::PhaseError,
               CalcMessage{"Phase Error! Please re-enter phase data.", kPhaseDataTitle});
        return out;
    }

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
    out.values.configuration = t.code;
    out.values.ringTotal = {ring1, ring2};
    out.values.ringCycle = t.C;
    if (t.C == 0) {
        stopAt(out, in, CalcStop::ZeroRingCycle);
        return out;
    }

    drawRingBars(chart, t, 0);

    // The typed cycle must be the ring cycle; text that is no number never is. Splits
    // with tenths, summed in single precision, can miss a cycle with tenths by a
    // rounding (39.9 + 25.9 + 40.9 against 106.7), so a difference below a
    // millisecond is none.
    const std::optional<float> cycle = parseNumber(in.cycleLength);
    if (!cycle || !(std::fabs(*cycle - t.C) < kCycleTolerance)) {
        out.focusCycleLength = true;
        stopAt(out, in, CalcStop::CycleMismatch, CalcMessage{"Please specify correct cycle length!", ""});
        return out;
    }
    // A ring 2 without splits is a one-ring plan (a one-way street): ring 1 is
    // timed alone and ring 2's blank rows get no results.

    drawRingBars(chart, t, 1);
    drawRingEnds(chart, t);

    PlanResults r;
    for (int ring = 0; ring < 2; ++ring) {
        computeNemaRing(t, ring, r);
        drawWindowBars(chart, t, in.phase, ring);
        compactColumns(chart, t.code[ring], ring);
    }
    openLeftTurnWindows17(t, r);
    for (int n = 1; n <= kPositions; ++n) {
        if (!t.counted[n]) continue;
        out.values.positions[n - 1].ownStart = r.ps[n];
        out.values.positions[n - 1].ownEnd = r.pe[n];
    }

    if (t.type170) {
        const int later = moveToType170(t, r);
        if (t.lead) placeLocalZero(chart, t, later);
    }

    tidyWindowBars(chart, t);

    joinConcurrentRows(t, r);

    if (t.yield) {
        applyYieldPoint(t, r);
        stackWindowBarsForYield(chart, t.lead);
    }

    // A side street whose window opens within half a second of local zero opens at 0.
    for (int n : {3, 7})
        if (*r.ps[n] < 0.5f) r.ps[n] = 0.f;

    // Rows joined across the rings hold the same value: the text is written once.
    auto write = [&](std::array<std::string, 8>& texts, const std::array<std::optional<float>, 9>& values) {
        for (int n = 1; n <= kPositions; ++n) {
            if (!t.phaseSet[n]) continue;
            if (n > 4 && t.phaseSet[n - 4] && values[n] == values[n - 4]) texts[n - 1] = texts[n - 5];
            else texts[n - 1] = resultText(values[n]);
        }
    };
    write(out.pps, r.ps);
    write(out.ppe, r.pe);
    // A blanked row's split was emptied with it, so it gets no force-off; a row
    // without a split keeps the one it showed.
    for (int n = 1; n <= kPositions; ++n) {
        if (t.counted[n]) out.force[n - 1] = formatNumber(r.fo[n]);
        else if (t.phaseSet[n]) out.force[n - 1] = in.force[n - 1];
    }

    for (int n = 1; n <= kPositions; ++n) {
        PositionValues& p = out.values.positions[n - 1];
        if (t.counted[n]) p.forceOff = r.fo[n];
        if (t.phaseSet[n]) {
            p.permissiveStart = r.ps[n];
            p.permissiveEnd = r.pe[n];
        }
    }
    out.values.coordinatedSplit = r.B;
    out.values.type170Shift = r.type170Shift;
    out.values.yieldPoint = r.yieldPoint;

    out.hidePhasePulldowns = true;
    return out;
}

}  // namespace tavimo
