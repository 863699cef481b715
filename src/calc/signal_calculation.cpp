// SPDX-License-Identifier: MIT
#include "calc/signal_calculation.h"

#include <cmath>

#include "concurrent_rows.h"
#include "nema_timing.h"
#include "plan_run.h"
#include "type170_yield.h"

namespace tavimo {

namespace {

// Splits with tenths, summed in single precision, can miss a cycle with tenths by a
// rounding (39.9 + 25.9 + 40.9 against 106.7), so a difference below a millisecond
// is none.
constexpr float kCycleTolerance = 0.001f;

PlanTimes planTimesOf(const Signal& signal) {
    PlanTimes t;
    for (const SignalPhase& p : signal.phases) {
        const int n = p.position;
        if (n < 1 || n > 8) continue;
        t.phaseSet[n] = true;
        if (!p.timing) continue;
        t.counted[n] = true;
        t.s[n] = p.timing->split;
        t.g[n] = p.timing->minGreen;
        t.amber[n] = p.timing->amber;
        t.red[n] = p.timing->allRed;
    }
    t.lead = signal.arrangement == Arrangement::DualLead;
    t.lag = signal.arrangement == Arrangement::DualLag;
    t.type170 = signal.controller == Controller::Type170;
    t.yield = signal.mode == SignalMode::Yield;
    return t;
}

}  // namespace

PlanRun runPlan(const Signal& signal) {
    PlanRun run;
    run.t = planTimesOf(signal);
    PlanTimes& t = run.t;
    PlanResults& r = run.r;

    for (int n = 1; n <= 8; ++n) t.c[n] = t.amber[n] + t.red[n];
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
    if (t.C == 0) {
        run.stop = SignalStop::ZeroRingCycle;
        return run;
    }
    const std::optional<float> cycle = signal.cycle.seconds;
    if (!cycle || !(std::fabs(*cycle - t.C) < kCycleTolerance)) {
        run.stop = SignalStop::CycleMismatch;
        return run;
    }
    // A ring 2 without splits is a one-ring plan (a one-way street): ring 1 is
    // timed alone and ring 2's blank rows get no results.
    for (int ring = 0; ring < 2; ++ring) computeNemaRing(t, ring, r);
    openLeftTurnWindows17(t, r);
    // Kept before the windows move on: the checks judge each phase's own window.
    run.r.ownPs = r.ps;
    run.r.ownPe = r.pe;
    if (t.type170) {
        const int later = moveToType170(t, r);
        if (t.lead) run.type170ZeroRow = later;
    }
    joinConcurrentRows(t, r);
    if (t.yield) applyYieldPoint(t, r);
    // A side street whose window opens within half a second of local zero opens at 0.
    for (int n : {3, 7})
        if (*r.ps[n] < 0.5f) r.ps[n] = 0.f;
    return run;
}

const PhaseResult* SignalResults::phase(int number) const {
    for (const PhaseResult& p : phases)
        if (p.number == number) return &p;
    return nullptr;
}

SignalResults calculateSignal(const Signal& signal) { return resultsOf(signal, runPlan(signal)); }

SignalResults resultsOf(const Signal& signal, const PlanRun& run) {
    const PlanTimes& t = run.t;
    const PlanResults& r = run.r;
    SignalResults out;
    out.stop = run.stop;
    out.configuration = t.code;
    out.ringTotal = {t.s[1] + t.s[2] + t.s[3] + t.s[4], t.s[5] + t.s[6] + t.s[7] + t.s[8]};
    out.ringCycle = t.C;
    for (const SignalPhase& p : signal.phases) {
        PhaseResult result{p.number, p.position, {}, {}, {}, {}, {}};
        const int n = p.position;
        if (run.stop == SignalStop::Completed && n >= 1 && n <= 8) {
            if (t.counted[n]) {
                result.forceOff = r.fo[n];
                result.ownStart = r.ownPs[n];
                result.ownEnd = r.ownPe[n];
            }
            result.permissiveStart = r.ps[n];
            result.permissiveEnd = r.pe[n];
        }
        out.phases.push_back(result);
    }
    out.coordinatedSplit = r.B;
    out.type170Shift = r.type170Shift;
    out.yieldPoint = r.yieldPoint;
    return out;
}

}  // namespace tavimo
