// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QPixmap>

namespace tavimo::ui {

// The 16 x 15 pictures of the button bar, drawn in code: a blank page (New), an
// opening folder (Open), a floppy disk (Save) and a printer (Print).
QPixmap newPagePicture();
QPixmap openFolderPicture();
QPixmap floppyPicture();
QPixmap printerPicture();

// The application's icon: a signal head.
QIcon applicationIcon();

}  // namespace tavimo::ui
