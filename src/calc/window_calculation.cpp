// SPDX-License-Identifier: MIT
#include "calc/window_calculation.h"

#include "calc/local_time.h"

namespace tavimo {

CalcInput snapshotOf(const WindowState& state) {
    const SignalPlan& plan = state.plan;
    CalcInput in;
    for (int k = 0; k < kPositions; ++k) {
        const Position& p = plan.positions[k];
        in.phase[k] = p.phase;
        in.split[k] = p.split;
        in.green[k] = p.green;
        in.amber[k] = p.amber;
        in.red[k] = p.red;
        in.walk[k] = p.walk;
        in.flash[k] = p.flash;
        in.movement[k] = p.movement();
        in.splitEnabled[k] = p.timingEnabled;
        in.force[k] = p.force;
        in.pps[k] = p.pps;
        in.ppe[k] = p.ppe;
    }
    in.description = plan.description;
    in.cycleLength = plan.cycleLength;
    in.createdBy = plan.createdBy;
    in.offset = plan.offset;
    in.controller = plan.controller;
    in.mode = plan.mode;
    in.arrangement = plan.arrangement;
    in.chart = state.chart;
    return in;
}

void applyOutcome(WindowState& state, const CalcOutcome& outcome) {
    for (int k = 0; k < kPositions; ++k) {
        Position& p = state.plan.positions[k];
        if (outcome.rowBlanked[k]) {
            p.split.clear();
            p.green.clear();
            p.amber.clear();
            p.red.clear();
            p.rowVisible = false;
        }
        p.force = outcome.force[k];
        p.pps = outcome.pps[k];
        p.ppe = outcome.ppe[k];
        if (outcome.hidePhasePulldowns) p.phaseVisible = false;
    }
    state.chart = outcome.chart;
    if (outcome.stop == CalcStop::Completed) placeCursorAtLocalZero(state);
}

CalcOutcome calculateWindow(WindowState& state) {
    CalcOutcome outcome = calculate(snapshotOf(state));
    applyOutcome(state, outcome);
    return outcome;
}

CheckedRun calculateAndCheckWindow(WindowState& state) {
    const CalcInput input = snapshotOf(state);
    CheckedRun run{calculate(input), {}, {}};
    applyOutcome(state, run.outcome);
    run.warnings = checkTiming(input, run.outcome);
    run.phaseError = explainPhaseError(input, run.outcome);
    return run;
}

std::optional<std::string> runFailure(const CalcOutcome& outcome) {
    if (outcome.message) return outcome.message->text;
    if (outcome.stop == CalcStop::Completed) return std::nullopt;
    if (outcome.stop == CalcStop::ZeroRingCycle) return "no position of either ring has a split: nothing to calculate";
    return "the calculation stopped early";
}

std::array<std::optional<float>, 8> forceOffsOf(const CalcOutcome& outcome) {
    std::array<std::optional<float>, 8> out;
    for (int k = 0; k < kPositions; ++k) out[k] = outcome.values.positions[k].forceOff;
    return out;
}

}  // namespace tavimo
