// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

#include "output/worksheet.h"
#include "draw/chart_sheet.h"

class QPainter;
class QPagedPaintDevice;

namespace tavimo::ui {

// One signal's report page: the title block, the chart, the timing inputs and the
// controller worksheet.
struct ReportPage {
    QStringList titleBlock;  // first line the signal's title, then "Label: value" lines
    ChartSheet chart;
    Worksheet worksheet;
};

// `fileName` is shown as it is; empty for a signal not saved.
ReportPage reportPageOf(const WindowState& calculated, const Worksheet& worksheet, const QString& fileName,
                        const QString& date);
// The same page from its chart sheet and the plan's header values (description, cycle
// length, controller, mode, arrangement) and its offset line ("Offset: ...", empty for
// a signal without an offset): what the calculator's drawing library gets.
ReportPage reportPageOf(const ChartSheet& chart, const SignalPlan& header, const Worksheet& worksheet,
                        const QString& fileName, const QString& date, const QString& offset = {});

// Draws one page per report on `device` (a printer, a PDF writer), the painter
// already begun on it. False when a new page cannot be started.
bool paintReports(QPainter& painter, QPagedPaintDevice& device, const QList<ReportPage>& pages);

// The header line of a printed window: description, file, date, controller, mode.
QString printHeaderLine(const SignalPlan& plan, const QString& fileName, const QString& date);

}  // namespace tavimo::ui
