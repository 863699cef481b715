// SPDX-License-Identifier: MIT
#include "draw/chart_files.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace tavimo::ui {

namespace {

constexpr int kScreenDpi = 96;
constexpr qreal kPngDetail = 2;
constexpr int kPdfDpi = 600;

QString cannotWrite(const QString& path, const QString& why) {
    return QStringLiteral("%1: cannot be written (%2)").arg(path, why);
}

// Opens `file` for a new version of `path`; commit() replaces the old one at the end.
QString open(QSaveFile& file, const QString& path) {
    if (!file.open(QIODevice::WriteOnly)) return cannotWrite(path, file.errorString());
    return {};
}

QString commit(QSaveFile& file, const QString& path) {
    if (!file.commit()) return cannotWrite(path, file.errorString());
    return {};
}

QString writeSvg(QSaveFile& file, const ChartSheet& sheet) {
    const QSizeF size = chartSheetSize();
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(size.toSize());
    svg.setViewBox(QRectF(QPointF(0, 0), size));
    svg.setResolution(kScreenDpi);
    svg.setTitle(sheet.title);
    svg.setDescription(QStringLiteral("Ring-barrier chart"));
    QPainter p;
    if (!p.begin(&svg)) return QStringLiteral("the picture cannot be started");
    paintChartSheet(p, sheet, QRectF(QPointF(0, 0), size));
    p.end();
    return {};
}

QString writePdf(QSaveFile& file, const QList<ChartSheet>& sheets) {
    // A page the size of the picture, so that it goes into a document as it is.
    const QSizeF size = chartSheetSize();
    QPdfWriter pdf(&file);
    pdf.setResolution(kPdfDpi);
    pdf.setPageSize(QPageSize(QSizeF(size.width() * 72 / kScreenDpi, size.height() * 72 / kScreenDpi),
                              QPageSize::Point, QStringLiteral("Chart"), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    if (!sheets.isEmpty()) pdf.setTitle(sheets.front().title);
    QPainter p;
    if (!p.begin(&pdf)) return QStringLiteral("the document cannot be started");
    for (int i = 0; i < sheets.size(); ++i) {
        if (i > 0 && !pdf.newPage()) return QStringLiteral("a page cannot be added");
        paintChartSheet(p, sheets[i], QRectF(0, 0, pdf.width(), pdf.height()));
    }
    p.end();
    return {};
}

}  // namespace

std::optional<ChartFormat> chartFormatOf(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("svg")) return ChartFormat::Svg;
    if (ext == QLatin1String("png")) return ChartFormat::Png;
    if (ext == QLatin1String("pdf")) return ChartFormat::Pdf;
    return std::nullopt;
}

QImage chartImage(const ChartSheet& sheet) {
    const QSizeF size = chartSheetSize();
    QImage image((size * kPngDetail).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(kPngDetail);
    image.fill(Qt::white);
    QPainter p(&image);
    paintChartSheet(p, sheet, QRectF(QPointF(0, 0), size));
    p.end();
    return image;
}

QString writeChartFile(const QString& path, const QList<ChartSheet>& sheets) {
    const std::optional<ChartFormat> format = chartFormatOf(path);
    if (!format) return QStringLiteral("%1: the chart is written as .svg, .png or .pdf").arg(path);
    if (sheets.isEmpty()) return QStringLiteral("%1: no calculated signal to draw").arg(path);
    if (*format != ChartFormat::Pdf && sheets.size() != 1)
        return QStringLiteral("%1: an .svg or .png file holds one chart").arg(path);

    QSaveFile file(path);
    if (QString failed = open(file, path); !failed.isEmpty()) return failed;
    QString failed;
    switch (*format) {
    case ChartFormat::Svg:
        failed = writeSvg(file, sheets.front());
        break;
    case ChartFormat::Png:
        if (!chartImage(sheets.front()).save(&file, "PNG")) failed = QStringLiteral("the picture cannot be encoded");
        break;
    case ChartFormat::Pdf:
        failed = writePdf(file, sheets);
        break;
    }
    if (!failed.isEmpty()) {
        file.cancelWriting();
        return cannotWrite(path, failed);
    }
    return commit(file, path);
}

QString writeReportFile(const QString& path, const QList<ReportPage>& pages) {
    if (chartFormatOf(path) != ChartFormat::Pdf) return QStringLiteral("%1: the report is written as .pdf").arg(path);
    if (pages.isEmpty()) return QStringLiteral("%1: no calculated signal to report").arg(path);
    QSaveFile file(path);
    if (QString failed = open(file, path); !failed.isEmpty()) return failed;
    QPdfWriter pdf(&file);
    pdf.setResolution(kPdfDpi);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    pdf.setTitle(pages.front().titleBlock.value(0));
    QPainter p;
    if (!p.begin(&pdf) || !paintReports(p, pdf, pages)) {
        file.cancelWriting();
        return cannotWrite(path, QStringLiteral("the document cannot be drawn"));
    }
    p.end();
    return commit(file, path);
}

}  // namespace tavimo::ui
