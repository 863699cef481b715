// SPDX-License-Identifier: MIT
#pragma once

#include <QRectF>

class QPainter;

namespace tavimo::ui {

// A three-lens signal head (red, amber, green from the top) filling `housing`: the
// dark housing with rounded corners and the lenses centred in equal thirds. Drawn for
// the dialogs' logo and the application's icon.
void drawSignalHead(QPainter& painter, const QRectF& housing, qreal cornerRadius, qreal lensRadius);

}  // namespace tavimo::ui
