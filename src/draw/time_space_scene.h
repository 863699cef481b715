// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <string>
#include <vector>

#include "calc/time_space.h"

namespace tavimo::ui {

// Where the diagram stands on a sheet: time runs left to right over the span, the
// route bottom to top from its first signal.
struct TimeSpaceFrame {
    QRectF plot;
    double span = 0, length = 0;

    double x(double time) const { return plot.left() + (span > 0 ? time / span : 0) * plot.width(); }
    double y(double distance) const {
        return plot.bottom() - (length > 0 ? distance / length : 0) * plot.height();
    }
    double timeAt(double place) const { return plot.width() > 0 ? (place - plot.left()) / plot.width() * span : 0; }
};

// The sheet's size in logical pixels, for the files and the printer.
QSizeF timeSpaceSheetSize();

TimeSpaceFrame timeSpaceFrame(const TimeSpaceDiagram& diagram, QSizeF size);

enum class TimeSpacePart { Signal, Band };

// One element of the diagram as it is drawn and read: a signal (its line, the two
// thin bars of its through phase's colours, one each way, and its side street's
// windows on the line) or a band (its strips). `name` is what a screen reader says.
struct TimeSpaceItem {
    TimeSpacePart part = TimeSpacePart::Signal;
    std::string id;   // "signal 3325", "band 3325-3375"
    std::size_t index = 0;  // of the signal along the route, or of the direction
    QString name;
    QRectF rect;      // what the element covers, for hit tests and the reader
    struct Bar {
        QRectF rect;
        QColor fill;
    };
    std::vector<Bar> bars;
    double lineY = 0;
    QList<QPolygonF> strips;
    QColor fill;
    QString label;
    QRectF labelRect;
};

// The signals along the route, then the bands, in the order read; the painter draws
// the bands first, under the signals.
std::vector<TimeSpaceItem> timeSpaceItems(const TimeSpaceDiagram& diagram, const TimeSpaceFrame& frame);

// The topmost signal at `point`, if any: what a drag in time takes hold of.
const TimeSpaceItem* timeSpaceSignalAt(const std::vector<TimeSpaceItem>& items, QPointF point);

// "3325 to 3375: band 47.37 s, efficiency 0.395, attainability 0.869" or the reason
// there is none.
QString bandText(const DiagramBand& band);

}  // namespace tavimo::ui
