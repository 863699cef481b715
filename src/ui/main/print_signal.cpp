// SPDX-License-Identifier: MIT
#include "ui/main/print_signal.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QWidget>

namespace tavimo::ui {

namespace {

// Screen pixels are laid out at 15 twips each: 96 to the inch.
constexpr double kScreenDpi = 1440.0 / 15.0;

QRectF centredTarget(const QPixmap& image, const QRectF& page, int resolution, double headerHeight) {
    const QSizeF logical = image.deviceIndependentSize();
    QSizeF size(logical.width() * resolution / kScreenDpi, logical.height() * resolution / kScreenDpi);
    // Room for the header above the image and as much below, so that it stays centred.
    const QSizeF room(page.width(), page.height() - 2 * headerHeight);
    if (size.width() > room.width() || size.height() > room.height()) size.scale(room, Qt::KeepAspectRatio);
    return QRectF(page.left() + (page.width() - size.width()) / 2, page.top() + (page.height() - size.height()) / 2,
                  size.width(), size.height());
}

}  // namespace

bool printWindowImage(const QPixmap& image, QPrinter& printer, int copies, const QString& header) {
    if (image.isNull() || copies < 1) return false;
    printer.setCopyCount(1);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRectF page(0, 0, printer.width(), printer.height());
    QFont font;
    font.setPointSizeF(9);
    const QFontMetricsF metrics(font, &printer);
    const double headerHeight = header.isEmpty() ? 0 : metrics.height() * 2;
    const QRectF target = centredTarget(image, page, printer.resolution(), headerHeight);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int copy = 0; copy < copies; ++copy) {
        if (copy > 0 && !printer.newPage()) {
            painter.end();
            return false;
        }
        painter.drawPixmap(target, image, QRectF(image.rect()));
        if (!header.isEmpty()) {
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(target.left(), target.top() - headerHeight, target.width(), headerHeight),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                             metrics.elidedText(header, Qt::ElideRight, target.width()));
        }
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

QPixmap printImageOf(QWidget* window) {
    constexpr qreal kDetail = 4;
    QPixmap image(window->size() * kDetail);
    image.setDevicePixelRatio(kDetail);
    image.fill(window->palette().color(window->backgroundRole()));
    window->render(&image);
    return image;
}

QString reportFileName(const SignalPlan& plan, const QString& folder) {
    const QFileInfo project(QString::fromStdString(plan.projectFile));
    QString name = plan.projectFile.empty() ? QString::fromStdString(plan.description) : project.completeBaseName();
    // A description such as "5139: Main & 1st" holds characters no file name may hold
    // on every system; a slash would even name a folder.
    for (QChar& c : name)
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c)) c = QLatin1Char(' ');
    name = name.simplified();
    while (name.startsWith(QLatin1Char('.'))) name = name.mid(1).trimmed();  // no hidden file
    if (name.isEmpty()) name = QStringLiteral("Untitled signal");
    name += QStringLiteral(".pdf");
    const QString place = !folder.isEmpty() ? folder : plan.projectFile.empty() ? QString() : project.absolutePath();
    return place.isEmpty() ? name : QDir(place).filePath(name);
}

}  // namespace tavimo::ui
