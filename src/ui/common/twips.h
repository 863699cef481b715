// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace tavimo::ui {

// The windows are designed in twips; they are drawn at 15 twips to a logical pixel
// (Qt scales logical pixels on high-DPI screens).
inline constexpr double kTwipsPerPixel = 15.0;

// A plan with absurd times (an amber of 1E+36 s) scales to bars far beyond any
// screen, or to no number at all; such geometry is kept drawable instead of being
// turned into an int it cannot be.
inline int twips(double value) {
    if (!std::isfinite(value)) return 0;
    return qRound(std::clamp(value / kTwipsPerPixel, -1e6, 1e6));
}

// A rectangle given in twips. Both edges are rounded, not the width, so that bars
// drawn to scale and overlapping by 10 twips meet without gaps.
inline QRect twipsRect(double left, double top, double width, double height) {
    const int l = twips(left), t = twips(top);
    return QRect(l, t, twips(left + width) - l, twips(top + height) - t);
}

}  // namespace tavimo::ui
