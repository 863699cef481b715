// SPDX-License-Identifier: MIT
#include "draw/time_space_painter.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

#include "draw/chart_palette.h"
#include "draw/chart_sheet.h"
#include "io/utf8.h"
#include "model/number_text.h"

namespace tavimo::ui {

namespace {

constexpr double kScreenDpi = 96;
const QColor kLine{0x70, 0x70, 0x70};
const QColor kCycleLine{0xb0, 0xb0, 0xb0};

QString number(double value) { return QString::fromStdString(formatNumber(static_cast<float>(value))); }

void paintAxes(QPainter& p, const TimeSpaceDiagram& d, const TimeSpaceFrame& f, const QFont& font) {
    p.setFont(font);
    const QFontMetricsF metrics(font, p.device());
    const double bottom = f.plot.bottom() + 8;
    p.setPen(QPen(palette::kText, 1));
    p.drawLine(QPointF(f.plot.left(), bottom), QPointF(f.plot.right(), bottom));
    const double tick = d.span > 400 ? 20 : 10;
    for (double t = 0; t <= d.span + 1e-9; t += tick) {
        const double x = f.x(t);
        const bool labelled = std::fmod(t, 2 * tick) == 0;
        p.drawLine(QPointF(x, bottom), QPointF(x, bottom + (labelled ? 6 : 3)));
        if (labelled)
            p.drawText(QRectF(x - 20, bottom + 6, 40, metrics.height()), Qt::AlignHCenter | Qt::AlignTop, number(t));
    }
    const QString axes = QStringLiteral("Master clock, s; distance in %1").arg(d.metric ? "m" : "ft");
    double axesLine = bottom + 6 + metrics.height();
    if (!d.bands[0].from.empty()) {
        const QString legend = QStringLiteral("Bar above a signal's line: through phase %1 to %2; below: the way back; "
                                              "dark blue on the line: side-street permissive windows")
                                   .arg(QString::fromStdString(printableText(d.bands[0].from)),
                                        QString::fromStdString(printableText(d.bands[0].to)));
        p.drawText(QRectF(f.plot.left(), axesLine, f.plot.width(), metrics.height()), Qt::AlignLeft | Qt::AlignTop,
                   legend);
        // On a narrow diagram the two would run into each other: the axes' units go below.
        const double gap = metrics.horizontalAdvance(QStringLiteral("    "));
        if (metrics.horizontalAdvance(legend) + gap + metrics.horizontalAdvance(axes) > f.plot.width())
            axesLine += metrics.height();
    }
    p.drawText(QRectF(f.plot.left(), axesLine, f.plot.width(), metrics.height()), Qt::AlignRight | Qt::AlignTop, axes);
    // The cycles' boundaries, where every signal's timing repeats.
    if (d.cycle > 0) {
        p.setPen(QPen(kCycleLine, 1, Qt::DashLine));
        for (double t = d.cycle; t < d.span - 1e-9; t += d.cycle)
            p.drawLine(QPointF(f.x(t), f.plot.top()), QPointF(f.x(t), f.plot.bottom()));
    }
}

}  // namespace

QString timeSpaceTitle(const TimeSpaceDiagram& d) {
    QString title = QString::fromStdString(printableText(d.street.empty() ? std::string("Corridor") : d.street));
    if (!d.signals.empty())
        title += QStringLiteral(": %1 to %2").arg(QString::fromStdString(printableText(d.signals.front().id)),
                                                QString::fromStdString(printableText(d.signals.back().id)));
    title += d.cycle > 0 ? QStringLiteral(" | cycle %1 s").arg(number(d.cycle)) : QStringLiteral(" | cycles differ");
    return title;
}

void paintTimeSpace(QPainter& p, const TimeSpaceDiagram& d, const TimeSpaceFrame& f,
                    const std::vector<TimeSpaceItem>& items, const QFont& font) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QFont bold = font;
    bold.setBold(true);
    bold.setPointSizeF(font.pointSizeF() * 1.2);
    p.setFont(bold);
    p.setPen(palette::kText);
    const QFontMetricsF boldMetrics(bold, p.device()), metrics(font, p.device());
    p.drawText(QRectF(f.plot.left(), 4, f.plot.width(), boldMetrics.height()), Qt::AlignLeft | Qt::AlignTop,
               timeSpaceTitle(d));
    p.setFont(font);
    double line = 6 + boldMetrics.height();
    for (const DiagramBand& band : d.bands) {
        if (band.from.empty()) continue;
        p.drawText(QRectF(f.plot.left(), line, f.plot.width(), metrics.height()), Qt::AlignLeft | Qt::AlignTop,
                   bandText(band));
        line += metrics.height();
    }
    paintAxes(p, d, f, font);

    p.save();
    p.setClipRect(f.plot.adjusted(0, -8, 0, 8));
    for (const TimeSpaceItem& item : items) {
        if (item.part != TimeSpacePart::Band) continue;
        p.setPen(QPen(item.fill.darker(180), 0.8));
        p.setBrush(item.fill);
        for (const QPolygonF& strip : item.strips) p.drawPolygon(strip);
    }
    for (const TimeSpaceItem& item : items) {
        if (item.part != TimeSpacePart::Signal) continue;
        p.setPen(QPen(kLine, 1));
        p.drawLine(QPointF(f.plot.left(), item.lineY), QPointF(f.plot.right(), item.lineY));
        p.setPen(Qt::NoPen);
        for (const TimeSpaceItem::Bar& bar : item.bars) p.fillRect(bar.rect, bar.fill);
    }
    p.restore();

    p.setPen(palette::kText);
    for (const TimeSpaceItem& item : items) {
        if (item.label.isEmpty() || item.labelRect.isEmpty()) continue;
        p.drawText(item.labelRect, (item.part == TimeSpacePart::Signal ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                   item.label);
    }
    p.restore();
}

void paintTimeSpaceSheet(QPainter& p, const TimeSpaceDiagram& d, const QRectF& target) {
    const QSizeF size = timeSpaceSheetSize();
    beginSheet(p, size, target);
    const TimeSpaceFrame frame = timeSpaceFrame(d, size);
    paintTimeSpace(p, d, frame, timeSpaceItems(d, frame), chartFont(p.device(), kScreenDpi));
    p.restore();
}

std::variant<QByteArray, QString> timeSpaceFileBytes(ChartFormat format, const TimeSpaceDiagram& d) {
    if (d.signals.empty()) return QStringLiteral("the corridor has no signals to draw");
    return sheetFileBytes(format, timeSpaceSheetSize(), timeSpaceTitle(d), QStringLiteral("Time-space diagram"),
                          QStringLiteral("Diagram"),
                          [&d](QPainter& p, const QRectF& target) { paintTimeSpaceSheet(p, d, target); });
}

QString writeTimeSpaceFile(const QString& path, const TimeSpaceDiagram& d) {
    const std::optional<ChartFormat> format = chartFormatOf(path);
    if (!format) return QStringLiteral("cannot write %1: a diagram is written as .svg, .png or .pdf").arg(path);
    std::variant<QByteArray, QString> drawn = timeSpaceFileBytes(*format, d);
    if (const QString* why = std::get_if<QString>(&drawn)) return QStringLiteral("cannot write %1: %2").arg(path, *why);
    return writeWholeFile(path, std::get<QByteArray>(drawn));
}

}  // namespace tavimo::ui
