// SPDX-License-Identifier: MIT
#include "draw/chart_files.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include "io/atomic_file.h"

namespace tavimo::ui {

namespace {

constexpr int kScreenDpi = 96;
constexpr qreal kPngDetail = 2;
constexpr int kPdfDpi = 600;

// The generator writes its title and description as they are, so a name holding "&"
// or "<" would not be XML: the picture is drawn without them and copied through an
// XML writer, which puts them in escaped. Any text the generator left unescaped
// stops the copy instead of reaching the file.
std::variant<QByteArray, QString> withTitle(const QByteArray& drawn, const QString& title, const QString& description) {
    QXmlStreamReader in(drawn);
    in.setNamespaceProcessing(false);  // names and xmlns attributes copied as written
    QByteArray copy;
    QXmlStreamWriter out(&copy);
    int depth = 0;
    while (!in.atEnd()) {
        in.readNext();
        if (in.isStartElement()) {
            ++depth;
            if (depth == 2 && (in.name() == QLatin1String("title") || in.name() == QLatin1String("desc"))) {
                in.skipCurrentElement();
                --depth;
                continue;
            }
        }
        if (in.isEndElement()) --depth;
        out.writeCurrentToken(in);
        if (in.isStartElement() && depth == 1) {
            out.writeTextElement(QStringLiteral("title"), title);
            out.writeTextElement(QStringLiteral("desc"), description);
        }
    }
    if (in.hasError()) return QStringLiteral("the picture is not well-formed (%1)").arg(in.errorString());
    return copy;
}

std::variant<QByteArray, QString> svgBytes(const ChartSheet& sheet) {
    return sheetFileBytes(ChartFormat::Svg, chartSheetSize(), sheet.title, QStringLiteral("Ring-barrier chart"), {},
                          [&sheet](QPainter& p, const QRectF& target) { paintChartSheet(p, sheet, target); });
}

std::variant<QByteArray, QString> pngBytes(const ChartSheet& sheet) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!chartImage(sheet).save(&buffer, "PNG")) return QStringLiteral("the picture cannot be encoded");
    return bytes;
}

std::variant<QByteArray, QString> pdfBytes(const QList<ChartSheet>& sheets) {
    // A page the size of the picture, so that it goes into a document as it is.
    const QSizeF size = chartSheetSize();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kPdfDpi);
        pdf.setPageSize(QPageSize(QSizeF(size.width() * 72 / kScreenDpi, size.height() * 72 / kScreenDpi),
                                  QPageSize::Point, QStringLiteral("Chart"), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(sheets.front().title);
        QPainter p;
        if (!p.begin(&pdf)) return QStringLiteral("the document cannot be started");
        for (int i = 0; i < sheets.size(); ++i) {
            if (i > 0 && !pdf.newPage()) return QStringLiteral("a page cannot be added");
            paintChartSheet(p, sheets[i], QRectF(0, 0, pdf.width(), pdf.height()));
        }
        if (!p.end()) return QStringLiteral("the document cannot be finished");
    }
    return bytes;
}

}  // namespace

std::variant<QByteArray, QString> sheetFileBytes(ChartFormat format, const QSizeF& size, const QString& title,
                                                 const QString& description, const QString& pageName,
                                                 const std::function<void(QPainter&, const QRectF&)>& paint) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (format) {
    case ChartFormat::Svg: {
        {
            QSvgGenerator svg;
            svg.setOutputDevice(&buffer);
            svg.setSize(size.toSize());
            svg.setViewBox(QRectF(QPointF(0, 0), size));
            svg.setResolution(kScreenDpi);
            QPainter p;
            if (!p.begin(&svg)) return QStringLiteral("the picture cannot be started");
            paint(p, QRectF(QPointF(0, 0), size));
            p.end();
        }
        return withTitle(bytes, title, description);
    }
    case ChartFormat::Png: {
        QImage image((size * kPngDetail).toSize(), QImage::Format_RGB32);
        image.setDevicePixelRatio(kPngDetail);
        image.fill(Qt::white);
        QPainter p(&image);
        paint(p, QRectF(QPointF(0, 0), size));
        p.end();
        if (!image.save(&buffer, "PNG")) return QStringLiteral("the picture cannot be encoded");
        return bytes;
    }
    case ChartFormat::Pdf: {
        {
            QPdfWriter pdf(&buffer);
            pdf.setResolution(kPdfDpi);
            pdf.setPageSize(QPageSize(QSizeF(size.width() * 72 / kScreenDpi, size.height() * 72 / kScreenDpi),
                                      QPageSize::Point, pageName, QPageSize::ExactMatch));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setTitle(title);
            QPainter p;
            if (!p.begin(&pdf)) return QStringLiteral("the document cannot be started");
            paint(p, QRectF(0, 0, pdf.width(), pdf.height()));
            if (!p.end()) return QStringLiteral("the document cannot be finished");
        }
        return bytes;
    }
    }
    return QStringLiteral("no such picture format");
}

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

std::variant<QByteArray, QString> chartFileBytes(ChartFormat format, const QList<ChartSheet>& sheets) {
    if (sheets.isEmpty()) return QStringLiteral("no calculated signal to draw");
    if (format != ChartFormat::Pdf && sheets.size() != 1) return QStringLiteral("an .svg or .png file holds one chart");
    switch (format) {
    case ChartFormat::Svg: return svgBytes(sheets.front());
    case ChartFormat::Png: return pngBytes(sheets.front());
    case ChartFormat::Pdf: break;
    }
    return pdfBytes(sheets);
}

std::variant<QByteArray, QString> reportFileBytes(const QList<ReportPage>& pages) {
    if (pages.isEmpty()) return QStringLiteral("no calculated signal to report");
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kPdfDpi);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        pdf.setTitle(pages.front().titleBlock.value(0));
        QPainter p;
        if (!p.begin(&pdf) || !paintReports(p, pdf, pages) || !p.end())
            return QStringLiteral("the document cannot be drawn");
    }
    return bytes;
}

QString writeWholeFile(const QString& path, const QByteArray& bytes) {
    const std::optional<FileWriteFailure> failed = writeFileAtomically(
        QFile::encodeName(path).toStdString(), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!failed) return {};
    return QStringLiteral("cannot write %1: %2").arg(path, QString::fromLocal8Bit(failed->reason.c_str()));
}

QString writeChartFile(const QString& path, const QList<ChartSheet>& sheets) {
    const std::optional<ChartFormat> format = chartFormatOf(path);
    if (!format) return QStringLiteral("cannot write %1: a chart is written as .svg, .png or .pdf").arg(path);
    std::variant<QByteArray, QString> drawn = chartFileBytes(*format, sheets);
    if (const QString* why = std::get_if<QString>(&drawn)) return QStringLiteral("cannot write %1: %2").arg(path, *why);
    return writeWholeFile(path, std::get<QByteArray>(drawn));
}

}  // namespace tavimo::ui
