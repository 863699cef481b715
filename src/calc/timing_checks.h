// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "calc/calculation.h"

namespace tavimo {

// A field of the timing window that a warning points at.
enum class CheckedField { Phase, Movement, Split, MinGreen, Amber, AllRed, Walk, Flash, PermissiveStart, PermissiveEnd };

struct FieldMark {
    int position;  // 1..8
    CheckedField field;
};

// One thing a controller cannot run as calculated. The calculation has completed;
// the warning says what will not work and which fields to change.
struct TimingWarning {
    std::string text;     // "Φ4 (position 4): split 12 is shorter than ..."
    std::string summary;  // a few words for a one-line list: "Φ4 split too short"
    std::vector<FieldMark> marks;
};

// The checks of a completed calculation: splits too short for their minimum green
// and clearance, pedestrian timing longer than the split, windows that cannot open,
// barrier sums that differ and a ring with side-street phases shorter than the cycle. Works on the outcome's
// numbers and the walk and flash texts of the input; empty for a run that stopped.
std::vector<TimingWarning> checkTiming(const CalcInput& input, const CalcOutcome& outcome);

// For a run stopped by a Phase Error: one entry per position whose split field and
// phase disagree, saying what is missing there.
std::vector<TimingWarning> explainPhaseError(const CalcInput& input, const CalcOutcome& outcome);

// "2 warnings: Φ3 no permissive window, Φ4 split too short"; "" for none.
std::string warningSummary(const std::vector<TimingWarning>& warnings);

}  // namespace tavimo
