// SPDX-License-Identifier: MIT
#include "test_form1_driver.h"

namespace tavimo::ui::test {

PickList* phasePullDown(Form1& form, int k) {
    return form.findChild<PickList*>(QStringLiteral("Phase%1").arg(k));
}
PickList* movementPullDown(Form1& form, int k) {
    return arrayElement<PickList>(&form, QStringLiteral("ImageCombo"), k);
}
QLineEdit* field(Form1& form, const char* name, int k) {
    return arrayElement<QLineEdit>(&form, QString::fromLatin1(name), k);
}

bool showActive(Form1& form) {
    form.show();
    QApplication::setActiveWindow(&form);
    return QTest::qWaitForWindowActive(&form);
}

void pickRow(PickList* list, int row) {
    QTest::mouseClick(list, Qt::LeftButton);
    QAbstractItemView* view = list->view();
    QTRY_VERIFY(view->isVisible());
    // The drop-down ignores a mouse release right after it opened, so the entry is
    // taken with the keys a user may use as well.
    view->setCurrentIndex(view->model()->index(row, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QTRY_VERIFY(!view->isVisible());
}

void pick(PickList* list, const QString& text) {
    const int row = list->findText(text, Qt::MatchExactly);
    QVERIFY2(row >= 0, qPrintable(QStringLiteral("no entry '%1' in %2").arg(text, list->objectName())));
    pickRow(list, row);
}

void leaveTo(QWidget* next) {
    next->setFocus(Qt::MouseFocusReason);
    QTRY_VERIFY(next->hasFocus());
}

QStringList entries(PickList* list) { return list->entryTexts(); }

QRect expectedRect(const Box& b) { return twipsRect(b.left, b.top, b.width, b.height); }

namespace {

const ChartItem* findItem(QWidget& window, const char* name, bool beside) {
    const auto* view = window.findChild<ChartView*>(QStringLiteral("chart"));
    if (!view) qFatal("no chart view");
    for (const ChartItem& item : view->items())
        if (item.name == name && item.besideLabel == beside) return &item;
    return nullptr;
}

}  // namespace

const ChartItem* chartItem(QWidget& window, const char* name) { return findItem(window, name, false); }
const ChartItem* besideLabel(QWidget& window, const char* name) { return findItem(window, name, true); }

QStringList accessibleChart(QWidget& window) {
    QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(window.findChild<ChartView*>("chart"));
    if (!chart) qFatal("the chart has no accessible interface");
    QStringList names;
    for (int i = 0; i < chart->childCount(); ++i) names << chart->child(i)->text(QAccessible::Name);
    return names;
}

}  // namespace tavimo::ui::test
