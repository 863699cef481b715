// SPDX-License-Identifier: MIT
#include "draw/chart_painter.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <vector>

#include "draw/chart_palette.h"

namespace tavimo::ui {

namespace {

constexpr double kTwipsPerPixel = 15.0;
constexpr int kWindowTextInset = 2 + 1;  // a window label's padding and outline

bool drawable(const Box& b) {
    return b.visible && std::isfinite(b.left) && std::isfinite(b.top) && std::isfinite(b.width) &&
           std::isfinite(b.height) && b.width > 0 && b.height > 0;
}

}  // namespace

ChartPainter::ChartPainter(const ChartGeometry& chart, QFont font, Edges edges)
    : chart_(chart), font_(std::move(font)), edges_(edges) {}

double ChartPainter::pixels(double twips) {
    // Absurd times scale to bars far beyond any page; they are kept drawable.
    if (!std::isfinite(twips)) return 0;
    return std::clamp(twips / kTwipsPerPixel, -1e6, 1e6);
}

QRectF ChartPainter::rectOf(const Box& b) const {
    if (edges_ == Edges::PixelGrid) {
        // Both edges rounded, as the window rounds them, so that bars overlapping by
        // 10 twips meet without a gap.
        const double l = std::round(pixels(b.left)), t = std::round(pixels(b.top));
        return QRectF(l, t, std::round(pixels(b.left + b.width)) - l, std::round(pixels(b.top + b.height)) - t);
    }
    return QRectF(pixels(b.left), pixels(b.top), pixels(b.width), pixels(b.height));
}

void ChartPainter::paintBar(QPainter& p, const Box& box, const QColor& fill, const QColor& outline) const {
    if (!drawable(box)) return;
    const QRectF r = rectOf(box);
    if (r.width() <= 0 || r.height() <= 0) return;
    p.fillRect(r, fill);
    if (!outline.isValid()) return;
    // A one-pixel outline inside the bar, as the window's bars have.
    p.setPen(QPen(outline, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
}

void ChartPainter::paintLine(QPainter& p, const VLine& line, double thickness, const QColor& colour) const {
    if (!line.visible || !std::isfinite(line.x)) return;
    double x = pixels(line.x), top = pixels(std::min(line.top, line.bottom)), bottom = pixels(std::max(line.top, line.bottom));
    if (edges_ == Edges::PixelGrid) {
        x = std::round(x) - std::floor(thickness / 2);
        top = std::round(top);
        bottom = std::max(top + 1, std::round(bottom));
    } else {
        x -= thickness / 2;
    }
    p.fillRect(QRectF(x, top, thickness, bottom - top), colour);
}

void ChartPainter::paint(QPainter& p) const {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);

    // The permissive windows lie under the bars; among them, of a Yield stack, the
    // taller (earlier) window in front.
    std::array<int, kWindowBars> order{};
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return chart_.windows[a].height < chart_.windows[b].height; });
    QFont plain = font_;
    p.setFont(plain);
    const Qt::Alignment align = (chart_.windowTextRightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    const QFontMetrics metrics(plain, p.device());
    std::vector<int> captioned;
    for (int w : order) {
        const Box& box = chart_.windows[w];
        paintBar(p, box, palette::kWindow, palette::kWindowOutline);
        if (!drawable(box)) continue;
        const QString label = QString::fromStdString(chart_.windowText[w]);
        const QRectF r = rectOf(box);
        if (metrics.horizontalAdvance(label) + 2 * kWindowTextInset > r.width()) {
            if (!label.isEmpty()) captioned.push_back(w);
            continue;
        }
        // Kept off the outline by half an "x" more, as a framed label in the window is.
        const double indent = metrics.horizontalAdvance(QLatin1Char('x')) / 2;
        p.setPen(palette::kText);
        p.drawText(r.adjusted(kWindowTextInset + indent, 1, -kWindowTextInset - indent, -1), static_cast<int>(align),
                   label);
    }

    QFont bold = font_;
    bold.setBold(true);
    for (int k = 0; k < 8; ++k) {
        paintBar(p, chart_.green[k], palette::kGreen, palette::kBarOutline);
        if (drawable(chart_.green[k])) {
            p.setFont(bold);
            p.setPen(palette::kText);
            p.drawText(rectOf(chart_.green[k]).adjusted(1, 1, -1, -1), Qt::AlignCenter,
                       QString::fromStdString(chart_.greenText[k]));
        }
        paintBar(p, chart_.yellow[k], palette::kYellow, palette::kBarOutline);
        paintBar(p, chart_.red[k], palette::kRed, palette::kBarOutline);
    }
    paintBar(p, chart_.deadPhase, palette::kDeadSide, QColor());
    paintBar(p, chart_.deadPhase2, palette::kDeadSide, QColor());
    for (const VLine* barrier : {&chart_.barrier1, &chart_.barrier2, &chart_.barrier3})
        paintLine(p, *barrier, 2, palette::kBarrier);

    // A window too narrow for its phase number gets it on a label of its own, in front:
    // from the window's left edge, or under Yield ending at its right edge. A cut "Ø"
    // would name no phase.
    p.setFont(plain);
    const double chartRight = std::round(pixels(layout::kChartLeft * 2 + layout::kChartWidth));
    for (int w : captioned) {
        const QRectF r = rectOf(chart_.windows[w]);
        const QString label = QString::fromStdString(chart_.windowText[w]);
        const double width = metrics.horizontalAdvance(label) + 2 * kWindowTextInset;
        double left = chart_.windowTextRightAligned ? r.right() - width : r.left();
        left = std::max(0.0, std::min(left, chartRight - width));
        const QRectF c(left, r.top(), width, r.height());
        p.fillRect(c, palette::kWindow);
        p.setPen(QPen(palette::kWindowOutline, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawRect(c.adjusted(0.5, 0.5, -0.5, -0.5));
        p.setPen(palette::kText);
        p.drawText(c, Qt::AlignCenter, label);
    }
    p.restore();
}

QRectF ChartPainter::extent() const {
    QRectF all;
    auto add = [&](const Box& b) {
        if (drawable(b)) all |= rectOf(b);
    };
    for (int k = 0; k < 8; ++k) {
        add(chart_.green[k]);
        add(chart_.yellow[k]);
        add(chart_.red[k]);
    }
    for (const Box& w : chart_.windows) add(w);
    add(chart_.deadPhase);
    add(chart_.deadPhase2);
    for (const VLine* v : {&chart_.barrier1, &chart_.barrier2, &chart_.barrier3})
        if (v->visible && std::isfinite(v->x))
            all |= QRectF(pixels(v->x) - 1, pixels(std::min(v->top, v->bottom)), 2,
                          pixels(std::fabs(v->bottom - v->top)));
    return all;
}

}  // namespace tavimo::ui
