// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QPixmap>

namespace tavimo::ui {

// The image list of the movement pull-downs, pictures 1..8: red arrows for the
// northbound left turn ("NB") and through ("NBT"), then westbound ("WBL", "WBT"),
// southbound ("SBL", "SBT") and eastbound ("EBL", "EBT"). An empty icon for any
// other number.
QIcon movementIcon(int picture);

// The phase-number picture of phase 1..8: the phase symbol and the number.
QPixmap phasePicture(int phase);

}  // namespace tavimo::ui
