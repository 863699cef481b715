// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

#include <optional>
#include <string>
#include <vector>

#include "model/chart_layout.h"

class QPaintDevice;

namespace tavimo::ui {

enum class ChartPart { Window, Green, Yellow, Red, DeadSide, Barrier, LocalZero, Readout };

// One element of the ring-barrier chart as it is drawn, under the design's name of
// the bar or line it is ("greenPhase3", "PP2", "PPend1", "barrier3", "deadPhase",
// "local1", "timer"). Places are in the window's logical pixels (15 twips each).
struct ChartItem {
    std::string name;
    ChartPart part = ChartPart::Green;
    int position = 0;  // 1..8 for a row bar or a window, 0 otherwise
    int ring = 0;      // 1 or 2 for a row bar, a window or a dark bar
    QString phase;     // the phase number the element belongs to, if any
    Box box;           // the geometry's own box (twips): what the element stands for
    QRectF rect;       // where it is drawn, kept inside the frame
    QColor fill, outline;
    QString text;
    QRectF textRect;
    int textFlags = Qt::AlignCenter;
    bool bold = false;
    bool besideLabel = false;  // the label of a window too narrow for it, drawn beside it
};

// How bar edges fall on the device.
enum class ChartEdges {
    Exact,      // to scale, fractions of a pixel kept (vector pictures, paper)
    PixelGrid,  // edges on whole pixels, as on the screen
};

// Twips of a chart's geometry in the logical pixels its items stand in; a time no
// page could hold is kept within reach.
double chartPixels(double twips);
// A box in logical pixels: to scale, or with both edges on whole pixels.
QRectF chartRectOf(const Box& b, ChartEdges edges);
// A rectangle kept between the frame's left and right edges; nothing when none of it
// is inside.
std::optional<QRectF> insideChartFrame(QRectF r);

// The items of a chart in the order they are painted, the later in front: the
// permissive windows (of a Yield stack the taller in front) under the row bars, the
// dark bars, the barriers, then the labels of windows too narrow for them, beside
// the window. Every item lies inside the frame, from 0 to the chart's right margin.
// `font` is measured on `device` (the one painted on).
std::vector<ChartItem> chartItems(const ChartGeometry& chart, const QFont& font, const QPaintDevice* device,
                                  ChartEdges edges = ChartEdges::Exact);

// The local-time cursor `local1` and the readout `timer` of the timing window.
void addLocalTimeItems(std::vector<ChartItem>& items, const ChartLayout& chart, const QFont& font,
                       const QPaintDevice* device);

// The topmost item at `point` (logical pixels), if any.
const ChartItem* chartItemAt(const std::vector<ChartItem>& items, QPointF point);

// The cycle and the controller's local zero (s from the chart's left edge) that turn
// places on the chart into local time.
struct ChartClock {
    float cycle = 0;
    float localZero = 0;
};

// What a sighted user reads off an item, beginning with the position and the phase:
// "Position 3: Φ4 green, 41.5 to 69 s", "Position 3: Φ4 permissive window, 12 to
// 36.5 s", "barrier at 52 s", "local zero". Without a clock, no times.
QString describeChartItem(const ChartItem& item, const std::optional<ChartClock>& clock);

// The frame's right edge in logical pixels: the chart's span with its left margin
// once more on the right.
double chartFrameRight();

}  // namespace tavimo::ui
