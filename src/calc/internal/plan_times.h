// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>

namespace tavimo {

// The numbers of one run of the calculation, read from the window once. Arrays are
// indexed by row (position) 1..8; element 0 is unused so the formulas read like the
// timing sheets engineers know.
struct PlanTimes {
    std::array<float, 9> s{}, g{}, amber{}, red{}, c{};  // split, min green, clearance
    std::array<bool, 9> phaseSet{};                        // pull-down not blank
    std::array<bool, 9> counted{};                         // and split not blank
    float C = 0;                                           // ring cycle
    std::array<int, 2> code{1, 1};                         // configuration code per ring
    bool lead = false;                                     // arrangement is "Lead"
    bool lag = false;                                      // arrangement is "Lag"
    bool type170 = false;
    bool yield = false;

    // The coordinated row of a ring (0 or 1): 2 or 6 under "Lead", 1 or 5 otherwise.
    int coordinatedRow(int ring) const { return ring * 4 + (lead ? 2 : 1); }
    // A ring whose coordinated phase has no split (a one-ring plan's empty ring, say)
    // has nothing to hold a barrier or a yield point with.
    bool coordinatedInUse(int ring) const { return s[coordinatedRow(ring)] > 0; }
};

// Force-off, permissive start and permissive end of every row. Windows of rows 2 and
// 6 start empty and show blank until assigned; every other value starts at 0.
struct PlanResults {
    std::array<float, 9> fo{};
    std::array<std::optional<float>, 9> ps{}, pe{};
    std::optional<float> B, type170Shift, yieldPoint;  // kept for the run's values
    // Each row's own window, NEMA TS2 reference, before the rings are joined.
    std::array<std::optional<float>, 9> ownPs{}, ownPe{};

    PlanResults() {
        for (int n = 1; n <= 8; ++n)
            if (n != 2 && n != 6) ps[n] = pe[n] = 0.f;
    }
};

}  // namespace tavimo
