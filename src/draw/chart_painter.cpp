// SPDX-License-Identifier: MIT
#include "draw/chart_painter.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "draw/chart_palette.h"

namespace tavimo::ui {

ChartPainter::ChartPainter(const ChartGeometry& chart, QFont font, Edges edges)
    : chart_(chart), font_(std::move(font)), edges_(edges) {}

double ChartPainter::pixels(double twips) {
    // Absurd times scale to bars far beyond any page; they are kept drawable.
    if (!std::isfinite(twips)) return 0;
    return std::clamp(twips / 15.0, -1e6, 1e6);
}

void ChartPainter::paintItems(QPainter& p, const std::vector<ChartItem>& items, const QFont& font) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    QFont bold = font;
    bold.setBold(true);
    for (const ChartItem& item : items) {
        if (item.fill.isValid()) p.fillRect(item.rect, item.fill);
        if (item.outline.isValid()) {
            // A one-pixel outline inside the bar.
            p.setPen(QPen(item.outline, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            p.setBrush(Qt::NoBrush);
            p.drawRect(item.rect.adjusted(0.5, 0.5, -0.5, -0.5));
        }
        if (!item.text.isEmpty()) {
            p.setFont(item.bold ? bold : font);
            p.setPen(palette::kText);
            p.drawText(item.textRect, item.textFlags, item.text);
        }
    }
    p.restore();
}

void ChartPainter::paint(QPainter& p) const {
    paintItems(p, chartItems(chart_, font_, p.device(), edges_), font_);
}

}  // namespace tavimo::ui
