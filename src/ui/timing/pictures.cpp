// SPDX-License-Identifier: MIT
#include "ui/timing/pictures.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include <array>

namespace tavimo::ui {

namespace {

constexpr int kArrowSize = 18;  // logical pixels: the arrows are 13 to 20 pixels

// Drawn for a northbound vehicle in a 20 x 20 box (y grows downwards): a through arrow
// straight up, a left turn up and then round to the left.
QPainterPath northbound(bool leftTurn) {
    QPainterPath stem;
    if (leftTurn) {
        stem.moveTo(13, 19);
        stem.lineTo(13, 11);
        stem.quadTo(13, 6, 8, 6);
    } else {
        stem.moveTo(10, 19);
        stem.lineTo(10, 6);
    }
    return stem;
}

QPolygonF northboundHead(bool leftTurn) {
    if (leftTurn) return QPolygonF({QPointF(1.5, 6), QPointF(8.5, 1.5), QPointF(8.5, 10.5)});
    return QPolygonF({QPointF(10, 1), QPointF(5.5, 8), QPointF(14.5, 8)});
}

QPixmap drawArrow(double degrees, bool leftTurn) {
    const qreal ratio = 2;  // drawn at twice the size, so it stays sharp when scaled up
    QPixmap pixmap(QSize(kArrowSize, kArrowSize) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(kArrowSize / 20.0, kArrowSize / 20.0);
    p.translate(10, 10);
    p.rotate(degrees);
    p.translate(-10, -10);
    const QColor red(215, 0, 0);
    p.setPen(QPen(red, 2.6, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(northbound(leftTurn));
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawPolygon(northboundHead(leftTurn));
    return pixmap;
}

struct ArrowSpec {
    const char* key;
    double degrees;  // clockwise from northbound
    bool leftTurn;
};

constexpr std::array<ArrowSpec, 8> kArrows{{
    {"NB", 0, true},   {"NBT", 0, false}, {"WBL", 270, true}, {"WBT", 270, false},
    {"SBL", 180, true}, {"SBT", 180, false}, {"EBL", 90, true}, {"EBT", 90, false},
}};

}  // namespace

QIcon movementIcon(int picture) {
    if (picture < 1 || picture > 8) return {};
    // Built once: the pull-downs compare icons to tell whether a list changed.
    // Kept for the life of the process (never destroyed after the application).
    static auto* icons = new std::array<QIcon, 8>;
    QIcon& icon = (*icons)[picture - 1];
    if (icon.isNull()) {
        const ArrowSpec& a = kArrows[picture - 1];
        icon = QIcon(drawArrow(a.degrees, a.leftTurn));
    }
    return icon;
}

QPixmap phasePicture(int phase) {
    const QSize size(34, 29);  // 510 x 435 twips
    const qreal ratio = 2;
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont symbol(QStringLiteral("DejaVu Serif"));
    symbol.setPixelSize(19);
    symbol.setBold(true);
    QFont number = QGuiApplication::font();
    number.setPixelSize(13);
    number.setBold(true);
    p.setPen(QColor(0, 0, 128));
    p.setFont(symbol);
    const QRect symbolBox(2, 1, 19, 26);
    p.drawText(symbolBox, Qt::AlignCenter, QString(QChar(0x03A6)));
    p.setFont(number);
    p.drawText(QRect(20, 9, 13, 18), Qt::AlignLeft | Qt::AlignBottom, QString::number(phase));
    return pixmap;
}

}  // namespace tavimo::ui
