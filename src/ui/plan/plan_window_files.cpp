// SPDX-License-Identifier: MIT
// The plan window's files: the project, the results, the chart and the report.
#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

#include <sstream>

#include "calc/plan_chart.h"
#include "draw/chart_files.h"
#include "draw/plan_report.h"
#include "io/utf8.h"
#include "output/offset_results.h"
#include "output/plan_results.h"
#include "output/plan_worksheet.h"
#include "output/project_results.h"
#include "ui/common/dialogs.h"
#include "ui/common/remembered_places.h"
#include "ui/plan/plan_window.h"

namespace tavimo::ui {

const QString PlanWindow::kPlanFilter = QStringLiteral("Tavimo Projects (*.tavimo)|*.tavimo");

namespace {

const QString kFileError = QStringLiteral("File Error");

QString qs(const std::string& s) { return QString::fromStdString(s); }

PlanReportHeader planReportHeaderOf(const Signal& s, const PlanCalculation& calculation) {
    QStringList coordinated;
    for (int phase : s.coordinated) coordinated << QString::number(phase);
    return {qs(s.description), qs(s.cycle.text),
            QString::fromLatin1(controllerName(s.controller)), QString::fromLatin1(modeName(s.mode)),
            coordinated.join(QStringLiteral(", ")), qs(planOffsetLine(s, &calculation))};
}

}  // namespace

bool PlanWindow::save(bool saveAs) {
    if (project_.intersections.empty()) return false;
    if (!applyFields()) return false;
    QString path = saveAs ? QString() : path_;
    if (path.isEmpty()) {
        path = withSuffix(dialogs().saveFileNameIn(this, kPlanFilter, lastFolder(QStringLiteral("project"))),
                          QString::fromLatin1(kPlanProjectExtension));
        if (path.isEmpty()) return false;  // Cancel: nothing written
    }
    if (const auto failure = writePlanProjectFile(QFile::encodeName(path).toStdString(), project_)) {
        tell(this, QStringLiteral("Cannot save %1: %2").arg(path, qs(*failure)), kFileError, Icon::Critical);
        return false;
    }
    path_ = path;
    setModified(false);
    Q_EMIT saved(path);
    Q_EMIT statusLine(QStringLiteral("Saved %1 in %2")
                        .arg(QFileInfo(path).fileName(), QDir::toNativeSeparators(QFileInfo(path).absolutePath())));
    return true;
}

QString PlanWindow::resultsText() const {
    if (!calculation_ || calculation_->stop != PlanStop::Completed || stale_) return {};
    std::ostringstream out;
    printPlanTable(intersection().signal, *calculation_, out);
    for (const PlanWarning& w : warnings_) out << "Warning: " << w.text << '\n';
    return qs(out.str());
}

QString PlanWindow::resultsCsv() const {
    if (!calculation_ || stale_) return {};
    const ProjectIntersection& x = intersection();
    std::ostringstream out;
    printProjectRuns({runProjectIntersection(x.id, x.signal)}, OutputFormat::Csv, out);
    return qs(out.str());
}

void PlanWindow::copyResults() {
    if (!haveResults(QStringLiteral("No Signal to Copy!"))) return;
    QApplication::clipboard()->setText(resultsText());
    Q_EMIT statusLine(QStringLiteral("Results copied to the clipboard"));
}

std::optional<ChartSheet> PlanWindow::chartSheet() const {
    if (!calculation_ || calculation_->stop != PlanStop::Completed || stale_) return std::nullopt;
    const Signal& s = intersection().signal;
    return chartSheetOf(qs(printableText(planTitle(s))), planChart(s, *calculation_));
}

std::optional<ReportPage> PlanWindow::reportPage() const {
    const std::optional<ChartSheet> sheet = chartSheet();
    if (!sheet) return std::nullopt;
    const Signal& s = intersection().signal;
    return planReportPageOf(*sheet, planReportHeaderOf(s, *calculation_), planWorksheet(s, *calculation_),
                            path_.isEmpty() ? QString() : QFileInfo(path_).fileName(),
                            QDate::currentDate().toString(Qt::ISODate));
}

void PlanWindow::printReport() {
    if (!haveResults(QStringLiteral("No Signal to Print!"))) return;
    const std::optional<ReportPage> page = reportPage();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Tavimo report"));
    if (!dialogs().choosePrinter(this, printer)) return;  // Cancel: nothing printed
    const int copies = std::max(1, printer.copyCount());
    printer.setCopyCount(1);
    QList<ReportPage> pages;
    for (int i = 0; i < copies; ++i) pages.append(*page);
    QPainter painter;
    const bool printed = painter.begin(&printer) && paintReports(painter, printer, pages) && painter.end() &&
                         printer.printerState() != QPrinter::Error;
    if (!printed) tell(this, QStringLiteral("Unable to Print!"));
}

void PlanWindow::exportChart() {
    if (!haveResults(QStringLiteral("No Signal to Export!"))) return;
    const QString path =
        withSuffix(dialogs().saveFileNameIn(this, QStringLiteral("Chart (*.svg;*.png;*.pdf)|*.svg;*.png;*.pdf"),
                                            lastFolder(QStringLiteral("export"))),
                   QStringLiteral(".svg"));
    if (path.isEmpty()) return;
    rememberFolderOf(QStringLiteral("export"), path);
    const QString failure = writeChartFile(path, {*chartSheet()});
    if (!failure.isEmpty()) tell(this, failure, kFileError, Icon::Critical);
}

void PlanWindow::exportResults() {
    if (!haveResults(QStringLiteral("No Signal to Export!"))) return;
    const QString path = withSuffix(dialogs().saveFileNameIn(this, QStringLiteral("Comma-Separated Values (*.csv)|*.csv"),
                                                             lastFolder(QStringLiteral("export"))),
                                    QStringLiteral(".csv"));
    if (path.isEmpty()) return;
    rememberFolderOf(QStringLiteral("export"), path);
    const QString failure = writeWholeFile(path, resultsCsv().toUtf8());
    if (!failure.isEmpty()) tell(this, failure, kFileError, Icon::Critical);
}

}  // namespace tavimo::ui
