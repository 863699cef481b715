// SPDX-License-Identifier: MIT
#include "draw/time_space_scene.h"

#include <algorithm>
#include <cmath>

#include "draw/chart_palette.h"
#include "io/utf8.h"
#include "model/number_text.h"

namespace tavimo::ui {

namespace {

constexpr double kSheetWidth = 1100, kSheetHeight = 680;
constexpr double kLeft = 90, kRight = 30, kTop = 56, kBottom = 70;
constexpr double kBar = 5;     // thickness of a through bar
constexpr double kGap = 1.5;   // between the line and a bar
constexpr double kWindow = 3;  // thickness of a side-street window on the line

const QColor kBandFill[2] = {QColor(60, 120, 220, 70), QColor(230, 130, 30, 70)};
const QColor kSideWindow{0x20, 0x40, 0xc0};

QString seconds(double value) {
    return QString::fromStdString(formatNumber(static_cast<float>(std::round(value * 100) / 100)));
}

// Three decimals, trailing zeros dropped, as the calculator prints it ("0.395", "0").
QString ratio(std::optional<double> value) {
    if (!value) return QStringLiteral("none");
    QString text = QString::number(*value, 'f', 3);
    while (text.endsWith(QLatin1Char('0'))) text.chop(1);
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QColor colourOf(Aspect aspect) {
    switch (aspect) {
    case Aspect::Green: return palette::kGreen;
    case Aspect::Yellow: return palette::kYellow;
    case Aspect::Red: return palette::kRed;
    }
    return palette::kRed;
}

QString qText(const std::string& utf8) { return QString::fromStdString(printableText(utf8)); }

// "3325 at 1283 ft: ts2 offset 24.5 s; phase 4 there green 24.5 to 104 s; ..."
QString signalText(const TimeSpaceDiagram& d, const DiagramSignal& s) {
    QString text = qText(s.id) + QStringLiteral(" at ") + seconds(s.distance) + (d.metric ? " m" : " ft");
    if (!s.offsets) return text + QStringLiteral(": no plan");
    text += QStringLiteral(": offset ts2 %1 s").arg(seconds(s.offsets->ts2));
    const char* way[2] = {"there", "back"};
    for (int w = 0; w < 2; ++w) {
        if (!s.throughPhase[w]) continue;
        text += QStringLiteral("; phase %1 %2").arg(*s.throughPhase[w]).arg(QLatin1String(way[w]));
        if (const auto& green = s.throughGreen[w])
            text += QStringLiteral(" green %1 to %2 s").arg(seconds(green->start), seconds(green->end));
    }
    if (!s.windows.empty())
        text += QStringLiteral("; %1 side-street window%2").arg(s.windows.size()).arg(s.windows.size() == 1 ? "" : "s");
    return text;
}

}  // namespace

QSizeF timeSpaceSheetSize() { return {kSheetWidth, kSheetHeight}; }

TimeSpaceFrame timeSpaceFrame(const TimeSpaceDiagram& diagram, QSizeF size) {
    TimeSpaceFrame frame;
    frame.plot = QRectF(kLeft, kTop, std::max(1.0, size.width() - kLeft - kRight),
                        std::max(1.0, size.height() - kTop - kBottom));
    frame.span = diagram.span;
    frame.length = diagram.length;
    return frame;
}

QString bandText(const DiagramBand& band) {
    const QString route = qText(band.from) + QStringLiteral(" to ") + qText(band.to);
    if (!band.band.seconds) return route + QStringLiteral(": no band, ") + qText(band.band.reason);
    return route + QStringLiteral(": band %1 s, efficiency %2, attainability %3")
                       .arg(seconds(*band.band.seconds), ratio(band.band.efficiency), ratio(band.band.attainability));
}

std::vector<TimeSpaceItem> timeSpaceItems(const TimeSpaceDiagram& d, const TimeSpaceFrame& frame) {
    std::vector<TimeSpaceItem> items;
    for (std::size_t k = 0; k < d.signals.size(); ++k) {
        const DiagramSignal& s = d.signals[k];
        TimeSpaceItem item;
        item.part = TimeSpacePart::Signal;
        item.id = "signal " + s.id;
        item.index = k;
        item.name = signalText(d, s);
        item.lineY = frame.y(s.distance);
        const double y = item.lineY;
        for (int w = 0; w < 2; ++w)
            for (const AspectSpan& a : s.through[w]) {
                const double top = w == 0 ? y - kGap - kBar : y + kGap;
                item.bars.push_back({QRectF(QPointF(frame.x(a.start), top), QPointF(frame.x(a.end), top + kBar)),
                                     colourOf(a.aspect)});
            }
        for (const LocalWindow& win : s.windows)
            item.bars.push_back({QRectF(QPointF(frame.x(win.start), y - kWindow / 2),
                                        QPointF(frame.x(win.end), y + kWindow / 2)),
                                 kSideWindow});
        item.rect = QRectF(QPointF(frame.plot.left(), y - kGap - kBar - 2), QPointF(frame.plot.right(), y + kGap + kBar + 2));
        item.label = qText(s.id);
        item.labelRect = QRectF(4, y - 9, kLeft - 10, 18);
        items.push_back(std::move(item));
    }
    for (std::size_t w = 0; w < 2; ++w) {
        const DiagramBand& band = d.bands[w];
        if (band.from.empty()) continue;
        TimeSpaceItem item;
        item.part = TimeSpacePart::Band;
        item.id = "band " + band.from + "-" + band.to;
        item.index = w;
        item.name = bandText(band);
        item.fill = kBandFill[w];
        QRectF covered;
        for (const BandStrip& strip : band.strips) {
            QPolygonF polygon;
            for (const TimeDistance& p : strip.lower) polygon << QPointF(frame.x(p.time), frame.y(p.distance));
            for (auto p = strip.upper.rbegin(); p != strip.upper.rend(); ++p)
                polygon << QPointF(frame.x(p->time), frame.y(p->distance));
            item.strips.append(polygon);
            covered = covered.united(polygon.boundingRect());
        }
        item.rect = covered.intersected(frame.plot);
        if (band.band.seconds) {
            item.label = QStringLiteral("%1 s").arg(seconds(*band.band.seconds));
            // Beside the first strip that starts on the plot, at the route's start.
            for (const BandStrip& strip : band.strips) {
                const TimeDistance& start = strip.lower.front();
                if (start.time >= 0 && frame.x(start.time) + 60 < frame.plot.right()) {
                    const double x = frame.x(start.time), y = frame.y(start.distance);
                    item.labelRect = QRectF(x, w == 0 ? y - 20 : y + 4, 60, 16);
                    break;
                }
            }
        }
        items.push_back(std::move(item));
    }
    return items;
}

const TimeSpaceItem* timeSpaceSignalAt(const std::vector<TimeSpaceItem>& items, QPointF point) {
    const TimeSpaceItem* nearest = nullptr;
    for (const TimeSpaceItem& item : items)
        if (item.part == TimeSpacePart::Signal && item.rect.contains(point) &&
            (!nearest || std::abs(item.lineY - point.y()) < std::abs(nearest->lineY - point.y())))
            nearest = &item;
    return nearest;
}

}  // namespace tavimo::ui
