// SPDX-License-Identifier: MIT
#include "ui/main/button_pictures.h"

#include <QPainter>
#include <QPolygon>

#include "ui/common/signal_head.h"

namespace tavimo::ui {

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 15;

// Pixel pictures are drawn without smoothing so each line lands on whole pixels.
QPixmap blankPicture() {
    QPixmap picture(kWidth, kHeight);
    picture.fill(Qt::transparent);
    return picture;
}

const QColor kOutline(0x20, 0x20, 0x20);

}  // namespace

QPixmap newPagePicture() {
    QPixmap picture = blankPicture();
    QPainter p(&picture);
    p.setPen(kOutline);
    p.setBrush(Qt::white);
    // A sheet with its top right corner folded over.
    p.drawPolygon(QPolygon({QPoint(3, 1), QPoint(10, 1), QPoint(13, 4), QPoint(13, 14), QPoint(3, 14)}));
    p.setBrush(QColor(0xc8, 0xc8, 0xc8));
    p.drawPolygon(QPolygon({QPoint(10, 1), QPoint(10, 4), QPoint(13, 4)}));
    return picture;
}

QPixmap openFolderPicture() {
    QPixmap picture = blankPicture();
    QPainter p(&picture);
    p.setPen(kOutline);
    // Back of the folder with its tab, then the open front flap.
    p.setBrush(QColor(0xd8, 0xa8, 0x30));
    p.drawPolygon(QPolygon({QPoint(1, 3), QPoint(5, 3), QPoint(6, 4), QPoint(12, 4), QPoint(12, 13), QPoint(1, 13)}));
    p.setBrush(QColor(0xf8, 0xd8, 0x60));
    p.drawPolygon(QPolygon({QPoint(1, 13), QPoint(4, 7), QPoint(15, 7), QPoint(12, 13)}));
    // The arrow of "open".
    p.setPen(QColor(0x20, 0x60, 0xc0));
    p.drawLine(9, 2, 12, 0);
    p.drawLine(12, 0, 14, 2);
    return picture;
}

QPixmap floppyPicture() {
    QPixmap picture = blankPicture();
    QPainter p(&picture);
    p.setPen(kOutline);
    p.setBrush(QColor(0x30, 0x50, 0x90));
    p.drawPolygon(QPolygon({QPoint(1, 1), QPoint(13, 1), QPoint(14, 2), QPoint(14, 13), QPoint(1, 13)}));
    // Label at the top, metal shutter at the bottom.
    p.setBrush(Qt::white);
    p.drawRect(3, 1, 8, 5);
    p.setBrush(QColor(0xb0, 0xb0, 0xb0));
    p.drawRect(4, 9, 7, 4);
    p.setPen(QColor(0x30, 0x50, 0x90));
    p.drawLine(9, 10, 9, 12);
    return picture;
}

QPixmap printerPicture() {
    QPixmap picture = blankPicture();
    QPainter p(&picture);
    p.setPen(kOutline);
    // Paper in the feed, the printer body, the printed sheet coming out.
    p.setBrush(Qt::white);
    p.drawRect(4, 0, 7, 5);
    p.setBrush(QColor(0xa0, 0xa0, 0xa0));
    p.drawRect(1, 5, 13, 6);
    p.setBrush(Qt::white);
    p.drawRect(4, 10, 7, 4);
    p.setPen(QColor(0x20, 0xa0, 0x40));
    p.drawPoint(12, 7);
    return picture;
}

QIcon applicationIcon() {
    QPixmap icon(32, 32);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    drawSignalHead(p, QRectF(9, 1, 14, 30), 3, 4);
    p.end();
    return QIcon(icon);
}

}  // namespace tavimo::ui
