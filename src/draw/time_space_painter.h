// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QString>

#include <variant>
#include <vector>

#include "calc/time_space.h"
#include "draw/chart_files.h"
#include "draw/time_space_scene.h"

class QPainter;

namespace tavimo::ui {

// The title line of a diagram: its street, the signals and the cycle.
QString timeSpaceTitle(const TimeSpaceDiagram& diagram);

// Draws the diagram's items in `frame` with their axes and titles, in logical pixels
// on whatever device the painter is on: the white ground, the cycles' boundaries and
// the time ticks, the bands under the signals and their labels.
void paintTimeSpace(QPainter& painter, const TimeSpaceDiagram& diagram, const TimeSpaceFrame& frame,
                    const std::vector<TimeSpaceItem>& items, const QFont& font);

// The sheet of the files and the printer, scaled to fit `target` keeping its proportions.
void paintTimeSpaceSheet(QPainter& painter, const TimeSpaceDiagram& diagram, const QRectF& target);

// The bytes of an SVG, PNG or one-page PDF of the diagram, or why it cannot be drawn.
std::variant<QByteArray, QString> timeSpaceFileBytes(ChartFormat format, const TimeSpaceDiagram& diagram);

// Writes the diagram to `path` in the format its extension names, whole or not at
// all; empty, or "cannot write <path>: <reason>".
QString writeTimeSpaceFile(const QString& path, const TimeSpaceDiagram& diagram);

}  // namespace tavimo::ui
