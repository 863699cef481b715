// SPDX-License-Identifier: MIT
#include "ui/main/print_signal.h"

#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QWidget>

namespace tavimo::ui {

namespace {

// Screen pixels are laid out at 15 twips each: 96 to the inch.
constexpr double kScreenDpi = 1440.0 / 15.0;

QRectF centredTarget(const QPixmap& image, const QRectF& page, int resolution) {
    const QSizeF logical = image.deviceIndependentSize();
    QSizeF size(logical.width() * resolution / kScreenDpi, logical.height() * resolution / kScreenDpi);
    if (size.width() > page.width() || size.height() > page.height())
        size.scale(page.size(), Qt::KeepAspectRatio);
    return QRectF(page.left() + (page.width() - size.width()) / 2, page.top() + (page.height() - size.height()) / 2,
                  size.width(), size.height());
}

}  // namespace

bool printWindowImage(const QPixmap& image, QPrinter& printer, int copies) {
    if (image.isNull() || copies < 1) return false;
    printer.setCopyCount(1);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRectF page(0, 0, printer.width(), printer.height());
    const QRectF target = centredTarget(image, page, printer.resolution());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int copy = 0; copy < copies; ++copy) {
        if (copy > 0 && !printer.newPage()) {
            painter.end();
            return false;
        }
        painter.drawPixmap(target, image, QRectF(image.rect()));
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

}  // namespace tavimo::ui
