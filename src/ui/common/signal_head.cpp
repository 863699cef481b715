// SPDX-License-Identifier: MIT
#include "ui/common/signal_head.h"

#include <QPainter>

namespace tavimo::ui {

void drawSignalHead(QPainter& p, const QRectF& housing, qreal cornerRadius, qreal lensRadius) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x30, 0x30));
    p.drawRoundedRect(housing, cornerRadius, cornerRadius);
    const QColor lenses[] = {QColor(0xd0, 0x20, 0x20), QColor(0xf0, 0xb0, 0x10), QColor(0x20, 0xb0, 0x40)};
    const qreal third = housing.height() / 3;
    for (int i = 0; i < 3; ++i) {
        p.setBrush(lenses[i]);
        p.drawEllipse(QPointF(housing.center().x(), housing.top() + third * (i + 0.5)), lensRadius, lensRadius);
    }
    p.restore();
}

}  // namespace tavimo::ui
