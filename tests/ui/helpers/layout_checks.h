// SPDX-License-Identifier: MIT
// Checks of a laid-out window as a user sees it.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QWidget>
#include <QtTest>

#include "helpers/widgets.h"

namespace tavimo::ui::test {

// Pairs of controls of `window` that touch or overlap: every visible button, text box,
// label and frame must stand at least `gap` pixels from every other one that is not
// inside it. An empty list when all stand apart.
QStringList touchingControls(QWidget* window, int gap = 2);

// A dialog as the keyboard and the eye meet it: Tab visits `order`, the first control
// of it has the focus when the dialog opens, and no two controls touch.
void checkKeyboardOrderAndRoom(QWidget* dialog, const QStringList& order);

}  // namespace tavimo::ui::test
