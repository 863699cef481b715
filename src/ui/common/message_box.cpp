// SPDX-License-Identifier: MIT
#include "ui/common/message_box.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace tavimo::ui {

namespace {
// Room beside the title: the window icon, the close, maximise and minimise buttons and
// the bar's margins, as common window managers draw them.
constexpr int kTitleBarExtras = 150;
}  // namespace

int titleBarWidthFor(const QMessageBox& box) {
    // Title bars tend to use a bold face of the desktop's font.
    QFont font = box.font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(box.windowTitle()) + kTitleBarExtras;
}

void makeRoomForTitle(QMessageBox& box) {
    // QMessageBox sizes itself from its text and ignores a minimum width; a spacer
    // across its grid is what it honours.
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    grid->addItem(new QSpacerItem(titleBarWidthFor(box), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace tavimo::ui
