// SPDX-License-Identifier: MIT
#include "draw/chart_sheet.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <cmath>

#include "output/worksheet.h"
#include "calc/local_time.h"
#include "io/utf8.h"
#include "model/number_text.h"
#include "draw/chart_painter.h"
#include "draw/chart_palette.h"
#include "draw/plan_chart_scene.h"

namespace tavimo::ui {

namespace {

// The sheet in twips of the chart: the chart's own span with a margin each side, a
// title line above the windows and the axis below the cursor's reach.
constexpr double kSheetWidth = 10305;
constexpr double kTitleHeight = 420;
constexpr double kChartTop = 120;     // the top of the middle barrier
constexpr double kChartBottom = 2310;  // the bottom of the middle barrier
constexpr double kAxisHeight = 540;
constexpr double kSheetHeight = kTitleHeight + (kChartBottom - kChartTop) + kAxisHeight;
constexpr float kTickEvery = 10;  // s
constexpr double kScreenDpi = 96;  // the sheet is laid out in the window's logical pixels

double px(double twips) { return ChartPainter::pixels(twips); }

void paintAxis(QPainter& p, float cycle, float zero, const QFont& font) {
    const double y = px(kTitleHeight + kChartBottom - kChartTop + 60);
    const double left = px(layout::kChartLeft), right = px(layout::kChartLeft + layout::kChartWidth);
    p.setPen(QPen(palette::kText, 1));
    p.drawLine(QPointF(left, y), QPointF(right, y));
    p.setFont(font);
    const QFontMetricsF metrics(font, p.device());
    for (float t = 0; t < cycle; t += kTickEvery) {
        const double x = px(axisPlace(cycle, zero, t));
        const bool isZero = t == 0;
        p.setPen(QPen(isZero ? palette::kLocalZero : palette::kText, isZero ? 2 : 1));
        p.drawLine(QPointF(x, y), QPointF(x, y + (isZero ? 8 : 5)));
        const QString label = QString::fromStdString(formatNumber(t));
        const double w = metrics.horizontalAdvance(label);
        p.drawText(QRectF(x - w / 2 - 2, y + 8, w + 4, metrics.height()), Qt::AlignCenter, label);
    }
    p.setPen(palette::kText);
    p.drawText(QRectF(left, y + 8 + metrics.height(), right - left, metrics.height()), Qt::AlignRight,
               QStringLiteral("Local time, s (tick every 10 s; 0 is the controller's local zero)"));
}

}  // namespace

float axisPlace(float cycle, float localZero, float time) {
    float since = std::fmod(time + localZero, cycle);
    if (since < 0) since += cycle;
    return layout::kChartLeft + since * (layout::kChartWidth / cycle);
}

ChartSheet chartSheetOf(const WindowState& calculated) {
    ChartSheet sheet;
    sheet.title = QString::fromStdString(printableText(signalTitle(calculated.plan)));
    sheet.chart = calculated.chart;
    sheet.axis = chartAxisOf(calculated.plan);
    return sheet;
}

ChartSheet chartSheetOf(const QString& title, const PlanChart& plan) {
    ChartSheet sheet;
    sheet.title = title;
    sheet.plan = plan;
    if (plan.cycle > 0) sheet.axis = ChartAxis{plan.cycle, plan.localZero};
    return sheet;
}

QSizeF chartSheetSize() { return {px(kSheetWidth), px(kSheetHeight)}; }

QFont chartFont(const QPaintDevice* device, double unitsPerInch, double pointSize, bool bold) {
    QFont font;
    const int dpi = device ? device->logicalDpiY() : 96;
    font.setPointSizeF(pointSize * unitsPerInch / (dpi > 0 ? dpi : 96));
    font.setBold(bold);
    // No ligatures: text copied out of a PDF reads "Force Off", not "Force O\ufb00".
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

void beginSheet(QPainter& p, const QSizeF& size, const QRectF& target) {
    const double scale = std::min(target.width() / size.width(), target.height() / size.height());
    p.save();
    p.translate(target.left() + (target.width() - size.width() * scale) / 2,
                target.top() + (target.height() - size.height() * scale) / 2);
    p.scale(scale, scale);
    p.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
}

void paintChartSheet(QPainter& p, const ChartSheet& sheet, const QRectF& target) {
    const QSizeF size = chartSheetSize();
    beginSheet(p, size, target);

    p.setFont(chartFont(p.device(), kScreenDpi, 10, true));
    p.setPen(palette::kText);
    p.drawText(QRectF(px(layout::kChartLeft), 0, px(layout::kChartWidth), px(kTitleHeight)),
               Qt::AlignLeft | Qt::AlignVCenter, sheet.title);

    p.save();
    p.translate(0, px(kTitleHeight - kChartTop));
    if (sheet.plan) {
        const QFont font = chartFont(p.device(), kScreenDpi);
        ChartPainter::paintItems(p, planChartItems(*sheet.plan, font, p.device()), font);
    } else {
        ChartPainter(sheet.chart, chartFont(p.device(), kScreenDpi)).paint(p);
    }
    p.restore();

    if (sheet.axis) paintAxis(p, sheet.axis->cycle, sheet.axis->localZero, chartFont(p.device(), kScreenDpi));
    p.restore();
}

}  // namespace tavimo::ui
