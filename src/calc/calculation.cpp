// SPDX-License-Identifier: MIT
#include "calc/calculation.h"

#include "model/number_text.h"
#include "model/signal_plan.h"

#include "calc/signal_calculation.h"
#include "calc/signal_reading.h"

#include "permissive_bars.h"
#include "plan_run.h"
#include "timing_chart.h"

namespace tavimo {

namespace {

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

// The timing of every timed phase on the grid, as read.
void keepTimings(const Signal& signal, CalcValues& v) {
    for (const SignalPhase& p : signal.phases) {
        if (!p.timing || p.position < 1 || p.position > kPositions) continue;
        PositionValues& values = v.positions[p.position - 1];
        values.split = p.timing->split;
        values.minGreen = p.timing->minGreen;
        values.amber = p.timing->amber;
        values.allRed = p.timing->allRed;
    }
}

// The chart of a run that got past the cycle check: both rings, their window bars,
// the Type 170 zero and, in Yield mode, the stacked windows.
void drawCompletedChart(ChartLayout& chart, const CalcInput& in, const PlanRun& run) {
    const PlanTimes& t = run.t;
    drawRingBars(chart, t, 1);
    drawRingEnds(chart, t);
    for (int ring = 0; ring < 2; ++ring) {
        drawWindowBars(chart, t, in.phase, ring);
        compactColumns(chart, t.code[ring], ring);
    }
    if (run.type170ZeroRow != 0) placeLocalZero(chart, t, run.type170ZeroRow);
    tidyWindowBars(chart, t);
    if (t.yield) stackWindowBarsForYield(chart, t.lead);
}

// The results written back as the window's texts, and as its numbers by position.
void writeResults(CalcOutcome& out, const CalcInput& in, const SignalResults& results) {
    std::array<const PhaseResult*, kPositions + 1> at{};
    for (const PhaseResult& p : results.phases)
        if (p.position >= 1 && p.position <= kPositions) at[p.position] = &p;

    // Rows joined across the rings hold the same value: the text is written once.
    auto write = [&](std::array<std::string, 8>& texts, std::optional<float> PhaseResult::*value) {
        for (int n = 1; n <= kPositions; ++n) {
            if (!at[n]) continue;
            if (n > 4 && at[n - 4] && at[n]->*value == at[n - 4]->*value) texts[n - 1] = texts[n - 5];
            else texts[n - 1] = resultText(at[n]->*value);
        }
    };
    write(out.pps, &PhaseResult::permissiveStart);
    write(out.ppe, &PhaseResult::permissiveEnd);
    // A blanked row's split was emptied with it, so it gets no force-off; a row
    // without a split keeps the one it showed.
    for (int n = 1; n <= kPositions; ++n) {
        if (!at[n]) continue;
        if (at[n]->forceOff) out.force[n - 1] = formatNumber(*at[n]->forceOff);
        else out.force[n - 1] = in.force[n - 1];
        PositionValues& v = out.values.positions[n - 1];
        v.forceOff = at[n]->forceOff;
        v.permissiveStart = at[n]->permissiveStart;
        v.permissiveEnd = at[n]->permissiveEnd;
        v.ownStart = at[n]->ownStart;
        v.ownEnd = at[n]->ownEnd;
    }
    out.values.coordinatedSplit = results.coordinatedSplit;
    out.values.type170Shift = results.type170Shift;
    out.values.yieldPoint = results.yieldPoint;
}

}  // namespace

CalcOutcome calculate(const CalcInput& in) {
    // The chart is copied once, straight into the outcome; every other result starts
    // empty and is filled as the run gets to it.
    CalcOutcome out{CalcStop::Completed, std::nullopt, false, {}, {}, {}, {}, in.chart, false, {}, {}};
    SignalReading reading = readSignal(in);
    if (!reading.signal) {
        stopAt(out, in, CalcStop::BadNumber, std::move(reading.message));
        return out;
    }
    const Signal& signal = *reading.signal;
    keepTimings(signal, out.values);

    ChartLayout& chart = out.chart;
    restoreColumns(chart, in.phase);
    showWindowBars(chart, signal.arrangement == Arrangement::DualLag);

    // A position without a phase is emptied and hidden at once, so it stays blank
    // whatever check fails later.
    for (int k = 0; k < kPositions; ++k) out.rowBlanked[k] = !signal.atPosition(k + 1);
    if (reading.phaseError()) {
        out.phaseErrorAt = reading.phaseErrorAt;
        stopAt(out, in, CalcStop::PhaseError, std::move(reading.message));
        return out;
    }

    const PlanRun run = runPlan(signal);
    const SignalResults results = resultsOf(signal, run);
    out.values.configuration = results.configuration;
    out.values.ringTotal = results.ringTotal;
    out.values.ringCycle = results.ringCycle;
    if (run.stop == SignalStop::ZeroRingCycle) {
        stopAt(out, in, CalcStop::ZeroRingCycle);
        return out;
    }
    drawRingBars(chart, run.t, 0);
    if (run.stop == SignalStop::CycleMismatch) {
        out.focusCycleLength = true;
        stopAt(out, in, CalcStop::CycleMismatch, CalcMessage{"Please specify correct cycle length!", ""});
        return out;
    }
    drawCompletedChart(chart, in, run);
    writeResults(out, in, results);
    out.hidePhasePulldowns = true;
    return out;
}

}  // namespace tavimo
