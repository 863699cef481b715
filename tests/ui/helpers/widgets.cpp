// SPDX-License-Identifier: MIT
#include "helpers/widgets.h"

namespace tavimo::ui::test {

void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QStringList keyboardOrder(QWidget* window, const QStringList& names) {
    QStringList visited;
    QWidget* w = child<QWidget>(window, qPrintable(names.first()));
    for (int steps = 0; visited.size() < names.size() && steps < 1000; ++steps) {
        if (names.contains(w->objectName()) && !visited.contains(w->objectName())) visited << w->objectName();
        w = w->nextInFocusChain();
    }
    return visited;
}

}  // namespace tavimo::ui::test
