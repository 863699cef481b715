// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "draw/chart_sheet.h"
#include "draw/report_page.h"
#include "output/worksheet.h"

namespace tavimo::ui {

// What the title block of a plan off the grid names: the coordinated phases take the
// place of the grid's left-turn arrangement.
struct PlanReportHeader {
    QString description;  // empty: an untitled signal
    QString cycleLength;
    QString controller;   // "NEMA TS2" or "Type 170"
    QString mode;
    QString coordinated;  // "2, 6"
    QString offset;       // "Offset: ts2 12 (own), ..."; empty without an offset
};

// The report page of a plan: the title block, its chart sheet and its worksheet.
// `fileName` is shown as it is; empty for a plan not saved.
ReportPage planReportPageOf(const ChartSheet& chart, const PlanReportHeader& header, const Worksheet& worksheet,
                            const QString& fileName, const QString& date);

}  // namespace tavimo::ui
