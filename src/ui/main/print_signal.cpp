// SPDX-License-Identifier: MIT
#include "ui/main/print_signal.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QWidget>

namespace tavimo::ui {

namespace {

// Screen pixels are laid out at 15 twips each: 96 to the inch.
constexpr double kScreenDpi = 1440.0 / 15.0;

// The window's place on the page, and the scale from its pixels to the printer's.
struct Placement {
    QRectF target;
    double scale;
};

Placement centred(QSizeF logical, const QRectF& page, int resolution, double headerHeight) {
    double scale = resolution / kScreenDpi;
    // Room for the header above the window and as much below, so that it stays centred.
    const QSizeF room(page.width(), page.height() - 2 * headerHeight);
    scale = std::min({scale, room.width() / logical.width(), room.height() / logical.height()});
    const QSizeF size = logical * scale;
    return {QRectF(page.left() + (page.width() - size.width()) / 2, page.top() + (page.height() - size.height()) / 2,
                   size.width(), size.height()),
            scale};
}

}  // namespace

bool printWindow(QWidget* window, QPrinter& printer, int copies, const QString& header) {
    if (!window || window->width() <= 0 || window->height() <= 0 || copies < 1) return false;
    printer.setCopyCount(1);
    // The window's own units: its recorded fonts are sized for 96 dpi. A vector page
    // has no pixels to lose; the printer prints it at its own resolution.
    printer.setResolution(int(kScreenDpi));
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRectF page(0, 0, printer.width(), printer.height());
    QFont font;
    font.setPointSizeF(9);
    const QFontMetricsF metrics(font, &printer);
    const double headerHeight = header.isEmpty() ? 0 : metrics.height() * 2;
    const Placement at = centred(QSizeF(window->size()), page, printer.resolution(), headerHeight);
    // Qt renders a window straight onto a printer through a picture of pixels;
    // recorded as drawing commands first, it reaches the page as text and lines.
    QPicture drawing;
    window->render(&drawing, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    for (int copy = 0; copy < copies; ++copy) {
        if (copy > 0 && !printer.newPage()) {
            painter.end();
            return false;
        }
        painter.save();
        painter.translate(at.target.topLeft());
        painter.scale(at.scale, at.scale);
        painter.drawPicture(0, 0, drawing);
        painter.restore();
        if (!header.isEmpty()) {
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(at.target.left(), at.target.top() - headerHeight, at.target.width(), headerHeight),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                             metrics.elidedText(header, Qt::ElideRight, at.target.width()));
        }
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

}  // namespace tavimo::ui
