// SPDX-License-Identifier: MIT
#include "helpers/layout_checks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include "helpers/widgets.h"

namespace tavimo::ui::test {

QStringList touchingControls(QWidget* window, int gap) {
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

void checkKeyboardOrderAndRoom(QWidget* dialog, const QStringList& order) {
    QCOMPARE(keyboardOrder(dialog, order), order);
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(dialog, qPrintable(order.first())));
    const QStringList touching = touchingControls(dialog);
    QVERIFY2(touching.isEmpty(), qPrintable(touching.join(", ")));
}

}  // namespace tavimo::ui::test
