// SPDX-License-Identifier: MIT
// Driving the timing window the way a user does: clicks, picks from drop-down lists,
// typing, leaving fields.
#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QtTest>

#include <memory>

#include "helpers/scripted_dialogs.h"
#include "ui/timing/control_array.h"
#include "ui/timing/form1.h"
#include "ui/timing/pick_list.h"
#include "ui/common/twips.h"

namespace tavimo::ui::test {

inline PickList* phasePullDown(Form1& form, int k) {
    return form.findChild<PickList*>(QStringLiteral("Phase%1").arg(k));
}
inline PickList* movementPullDown(Form1& form, int k) {
    return arrayElement<PickList>(&form, QStringLiteral("ImageCombo"), k);
}
inline QLineEdit* field(Form1& form, const char* name, int k) {
    return arrayElement<QLineEdit>(&form, QString::fromLatin1(name), k);
}
template <class T = QWidget>
T* named(Form1& form, const char* name) {
    return form.findChild<T*>(QString::fromLatin1(name));
}

// Shows the window and makes it the active one, so focus moves as it does for a user.
inline bool showActive(Form1& form) {
    form.show();
    QApplication::setActiveWindow(&form);
    return QTest::qWaitForWindowActive(&form);
}

// Clicks the pull-down (it takes the focus and drops its list) and picks entry `row`.
inline void pickRow(PickList* list, int row) {
    QTest::mouseClick(list, Qt::LeftButton);
    QAbstractItemView* view = list->view();
    QTRY_VERIFY(view->isVisible());
    // The drop-down ignores a mouse release right after it opened, so the entry is
    // taken with the keys a user may use as well.
    view->setCurrentIndex(view->model()->index(row, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QTRY_VERIFY(!view->isVisible());
}

// Picks the first entry showing `text` ("" picks an empty entry).
inline void pick(PickList* list, const QString& text) {
    const int row = list->findText(text, Qt::MatchExactly);
    QVERIFY2(row >= 0, qPrintable(QStringLiteral("no entry '%1' in %2").arg(text, list->objectName())));
    pickRow(list, row);
}

// Leaves whatever has the focus for another field, as a click there does (without
// dropping a pull-down's list).
inline void leaveTo(QWidget* next) {
    next->setFocus(Qt::MouseFocusReason);
    QTRY_VERIFY(next->hasFocus());
}

inline QStringList entries(PickList* list) { return list->entryTexts(); }

inline QRect expectedRect(const Box& b) { return twipsRect(b.left, b.top, b.width, b.height); }

// A timing window on screen with a signal in it, its message boxes answered from a
// script. A test class derives from it and closes it in its cleanup().
class Form1Fixture {
protected:
    std::unique_ptr<Form1> form_;
    std::unique_ptr<ScriptedDialogs> dialogs_;

    Form1& open(const WindowState& s) {
        dialogs_ = std::make_unique<ScriptedDialogs>();
        form_ = std::make_unique<Form1>();
        form_->setState(s);
        [&] { QVERIFY(showActive(*form_)); }();
        return *form_;
    }
    void close() {
        form_.reset();
        dialogs_.reset();
    }
};

}  // namespace tavimo::ui::test
