// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>

#include <optional>

#include "draw/chart_sheet.h"
#include "draw/report_page.h"

namespace tavimo::ui {

enum class ChartFormat { Svg, Png, Pdf };

// The picture format a file name asks for by its extension (any case).
std::optional<ChartFormat> chartFormatOf(const QString& path);

// Writes the chart sheets to `path` in the format its extension names: a PDF holds one
// page per sheet; an SVG or PNG holds exactly one. Written whole or not at all: the
// previous file stays until the new one is complete. Empty on success, else the reason.
QString writeChartFile(const QString& path, const QList<ChartSheet>& sheets);

// Writes the report pages to the PDF file `path`, one page each, whole or not at all.
QString writeReportFile(const QString& path, const QList<ReportPage>& pages);

// The PNG picture of a sheet: twice the screen's detail.
QImage chartImage(const ChartSheet& sheet);

}  // namespace tavimo::ui
