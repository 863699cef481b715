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
inline QStringList touchingControls(QWidget* window, int gap = 2) {
    QList<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                             qobject_cast<QLabel*>(w) || qobject_cast<QGroupBox*>(w);
        if (control && w->isVisibleTo(window)) controls << w;
    }
    auto name = [](const QWidget* w) {
        return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    };
    QStringList touching;
    for (int i = 0; i < controls.size(); ++i)
        for (int j = i + 1; j < controls.size(); ++j) {
            QWidget *a = controls[i], *b = controls[j];
            if (a->isAncestorOf(b) || b->isAncestorOf(a)) continue;
            const QRect ra(a->mapTo(window, QPoint()), a->size()), rb(b->mapTo(window, QPoint()), b->size());
            if (ra.adjusted(-gap + 1, -gap + 1, gap - 1, gap - 1).intersects(rb))
                touching << name(a) + QStringLiteral(" / ") + name(b);
        }
    return touching;
}

// A dialog as the keyboard and the eye meet it: Tab visits `order`, the first control
// of it has the focus when the dialog opens, and no two controls touch.
inline void checkKeyboardOrderAndRoom(QWidget* dialog, const QStringList& order) {
    QCOMPARE(keyboardOrder(dialog, order), order);
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(dialog, qPrintable(order.first())));
    const QStringList touching = touchingControls(dialog);
    QVERIFY2(touching.isEmpty(), qPrintable(touching.join(", ")));
}

}  // namespace tavimo::ui::test
