// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "model/signal.h"

namespace tavimo {

// Where a calculation of a signal ended.
enum class SignalStop {
    Completed,
    ZeroRingCycle,  // both rings total 0: nothing to time
    CycleMismatch,  // the cycle length is not the ring cycle (or no number)
};

// One phase's results, in seconds of the controller's local time.
struct PhaseResult {
    int number = 0;
    int position = 0;  // as the signal places it
    std::optional<float> forceOff;  // a timed phase's
    std::optional<float> permissiveStart, permissiveEnd;
    // The window as the phase's own timing gives it: NEMA TS2 reference, before the
    // two rings' windows are joined, the leading left turn's end is folded into the
    // cycle and Yield opens it at the yield point. A window whose end comes before
    // its start here cannot serve the phase's minimum green.
    std::optional<float> ownStart, ownEnd;
};

struct SignalResults {
    SignalStop stop = SignalStop::Completed;
    std::vector<PhaseResult> phases;       // one per phase of the signal, in its order
    std::array<int, 2> configuration{0, 0};  // per ring
    std::array<float, 2> ringTotal{0, 0};    // sum of each ring's splits
    float ringCycle = 0;                     // the longer ring total
    std::optional<float> coordinatedSplit;   // B, the time to the barrier (Dual Lead)
    std::optional<float> type170Shift;       // NEMA time of the Type 170 local zero
    std::optional<float> yieldPoint;         // where every window opens in Yield mode

    const PhaseResult* phase(int number) const;
};

// Force-offs and permissive windows of a signal on the timing window's grid, in
// single precision and in the order of the formulas.
SignalResults calculateSignal(const Signal& signal);

}  // namespace tavimo
