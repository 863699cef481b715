// SPDX-License-Identifier: MIT
#pragma once

class QMessageBox;

namespace tavimo::ui {

// Widens a message box so that the window manager's title bar shows its whole title
// beside the bar's buttons: a short text such as "Unable to Print!" would otherwise
// leave the title "Tavimo" cut to "T… o".
void makeRoomForTitle(QMessageBox& box);

// The width a message box needs for `title` in its title bar, in pixels.
int titleBarWidthFor(const QMessageBox& box);

}  // namespace tavimo::ui
