// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <optional>
#include <variant>

#include "draw/chart_sheet.h"
#include "draw/report_page.h"

class QPainter;

namespace tavimo::ui {

enum class ChartFormat { Svg, Png, Pdf };

// The picture format a file name asks for by its extension (any case).
std::optional<ChartFormat> chartFormatOf(const QString& path);

// The bytes of a chart file, drawn in memory: a PDF holds one page per sheet; an SVG
// or PNG holds exactly one. The reason when it cannot be drawn.
std::variant<QByteArray, QString> chartFileBytes(ChartFormat format, const QList<ChartSheet>& sheets);

// The bytes of a report: a PDF of one A4 page per report page.
std::variant<QByteArray, QString> reportFileBytes(const QList<ReportPage>& pages);

// Writes the chart sheets to `path` in the format its extension names, whole or not
// at all (the previous file stays byte for byte on any failure). Empty on success,
// else the message: "cannot write <path>: <reason>".
QString writeChartFile(const QString& path, const QList<ChartSheet>& sheets);

// Writes `bytes` to `path` whole or not at all; empty, or "cannot write <path>: <reason>".
QString writeWholeFile(const QString& path, const QByteArray& bytes);

// The bytes of a one-sheet picture `size` logical pixels large: `paint` draws the
// sheet into the rectangle it is given. An SVG carries `title` and `description`, a
// PDF the title and a page of the sheet's size called `pageName`.
std::variant<QByteArray, QString> sheetFileBytes(ChartFormat format, const QSizeF& size, const QString& title,
                                                 const QString& description, const QString& pageName,
                                                 const std::function<void(QPainter&, const QRectF&)>& paint);

// The PNG picture of a sheet: twice the screen's detail.
QImage chartImage(const ChartSheet& sheet);

}  // namespace tavimo::ui
