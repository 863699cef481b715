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
#include "ui/timing/chart_view.h"
#include "ui/timing/control_array.h"
#include "ui/timing/form1.h"
#include "ui/timing/pick_list.h"
#include "ui/common/twips.h"

namespace tavimo::ui::test {

PickList* phasePullDown(Form1& form, int k);
PickList* movementPullDown(Form1& form, int k);
QLineEdit* field(Form1& form, const char* name, int k);
template <class T = QWidget>
T* named(Form1& form, const char* name) {
    return form.findChild<T*>(QString::fromLatin1(name));
}

// Shows the window and makes it the active one, so focus moves as it does for a user.
bool showActive(Form1& form);

// Clicks the pull-down (it takes the focus and drops its list) and picks entry `row`.
void pickRow(PickList* list, int row);

// Picks the first entry showing `text` ("" picks an empty entry).
void pick(PickList* list, const QString& text);

// Leaves whatever has the focus for another field, as a click there does (without
// dropping a pull-down's list).
void leaveTo(QWidget* next);

QStringList entries(PickList* list);

QRect expectedRect(const Box& b);

// The chart's drawn element `name` ("PP2", "greenPhase3", "local1", "timer"), not a
// label beside a narrow window; null when it is not drawn.
const ChartItem* chartItem(QWidget& window, const char* name);
// The label beside the narrow window `name`, if there is one.
const ChartItem* besideLabel(QWidget& window, const char* name);
// What a screen reader reads of the chart, one accessible child after the other.
QStringList accessibleChart(QWidget& window);

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
