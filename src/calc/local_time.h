// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

#include "model/window_state.h"

namespace tavimo {

// The controller's local time at a place x (twips) of the timing chart, as the label
// `timer` shows it: chart time is the cycle over 9600 twips from local zero at 345; a
// NEMA controller counts from the start of the first coordinated green, a Type 170
// from the end of the coordinated green (its yellow). Only the splits, ambers and
// all-reds of positions 1, 2, 5 and 6 are read; a blank split counts as 0 together
// with its amber and all-red.
//
// Nothing (the label keeps its text) when the controller type and arrangement match
// no reference, when the cycle length is not a number, or when a value the shift
// needs (a given split, or the amber or all-red beside it) is not a number.
std::optional<std::string> localTimeText(const SignalPlan& plan, float x);

// Where the controller's local zero lies, in seconds from the chart's left edge (the
// start of the ring cycle as drawn); nothing where localTimeText shows nothing for
// the same reasons, the cycle length aside.
std::optional<float> localZeroTime(const SignalPlan& plan);

// The time axis of an exported chart: the cycle it spans and where local zero lies
// on it; nothing when the cycle length is not a positive number or there is no
// local zero to count from.
struct ChartAxis {
    float cycle = 0;
    float localZero = 0;
};
std::optional<ChartAxis> chartAxisOf(const SignalPlan& plan);

// Moving the scroll bar to x: the cursor line, the label 40 twips right of it and the
// label's text when there is one to show.
void moveLocalTimeCursor(WindowState& state, float x);

// After a complete calculation: the cursor at the controller's local zero (under
// Type 170 with leading lefts where the calculation drew it), the scroll bar with it
// and the label saying the time there, so that line and label never disagree.
void placeCursorAtLocalZero(WindowState& state);

}  // namespace tavimo
