// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>

namespace tavimo {

// One position's numbers after a run. Each is empty where the window shows nothing
// for it, so an export or a check never has to read the result texts again.
struct PositionValues {
    // The timing of a counted row (phase chosen, split typed), as read.
    std::optional<float> split, minGreen, amber, allRed;
    // The results as the window shows them.
    std::optional<float> forceOff, permissiveStart, permissiveEnd;
    // The window as the phase's own timing gives it: NEMA TS2 reference, before the
    // two rings' windows are joined, the leading left turn's end is folded into the
    // cycle and Yield opens it at the yield point. A window whose end comes before
    // its start here cannot serve the phase's minimum green.
    std::optional<float> ownStart, ownEnd;
};

// The signal's numbers after a run, as far as the run got.
struct CalcValues {
    std::array<PositionValues, 8> positions;
    std::array<int, 2> configuration{0, 0};      // per ring; 0 before the codes are known
    std::array<float, 2> ringTotal{0, 0};        // sum of each ring's splits
    float ringCycle = 0;                         // the longer ring total
    std::optional<float> coordinatedSplit;       // B, the time to the barrier (Dual Lead)
    std::optional<float> type170Shift;           // NEMA time of the Type 170 local zero
    std::optional<float> yieldPoint;             // where every window opens in Yield mode
};

}  // namespace tavimo
