// SPDX-License-Identifier: MIT
#include "model/signal.h"

#include "model/signal_plan.h"

namespace tavimo {

const char* controllerName(Controller controller) {
    return controller == Controller::Type170 ? "Type 170" : "NEMA TS2";
}

const char* modeName(SignalMode mode) { return mode == SignalMode::Yield ? tag::kYield : tag::kPermissive; }

const SignalPhase* Signal::atPosition(int position) const {
    for (const SignalPhase& p : phases)
        if (p.position == position) return &p;
    return nullptr;
}

const SignalPhase* Signal::phase(int number) const {
    for (const SignalPhase& p : phases)
        if (p.number == number) return &p;
    return nullptr;
}

std::vector<RingBarrier> gridSequence(const std::vector<SignalPhase>& phases) {
    std::vector<RingBarrier> out;
    for (int ring = 1; ring <= 2; ++ring)
        for (int barrier = 1; barrier <= 2; ++barrier) {
            RingBarrier rb{ring, barrier, {}};
            const int first = (ring - 1) * 4 + (barrier - 1) * 2 + 1;
            for (int position : {first, first + 1})
                for (const SignalPhase& p : phases)
                    if (p.position == position) rb.phases.push_back(p.number);
            if (!rb.phases.empty()) out.push_back(std::move(rb));
        }
    return out;
}

std::vector<int> gridCoordinated(const std::vector<SignalPhase>& phases, Arrangement arrangement) {
    const int row = arrangement == Arrangement::DualLead ? 2 : 1;
    std::vector<int> out;
    for (int position : {row, row + 4})
        for (const SignalPhase& p : phases)
            if (p.position == position) out.push_back(p.number);
    return out;
}

bool operator==(const Movement& a, const Movement& b) { return a.approach == b.approach && a.leftTurn == b.leftTurn; }

bool operator==(const PhaseTiming& a, const PhaseTiming& b) {
    return a.split == b.split && a.minGreen == b.minGreen && a.amber == b.amber && a.allRed == b.allRed;
}

bool operator==(const SignalPhase& a, const SignalPhase& b) {
    return a.number == b.number && a.movement == b.movement && a.timing == b.timing && a.walk == b.walk &&
           a.flashDontWalk == b.flashDontWalk && a.position == b.position;
}

bool operator==(const RingBarrier& a, const RingBarrier& b) {
    return a.ring == b.ring && a.barrier == b.barrier && a.phases == b.phases;
}

bool operator==(const CycleLength& a, const CycleLength& b) { return a.text == b.text && a.seconds == b.seconds; }

bool operator==(const Offset& a, const Offset& b) { return a.seconds == b.seconds && a.reference == b.reference; }

bool operator==(const Signal& a, const Signal& b) {
    return a.description == b.description && a.createdBy == b.createdBy && a.cycle == b.cycle && a.controller == b.controller && a.mode == b.mode &&
           a.arrangement == b.arrangement && a.phases == b.phases && a.sequence == b.sequence &&
           a.coordinated == b.coordinated && a.offset == b.offset;
}

}  // namespace tavimo
