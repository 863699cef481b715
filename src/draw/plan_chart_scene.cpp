// SPDX-License-Identifier: MIT
#include "draw/plan_chart_scene.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

#include "draw/chart_palette.h"

namespace tavimo::ui {

namespace {

constexpr double kWindowTextInset = 3;  // px

double px(double twips) { return chartPixels(twips); }

bool drawable(const Box& b) {
    return std::isfinite(b.left) && std::isfinite(b.width) && b.width > 0 && b.height > 0;
}

}  // namespace

ChartClock planChartClock(const PlanChart& chart) { return ChartClock{chart.cycle, chart.localZero}; }

std::vector<ChartItem> planChartItems(const PlanChart& chart, const QFont& font, const QPaintDevice* device,
                                      ChartEdges edges) {
    std::vector<ChartItem> items;
    if (!(chart.cycle > 0)) return items;
    const QFontMetricsF metrics(font, const_cast<QPaintDevice*>(device));

    std::vector<ChartItem> barriers;
    for (std::size_t i = 0; i < chart.barriers.size(); ++i) {
        const PlanChartBarrier& b = chart.barriers[i];
        const VLine& v = b.line;
        if (!std::isfinite(v.x)) continue;
        ChartItem item;
        item.name = i + 1 == chart.barriers.size() ? std::string("barrierEnd") : "barrier" + std::to_string(b.barrier);
        item.part = ChartPart::Barrier;
        item.box = Box{v.x, v.top, 0, v.bottom - v.top, true};
        double x = px(v.x) - 1;
        double top = px(v.top), bottom = px(v.bottom);
        if (edges == ChartEdges::PixelGrid) {
            x = std::round(px(v.x)) - 1;
            top = std::round(top);
            bottom = std::round(bottom);
        }
        const std::optional<QRectF> r = insideChartFrame(QRectF(x, top, 2, bottom - top));
        if (!r) continue;
        item.rect = *r;
        item.fill = palette::kBarrier;
        barriers.push_back(item);
    }

    for (const PlanChartWindow& w : chart.windows) {
        if (!drawable(w.box)) continue;
        const std::optional<QRectF> r = insideChartFrame(chartRectOf(w.box, edges));
        if (!r) continue;
        ChartItem item;
        item.name = "window" + std::to_string(w.phase);
        item.part = ChartPart::Window;
        item.ring = w.ring;
        item.phase = QString::number(w.phase);
        item.box = w.box;
        item.rect = *r;
        item.fill = palette::kWindow;
        item.outline = palette::kWindowOutline;
        // A window that spans a barrier keeps its label on the wider side of the line, where
        // the line cannot cross it. A part too narrow for the label goes without it: the
        // phase is on the bar below.
        QRectF part = *r;
        for (const ChartItem& barrier : barriers) {
            const QRectF& line = barrier.rect;
            if (line.right() <= part.left() || line.left() >= part.right()) continue;
            if (line.top() >= part.bottom() || line.bottom() <= part.top()) continue;
            const QRectF before(part.left(), part.top(), line.left() - part.left(), part.height());
            const QRectF after(line.right(), part.top(), part.right() - line.right(), part.height());
            part = after.width() >= before.width() ? after : before;
        }
        const QString label = QString::fromStdString(w.text);
        const double indent = kWindowTextInset + metrics.horizontalAdvance(QLatin1Char('x')) / 2;
        if (metrics.horizontalAdvance(label) + 2 * indent <= part.width()) {
            item.text = label;
            item.textRect = part.adjusted(indent, 1, -indent, -1);
            item.textFlags = Qt::AlignLeft | Qt::AlignVCenter;
        }
        items.push_back(item);
    }
    for (const PlanChartBar& b : chart.bars) {
        if (!drawable(b.box)) continue;
        const std::optional<QRectF> r = insideChartFrame(chartRectOf(b.box, edges));
        if (!r) continue;
        static const char* prefix[] = {"green", "yellow", "red"};
        ChartItem item;
        item.name = prefix[int(b.part)] + std::to_string(b.phase);
        item.part = b.part == PlanBarPart::Green ? ChartPart::Green
                    : b.part == PlanBarPart::Yellow ? ChartPart::Yellow
                                                    : ChartPart::Red;
        item.ring = b.ring;
        item.phase = QString::number(b.phase);
        item.box = b.box;
        item.rect = *r;
        item.fill = b.part == PlanBarPart::Green ? palette::kGreen
                    : b.part == PlanBarPart::Yellow ? palette::kYellow
                                                    : palette::kRed;
        item.outline = palette::kBarOutline;
        if (b.part == PlanBarPart::Green) {
            item.text = item.phase;
            item.textRect = r->adjusted(1, 1, -1, -1);
            item.bold = true;
        }
        items.push_back(item);
    }
    items.insert(items.end(), barriers.begin(), barriers.end());
    return items;
}

}  // namespace tavimo::ui
