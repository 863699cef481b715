// SPDX-License-Identifier: MIT
#include "draw/plan_report.h"

#include "io/utf8.h"

namespace tavimo::ui {

ReportPage planReportPageOf(const ChartSheet& chart, const PlanReportHeader& header, const Worksheet& worksheet,
                            const QString& fileName, const QString& date) {
    // Control characters from a file show as '?', as on the grid's page.
    auto printable = [](const QString& s) { return QString::fromStdString(printableText(s.toStdString())); };
    ReportPage page;
    page.titleBlock = {
        header.description.isEmpty() ? QStringLiteral("Untitled signal") : printable(header.description),
        QStringLiteral("Cycle length: %1 s").arg(printable(header.cycleLength)),
        QStringLiteral("Controller: %1").arg(header.controller),
        QStringLiteral("Mode: %1").arg(header.mode),
        QStringLiteral("Coordinated phases: %1").arg(header.coordinated),
        QStringLiteral("File: %1").arg(fileName.isEmpty() ? QStringLiteral("not saved") : fileName),
        QStringLiteral("Date: %1").arg(date),
    };
    if (!header.offset.isEmpty()) page.titleBlock.insert(5, header.offset);  // before the file
    page.chart = chart;
    page.worksheet = worksheet;
    return page;
}

}  // namespace tavimo::ui
