// SPDX-License-Identifier: MIT
#include "calc/signal_reading.h"

#include "model/number_text.h"
#include "model/signal_plan.h"

namespace tavimo {

namespace {

constexpr const char* kPhaseDataTitle = "Incorrect Phase Data";

Approach approachOf(const std::string& code) {
    switch (directionIndex(code)) {
    case 0: return Approach::NB;
    case 1: return Approach::EB;
    case 2: return Approach::SB;
    case 3: return Approach::WB;
    default: return Approach::None;
    }
}

// The four times of a counted row, or the message that stops the run.
std::optional<CalcMessage> readTiming(const CalcInput& in, int k, PhaseTiming& timing) {
    static constexpr const char* kLabels[4] = {"Split Time", "Min Green", "Amber Time", "All Red Time"};
    const std::string* texts[4] = {&in.split[k], &in.green[k], &in.amber[k], &in.red[k]};
    float* values[4] = {&timing.split, &timing.minGreen, &timing.amber, &timing.allRed};
    const std::string where = " at position " + std::to_string(k + 1);
    for (int f = 0; f < 4; ++f) {
        const std::optional<float> number = parseNumber(*texts[f]);
        if (!number) return CalcMessage{kLabels[f] + where + " is not a number!", kPhaseDataTitle};
        if (!isTimeInRange(*number)) return CalcMessage{kLabels[f] + where + " is out of range!", kPhaseDataTitle};
        *values[f] = *number;
    }
    return std::nullopt;
}

}  // namespace

bool SignalReading::phaseError() const {
    for (bool wrong : phaseErrorAt)
        if (wrong) return true;
    return false;
}

SignalReading readSignal(const CalcInput& in) {
    SignalReading out;
    Signal s;
    s.description = in.description;
    s.createdBy = in.createdBy;
    s.offset = in.offset;
    s.controller = in.controller == tag::kType170 ? Controller::Type170 : Controller::NemaTs2;
    s.mode = in.mode == tag::kYield ? SignalMode::Yield : SignalMode::Permissive;
    s.arrangement = in.arrangement == tag::kLead  ? Arrangement::DualLead
                    : in.arrangement == tag::kLag ? Arrangement::DualLag
                                                  : Arrangement::None;

    // Anything that is no number stops the run before the window changes, so no
    // half-calculated sheet is left behind.
    for (int k = 0; k < kPositions; ++k) {
        if (isBlank(in.phase[k])) continue;
        SignalPhase p;
        p.number = phaseNumber(in.phase[k]);
        p.position = k + 1;
        p.movement = {approachOf(in.movement[k]), isLeftTurnPosition(in.arrangement, k + 1)};
        if (!isBlank(in.split[k])) {
            PhaseTiming timing;
            if (auto bad = readTiming(in, k, timing)) {
                out.message = std::move(bad);
                return out;
            }
            p.timing = timing;
        }
        p.walk = parseNumber(in.walk[k]);
        p.flashDontWalk = parseNumber(in.flash[k]);
        s.phases.push_back(std::move(p));
    }
    // A cycle length that is no number is left to the calculation, which asks for a
    // correct one; an absurd number stops here with the times.
    s.cycle = {in.cycleLength, parseNumber(in.cycleLength)};
    if (s.cycle.seconds && !isTimeInRange(*s.cycle.seconds)) {
        out.message = CalcMessage{"Cycle Length is out of range!", kPhaseDataTitle};
        return out;
    }
    s.sequence = gridSequence(s.phases);
    s.coordinated = gridCoordinated(s.phases, s.arrangement);

    // Every split field opened by a movement choice must carry a split, and no other.
    int counted = 0, enabled = 0;
    for (int k = 0; k < kPositions; ++k) {
        const SignalPhase* p = s.atPosition(k + 1);
        counted += p && p->timing ? 1 : 0;
        enabled += in.splitEnabled[k] ? 1 : 0;
    }
    if (counted != enabled) {
        for (int k = 0; k < kPositions; ++k) {
            const SignalPhase* p = s.atPosition(k + 1);
            out.phaseErrorAt[k] = in.splitEnabled[k] != (p && p->timing);
        }
        out.message = CalcMessage{"Phase Error! Please re-enter phase data.", kPhaseDataTitle};
    }
    out.signal = std::move(s);
    return out;
}

}  // namespace tavimo
