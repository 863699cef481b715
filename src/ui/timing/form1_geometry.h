// SPDX-License-Identifier: MIT
#pragma once

// Sizes and row tops of the timing window's per-position controls, in twips, for
// building the window and for placing them from a WindowState. Left edges come from
// the state's ChartLayout.
namespace tavimo::ui::form1 {

inline constexpr double kFieldWidth = 615, kFieldHeight = 360;
inline constexpr double kPictureWidth = 510, kPictureHeight = 435;
inline constexpr double kOutputPictureTop = 180, kInputPictureTop = 255;
inline constexpr double kMovementTop = 780, kMovementWidth = 960, kMovementHeight = 375;
inline constexpr double kPhaseWidth = 1200;  // phase-order pull-downs on the chart

// Rows of the Inputs panel (split, min green, amber, all red, walk, flash don't walk)
// and of the Outputs panel (force off, permissive start, permissive end).
inline constexpr double kInputTops[6] = {1245, 1695, 2145, 2595, 3045, 3495};
inline constexpr double kOutputTops[3] = {735, 1185, 1635};

}  // namespace tavimo::ui::form1
