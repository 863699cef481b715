// SPDX-License-Identifier: MIT
// Finding and driving the controls of the application's windows in tests.
#pragma once

#include <QCoreApplication>
#include <QStringList>
#include <QWidget>

namespace tavimo::ui::test {

// Lets the windows finish what they queued: closed dialogs are deleted, posted events
// delivered.
inline void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The control `name` of `parent`; a missing control ends the test run, since every
// check after it would be about nothing.
template <typename T>
T* child(QWidget* parent, const char* name) {
    T* found = parent->findChild<T*>(QLatin1String(name));
    if (!found) qFatal("no child %s", name);
    return found;
}

// The order in which Tab visits the controls `names` of `window`, starting at the
// first of them.
inline QStringList keyboardOrder(QWidget* window, const QStringList& names) {
    QStringList visited;
    QWidget* w = child<QWidget>(window, qPrintable(names.first()));
    for (int steps = 0; visited.size() < names.size() && steps < 1000; ++steps) {
        if (names.contains(w->objectName()) && !visited.contains(w->objectName())) visited << w->objectName();
        w = w->nextInFocusChain();
    }
    return visited;
}

}  // namespace tavimo::ui::test
