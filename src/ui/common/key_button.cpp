// SPDX-License-Identifier: MIT
#include "ui/common/key_button.h"

#include <QKeyEvent>

namespace tavimo::ui {

bool isEnterKey(const QKeyEvent* event) {
    const int key = event->key();
    return (key == Qt::Key_Return || key == Qt::Key_Enter) && (event->modifiers() & ~Qt::KeypadModifier) == 0;
}

void KeyButton::keyPressEvent(QKeyEvent* event) {
    if (isEnterKey(event)) {
        animateClick();
        return;
    }
    QPushButton::keyPressEvent(event);
}

}  // namespace tavimo::ui
