// SPDX-License-Identifier: MIT
#pragma once

#include <QPushButton>

class QKeyEvent;

namespace tavimo::ui {

// Enter: the main keyboard's Return or Enter, or the keypad's Enter, with no other
// modifier held.
bool isEnterKey(const QKeyEvent* event);

// A push button that Enter presses while it has the focus, as Space does, whether or
// not it is the dialog's default button.
class KeyButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tavimo::ui
