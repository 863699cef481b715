// SPDX-License-Identifier: MIT
// The drawing library of tavimo-calc: charts and reports without a display.
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

#include "calc/worksheet.h"
#include "cli/draw_request.h"
#include "draw/chart_files.h"

namespace {

using namespace tavimo;
using namespace tavimo::ui;

// Qt's notes about the session (no runtime directory, say) are no concern of a
// calculator's user; its errors still reach standard error.
void quietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(message));
}

void startGui() {
    if (QCoreApplication::instance()) return;
    qInstallMessageHandler(quietQtNotes);
    // Nothing is shown: the offscreen platform draws the same with or without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tavimo-calc";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

// FILE.svg of a signal of many becomes FILE-<id>.svg beside it.
QString pathFor(const QString& path, const std::string& id) {
    if (id.empty()) return path;
    const QFileInfo info(path);
    const QString stem = info.completeBaseName() + QLatin1Char('-') + QString::fromStdString(id);
    return info.dir().filePath(stem + QLatin1Char('.') + info.suffix());
}

std::string writeCharts(const cli::DrawRequest& request) {
    const QString path = QString::fromStdString(request.chartPath);
    QList<ChartSheet> sheets;
    for (const cli::DrawnSignal& s : request.calculated) sheets.append(chartSheetOf(s.signal->state));
    if (chartFormatOf(path) == ChartFormat::Pdf) return writeChartFile(path, sheets).toStdString();
    for (int i = 0; i < sheets.size(); ++i) {
        const QString failed = writeChartFile(pathFor(path, request.calculated[static_cast<std::size_t>(i)].id), {sheets[i]});
        if (!failed.isEmpty()) return failed.toStdString();
    }
    return {};
}

std::string writeReports(const cli::DrawRequest& request) {
    const QString date = QDate::currentDate().toString(Qt::ISODate);
    QList<ReportPage> pages;
    for (const cli::DrawnSignal& s : request.calculated) {
        const CalculatedSignal& signal = *s.signal;
        pages.append(reportPageOf(signal.state, controllerWorksheet(signal.state.plan, signal.outcome.values),
                                  QFileInfo(QString::fromStdString(s.fileName)).fileName(), date));
    }
    return writeReportFile(QString::fromStdString(request.reportPath), pages).toStdString();
}

}  // namespace

extern "C" __attribute__((visibility("default"))) std::string tavimo_draw(const cli::DrawRequest& request) {
    startGui();
    if (!request.chartPath.empty())
        if (std::string failed = writeCharts(request); !failed.empty()) return failed;
    if (!request.reportPath.empty()) return writeReports(request);
    return {};
}
