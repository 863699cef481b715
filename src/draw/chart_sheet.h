// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QRectF>
#include <QString>

#include <optional>

#include "calc/local_time.h"
#include "calc/plan_chart.h"
#include "model/chart_layout.h"
#include "model/window_state.h"

class QPainter;
class QPaintDevice;

namespace tavimo::ui {

// The chart as it leaves Tavimo: a title line, the ring-barrier chart to scale and a
// time axis in seconds of the cycle from the controller's local zero.
struct ChartSheet {
    QString title;
    ChartGeometry chart;
    std::optional<ChartAxis> axis;  // the cycle spanned and local zero, s; none: no time axis
    // A plan off the grid, drawn in place of `chart`.
    std::optional<PlanChart> plan;
};

ChartSheet chartSheetOf(const WindowState& calculated);
// The sheet of a plan of any structure: its title line, its chart and time axis.
ChartSheet chartSheetOf(const QString& title, const PlanChart& plan);

// The sheet's size in the window's logical pixels (15 twips each).
QSizeF chartSheetSize();

// The font of the chart's labels, the timing window's (8 pt), for drawing on `device`
// in units of which `unitsPerInch` make an inch: text then keeps its size on paper and
// in pictures of any resolution, the painter's scale applied on top.
QFont chartFont(const QPaintDevice* device, double unitsPerInch, double pointSize = 8, bool bold = false);

// Saves the painter and scales a sheet of `size` to fit `target`, centred, on white;
// the caller restores the painter when the sheet is painted.
void beginSheet(QPainter& painter, const QSizeF& size, const QRectF& target);

// Draws the sheet into `target` (any size; the sheet is scaled to fit, keeping its
// proportions, and centred).
void paintChartSheet(QPainter& painter, const ChartSheet& sheet, const QRectF& target);

// Where a time of the axis (s of local time) lies on the chart, in twips.
float axisPlace(float cycle, float localZero, float time);

}  // namespace tavimo::ui
