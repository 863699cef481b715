// SPDX-License-Identifier: MIT
// The keyboard in every dialog: Enter (Return or the keypad's) presses the button that
// has the focus, never the default one instead, and Esc cancels.
#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include "helpers/scripted_dialogs.h"
#include "helpers/widgets.h"
#include "ui/dialogs/import_dialog.h"
#include "ui/dialogs/import_network_dialog.h"
#include "ui/dialogs/new_signal_dialog.h"
#include "ui/main/tavimo_window.h"

using namespace tavimo::ui;
using tavimo::ui::test::child;
using tavimo::ui::test::ScriptedDialogs;
using tavimo::ui::test::settle;

namespace {

QDialog* openDialog(Tavimo& frame, const QString& dialog) {
    if (dialog == "new signal") {
        frame.New_Click();
        return frame.newSignalDialog();
    }
    if (dialog == "import") {
        frame.mnuFileAddSignalImport_Click();
        return frame.importDialog();
    }
    frame.mnuFileAddSignalImportNetwork_Click();
    return frame.importNetworkDialog();
}

}  // namespace

class DialogKeysTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void escapeCancels_data();
    void escapeCancels();
};

void DialogKeysTest::enterPressesTheFocusedButton_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("asked");  // the message or file dialog the press leads to; "" closes the dialog
    QTest::addColumn<bool>("keypad");
    for (bool keypad : {false, true}) {
        const char* key = keypad ? "keypad Enter" : "Return";
        QTest::addRow("new signal OK, %s", key) << "new signal" << "OKnew" << "No Cycle Length Entered!" << keypad;
        QTest::addRow("new signal Cancel, %s", key) << "new signal" << "CancelNew" << "" << keypad;
        QTest::addRow("import Browse, %s", key) << "import" << "browseTiming" << "file dialog" << keypad;
        QTest::addRow("import Cancel, %s", key) << "import" << "Cancel" << "" << keypad;
        QTest::addRow("network Browse, %s", key) << "network" << "browseNetwork" << "file dialog" << keypad;
        QTest::addRow("network Load, %s", key)
            << "network" << "Load" << "Choose a UTDF network file and an intersection first." << keypad;
        QTest::addRow("network Cancel, %s", key) << "network" << "Cancel" << "" << keypad;
    }
}

void DialogKeysTest::enterPressesTheFocusedButton() {
    QFETCH(QString, dialog);
    QFETCH(QString, button);
    QFETCH(QString, asked);
    QFETCH(bool, keypad);
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    // A dialog that closes deletes itself: watch it through a guarded pointer.
    QPointer<QDialog> shown = openDialog(frame, dialog);
    QVERIFY(shown && QTest::qWaitForWindowExposed(shown));
    auto* b = child<QPushButton>(shown, qPrintable(button));
    b->setFocus(Qt::TabFocusReason);
    if (keypad) QTest::keyClick(b, Qt::Key_Enter, Qt::KeypadModifier);
    else QTest::keyClick(b, Qt::Key_Return);
    QTRY_VERIFY(!scripted.shown.isEmpty() || !scripted.filters.isEmpty() || !shown || shown->isHidden());
    settle();
    if (asked == "file dialog") QCOMPARE(scripted.filters.size(), 1);
    else QCOMPARE(scripted.texts(), asked.isEmpty() ? QStringList() : QStringList{asked});
    QCOMPARE(!shown || shown->isHidden(), asked.isEmpty());
}

void DialogKeysTest::escapeCancels_data() {
    QTest::addColumn<QString>("dialog");
    QTest::newRow("new signal") << "new signal";
    QTest::newRow("import") << "import";
    QTest::newRow("network") << "network";
}

void DialogKeysTest::escapeCancels() {
    QFETCH(QString, dialog);
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    QPointer<QDialog> shown = openDialog(frame, dialog);
    QVERIFY(shown && QTest::qWaitForWindowExposed(shown));
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : shown.data(), Qt::Key_Escape);
    QTRY_VERIFY(!shown || shown->isHidden());
    QVERIFY(scripted.shown.isEmpty());
    QVERIFY(!frame.timingWindow());
}

QTEST_MAIN(DialogKeysTest)
#include "test_dialogs_keys.moc"
