// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmap>

namespace tavimo::ui {

// The maker's logo of the dialogs (LogoNew): a signal head beside the name,
// drawn in code so that no picture file has to travel with the program.
QPixmap tavimoLogo();

}  // namespace tavimo::ui
