// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <QtMath>

namespace tavimo::ui {

// The windows are designed in twips; they are drawn at 15 twips to a logical pixel
// (Qt scales logical pixels on high-DPI screens).
inline constexpr double kTwipsPerPixel = 15.0;

inline int twips(double value) { return qRound(value / kTwipsPerPixel); }

// A rectangle given in twips. Both edges are rounded, not the width, so that bars
// drawn to scale and overlapping by 10 twips meet without gaps.
inline QRect twipsRect(double left, double top, double width, double height) {
    const int l = twips(left), t = twips(top);
    return QRect(l, t, twips(left + width) - l, twips(top + height) - t);
}

}  // namespace tavimo::ui
