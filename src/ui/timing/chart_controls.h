// SPDX-License-Identifier: MIT
#pragma once

#include <array>

#include "model/chart_layout.h"

class QFrame;
class QLabel;
class QLineEdit;
class QWidget;

namespace tavimo::ui {

// The controls of the ring-barrier chart inside the frame "Choose Phase Order": the
// green, yellow and red bar of every position, the barrier lines, the dark bars of a
// ring side without phases, the permissive-window bars, the cursor line local1 and the
// label timer. They are placed from the chart layout's numbers (twips, to scale).
class ChartControls {
public:
    // Creates the bars and windows; the lines on top of them. The cursor and its label
    // are created by buildCursor so that they can lie above the pull-downs.
    void build(QWidget* frame);
    void buildCursor(QWidget* frame);

    // Places, sizes, shows or hides and labels every chart control as `chart` says.
    void show(const ChartLayout& chart);


private:
    std::array<QLineEdit*, 8> green_{};
    std::array<QFrame*, 8> yellow_{}, red_{};
    QFrame* barrier1_ = nullptr;
    QFrame* barrier2_ = nullptr;
    QFrame* barrier3_ = nullptr;
    QFrame* deadPhase_ = nullptr;
    QFrame* deadPhase2_ = nullptr;
    QFrame* local1_ = nullptr;
    std::array<QLabel*, kWindowBars> windows_{};
    // The phase number of a window bar too narrow to hold it, drawn in full over the
    // bar's edge (objects "PP1Caption".."PPend2Caption").
    std::array<QLabel*, kWindowBars> captions_{};
    QLabel* timer_ = nullptr;
};

}  // namespace tavimo::ui
