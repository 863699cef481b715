// SPDX-License-Identifier: MIT
#include "ui/dialogs/logo.h"

#include <QFont>
#include <QPainter>

#include "ui/common/signal_head.h"

namespace tavimo::ui {

QPixmap tavimoLogo() {
    QPixmap logo(150, 64);
    logo.fill(Qt::transparent);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);

    drawSignalHead(p, QRectF(4, 2, 22, 60), 5, 7);
    p.setPen(Qt::NoPen);

    // Two rings of phases meeting at a barrier: the ring-and-barrier diagram in
    // miniature. Each phase is green, then amber, then all-red.
    const QColor green(0x20, 0xa0, 0x40), amber(0xf0, 0xc0, 0x10), red(0xd0, 0x20, 0x20);
    auto phase = [&](qreal from, qreal to, qreal top) {
        p.setBrush(green);
        p.drawRect(QRectF(from, top, to - from - 8, 6));
        p.setBrush(amber);
        p.drawRect(QRectF(to - 8, top, 5, 6));
        p.setBrush(red);
        p.drawRect(QRectF(to - 3, top, 3, 6));
    };
    phase(34, 62, 44);
    phase(62, 90, 44);
    phase(90, 146, 44);
    phase(34, 90, 53);
    phase(90, 118, 53);
    phase(118, 146, 53);
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(QPointF(90, 40), QPointF(90, 62));

    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(26);
    font.setBold(true);
    font.setItalic(true);
    p.setFont(font);
    p.setPen(QColor(0x10, 0x40, 0x80));
    p.drawText(QRectF(32, 0, 118, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tavimo"));
    return logo;
}

}  // namespace tavimo::ui
