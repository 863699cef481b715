// SPDX-License-Identifier: MIT
// Finding and driving the controls of the application's windows in tests.
#pragma once

#include <QCoreApplication>
#include <QStringList>
#include <QWidget>

namespace tavimo::ui::test {

// Lets the windows finish what they queued: closed dialogs are deleted, posted events
// delivered.
void settle();

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
QStringList keyboardOrder(QWidget* window, const QStringList& names);

}  // namespace tavimo::ui::test
