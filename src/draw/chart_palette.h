// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>

namespace tavimo::ui::palette {

// The colours of the ring-barrier chart, one set for the window, paper and pictures.
inline const QColor kGreen{0x00, 0xc0, 0x00};
inline const QColor kYellow{0xff, 0xff, 0x00};
inline const QColor kRed{0xff, 0x00, 0x00};
inline const QColor kBarOutline{0x30, 0x30, 0x30};
inline const QColor kWindow{0xa8, 0xd4, 0xff};
inline const QColor kWindowOutline{0x20, 0x30, 0x50};
inline const QColor kBarrier{Qt::black};
inline const QColor kDeadSide{Qt::black};
inline const QColor kLocalZero{0x00, 0x00, 0xff};
inline const QColor kText{Qt::black};

}  // namespace tavimo::ui::palette
