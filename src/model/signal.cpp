// SPDX-License-Identifier: MIT
#include "model/signal.h"

namespace tavimo {

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

}  // namespace tavimo
