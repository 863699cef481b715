// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>

namespace tavimo {

// Geometry of the timing window that the calculation and the form reset move, in
// twips (15 twips to a logical pixel). Values are float because bars are drawn to
// scale: a split of 20 s in a 100 s cycle is 1923 twips wide.

// A rectangle-like control: bars, permissive windows, the dark bars.
struct Box {
    float left = 0, top = 0, width = 0, height = 0;
    bool visible = true;
    bool operator==(const Box& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height &&
               visible == o.visible;
    }
};

// A vertical line (barriers, the local-zero cursor): x with its two ends.
struct VLine {
    float x = 0, top = 0, bottom = 0;
    bool visible = true;
    bool operator==(const VLine& o) const {
        return x == o.x && top == o.top && bottom == o.bottom && visible == o.visible;
    }
};

// Permissive-window bars, by index into ChartLayout::windows.
enum WindowBar { PP1 = 0, PP2, PP3, PP4, PP5, PP6, PPend1, PPend2, kWindowBars };

// The ring-barrier chart itself: what is drawn, wherever it is drawn (the timing
// window, a printed report, an exported picture).
struct ChartGeometry {
    // Row bars of positions 1..8 (index 0..7) and the phase number on each green bar.
    std::array<Box, 8> green{}, yellow{}, red{};
    std::array<std::string, 8> greenText{};

    VLine barrier1, barrier2, barrier3;  // left edge, right end, middle barrier
    Box deadPhase, deadPhase2;           // dark bar over a ring side without phases
    VLine local1;                        // cursor and Type 170 local-zero line

    // Permissive windows PP1..PP6, PPend1, PPend2 with their texts ("Ø" + phase).
    std::array<Box, kWindowBars> windows{};
    std::array<std::string, kWindowBars> windowText{};
    bool windowTextRightAligned = false;  // Yield stacks the bars and right-aligns texts
};

// The chart as it stands in the timing window, with the form's own layout around it:
// the field columns, the phase pictures, the pull-downs and the local-time readout.
struct ChartLayout : ChartGeometry {
    // Left edge of every per-position field of column k (ImageCombo, split, green,
    // amber, red, walk, flash, force, pps, ppe), index 0..7.
    std::array<float, 8> columnLeft{};

    // Phase-number pictures Phasepic1(0..15): 0..7 outputs panel, 8..15 inputs panel;
    // pictures i and i+8 show phase i+1.
    std::array<float, 16> pictureLeft{};
    std::array<bool, 16> pictureVisible{};

    // Left edge of the phase-order pull-downs Phase1..Phase8 on the chart.
    std::array<float, 8> phaseLeft{};

    // The local-time readout: the scroll bar HScroll1's value (a place on the chart),
    // the label timer that travels 40 twips right of the cursor, and its text.
    float scrollValue = 345;
    float timerLeft = 385;
    std::string timerText;

    // The layout of a window as designed, before anything has been entered: the form
    // reset's layout of a blank signal, with the barriers where the window draws them.
    static ChartLayout designed();
};

// The chart and columns as the form reset lays them out: every row bar shown and
// chained from local zero, the dark bars hidden, the columns at their places, the
// permissive bars sized and placed (stacked under "Yield", with the ring-end markers
// under "Lead"). Tops of bars, barrier ends and pictures are not touched.
void layOutDesignedChart(ChartLayout& chart, bool yield, bool lead);

namespace layout {
// Column left edges of positions 1..8 and the phase-number picture left edges.
inline constexpr std::array<float, 8> kColumnLeft{2280, 3240, 4200, 5160, 6480, 7440, 8400, 9360};
inline constexpr std::array<float, 8> kPictureLeft{2340, 3300, 4260, 5220, 6535, 7480, 8455, 9415};
inline constexpr float kChartLeft = 345;      // left edge of the chart: local zero
inline constexpr float kChartWidth = 9615;    // one ring cycle
inline constexpr float kRing1Top = 720;       // top of ring 1's pull-downs and bars
inline constexpr float kRing2Top = 1650;
inline constexpr float kBarHeight = 375;
inline constexpr float kLagWindowLeft = 2760;  // PP1 and PP4 under "Lag"

// Bar widths of a position and of the permissive bars as the window lays them out.
inline constexpr float kDesignedGreenWidth = 2055;
inline constexpr float kDesignedYellowWidth = 255;
inline constexpr float kDesignedRedWidth = 135;
inline constexpr float kDesignedWindowWidth = 1200;
inline constexpr float kRingEndWidth = 390;

// Yield opens every window of a ring at the yield point, so the ring's bars stand at
// three heights to stay readable. Under "Lead" PP1..PP3 (PP4..PP6) take these places
// and each ring-end marker goes with its ring's first window.
struct WindowStack {
    float height, top;
};
inline constexpr std::array<WindowStack, kWindowBars> kYieldStack{
    {{300, 420}, {500, 240}, {400, 330}, {300, 1350}, {500, 1170}, {400, 1260}, {300, 420}, {300, 1350}}};
}  // namespace layout

}  // namespace tavimo
