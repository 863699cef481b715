// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <QWidget>

namespace tavimo::ui {

// Controls that exist once per position (or per picture) are control arrays: every
// element carries the array's object name ("split", "ImageCombo", "Phasepic1",
// "Mode", ...) and its element number in the dynamic property "index" (1..8 for the
// per-position arrays, 0..15 for Phasepic1, 0 and 1 for Mode).
inline constexpr const char* kIndexProperty = "index";

inline void makeArrayElement(QWidget* w, const QString& name, int index) {
    w->setObjectName(name);
    w->setProperty(kIndexProperty, index);
}

// Element `index` of the control array `name` under `root`, or nullptr.
template <class T>
T* arrayElement(const QWidget* root, const QString& name, int index) {
    const QList<T*> found = root->findChildren<T*>(name);
    for (T* w : found)
        if (w->property(kIndexProperty).isValid() && w->property(kIndexProperty).toInt() == index) return w;
    return nullptr;
}

}  // namespace tavimo::ui
