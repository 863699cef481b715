// SPDX-License-Identifier: MIT
// Undo and Redo in the timing window: what was typed, clicked or picked comes back and
// the window reacts as to the edit itself; a signal that arrives starts a new history.
#include <QPushButton>
#include <QRadioButton>
#include <QUndoStack>

#include "model/new_signal.h"
#include "test_form1_driver.h"
#include "test_form1_signals.h"

using namespace tavimo;
using namespace tavimo::ui;
using namespace tavimo::ui::test;

namespace {

void press(const char* keys) { QTest::keySequence(QApplication::focusWidget(), QKeySequence(QString(keys))); }

void typeInto(QLineEdit* field, const char* text) {
    leaveTo(field);
    QCoreApplication::processEvents();  // the field's own selection on entering
    field->selectAll();
    QTest::keyClicks(field, text);
}

QString texts(const std::string& a, const std::string& b) { return QString::fromStdString(a + " | " + b); }

struct Edit {
    const char* name;
    void (*make)(Form1&);
    QString (*read)(Form1&);  // what the window shows and its state holds
    const char *before, *after;
};

const Edit kEdits[] = {
    {"split", [](Form1& f) { typeInto(field(f, "split", 3), "45"); },
     [](Form1& f) { return texts(field(f, "split", 3)->text().toStdString(), f.state().plan.at(3).split); },
     "20 | 20", "45 | 45"},
    // An import may write more than the box takes: the undo writes it whole.
    {"amber longer than its box", [](Form1& f) { typeInto(field(f, "amber", 3), "4"); },
     [](Form1& f) { return texts(field(f, "amber", 3)->text().toStdString(), f.state().plan.at(3).amber); },
     "3.25 | 3.25", "4 | 4"},
    {"cycle and the timer's copy", [](Form1& f) { typeInto(named<QLineEdit>(f, "cycleLength"), "120"); },
     [](Form1& f) { return texts(f.state().plan.cycleLength, f.state().plan.cycleCopy); }, "100 | 100", "120 | 120"},
    {"mode", [](Form1& f) { QTest::mouseClick(arrayElement<QRadioButton>(&f, "Mode", 0), Qt::LeftButton); },
     [](Form1& f) { return texts(f.state().plan.mode, arrayElement<QRadioButton>(&f, "Mode", 0)->isChecked() ? "on" : "off"); },
     "Permissive | off", "Yield | on"},
    {"controller, undone from another field",
     [](Form1& f) {
         pick(named<PickList>(f, "control"), "170");
         leaveTo(field(f, "split", 1));
     },
     [](Form1& f) { return texts(f.state().plan.controlText, f.state().plan.controller); }, "NEMA | Nema",
     "170 | one70"},
};

}  // namespace

class Form1Undo : public QObject, private Form1Fixture {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { close(); }

    void undoAndRedoOfAnEdit_data() {
        QTest::addColumn<int>("edit");
        for (int i = 0; i < int(std::size(kEdits)); ++i) QTest::addRow("%s", kEdits[i].name) << i;
    }

    // From a saved, calculated signal and back: the modified and stale marks follow.
    void undoAndRedoOfAnEdit() {
        QFETCH(int, edit);
        const Edit& e = kEdits[edit];
        WindowState s = leadSignal();
        s.plan.at(3).amber = "3.25";
        Form1& f = open(s);
        QTest::mouseClick(named<QPushButton>(f, "Calculate"), Qt::LeftButton);
        f.markUnmodified();
        e.make(f);
        QCOMPARE(e.read(f), QString(e.after));
        QCOMPARE(f.undoStack()->count(), 1);
        press("Ctrl+Z");
        QCOMPARE(e.read(f), QString(e.before));
        QVERIFY(!f.isModified() && !f.resultsStale() && !f.undoStack()->canUndo());
        press("Ctrl+Shift+Z");
        QCOMPARE(e.read(f), QString(e.after));
        QVERIFY(f.isModified() && f.resultsStale());
    }

    // A run of keys in one field is one step, none when typed back to where it began;
    // typing after a redo or after leaving the field starts another. The pull-downs
    // are outside the history.
    void stepsAndWhatTheyLeaveAlone() {
        Form1& f = open(leadSignal());
        QLineEdit* split3 = field(f, "split", 3);
        typeInto(field(f, "split", 4), "35");
        typeInto(field(f, "split", 4), "30");
        typeInto(split3, "45");
        press("Ctrl+Z");
        press("Ctrl+Shift+Z");
        QTest::keyClicks(split3, "6");
        leaveTo(field(f, "split", 4));
        typeInto(split3, "7");
        PickList* movement = movementPullDown(f, 3);
        const int picked = (movement->currentIndex() + 1) % 4;
        pickRow(movement, picked);
        leaveTo(split3);
        QCOMPARE(f.undoStack()->count(), 3);
        for (const char* text : {"645", "45", "20"}) {
            press("Ctrl+Z");
            QCOMPARE(split3->text(), QString(text));
        }
        QCOMPARE(movement->currentIndex(), picked);
    }

    void anotherSignalStartsTheHistory_data() {
        QTest::addColumn<QString>("arrival");
        for (const char* name : {"New", "Reset", "Calculate blanking a row"})
            QTest::newRow(name) << QString(name);
    }

    void anotherSignalStartsTheHistory() {
        QFETCH(QString, arrival);
        Form1& f = open(leadSignal());
        typeInto(field(f, "split", 4), "35");
        if (arrival == "New") {
            f.newSignal(NewSignalChoice{"Main St", "90", true, true, true});
        } else if (arrival == "Reset") {  // keeps the typed times
            dialogs_->answers << Answer::Ok;
            QTest::mouseClick(named<QPushButton>(f, "Reset"), Qt::LeftButton);
        } else {  // position 4 without a phase: the calculation empties its row
            pick(phasePullDown(f, 4), "");
            leaveTo(field(f, "split", 1));
            QTest::mouseClick(named<QPushButton>(f, "Calculate"), Qt::LeftButton);
            QCOMPARE(field(f, "split", 4)->text(), QString());
        }
        QVERIFY(!f.undoStack()->canUndo());
    }
};

QTEST_MAIN(Form1Undo)
#include "test_form1_undo.moc"
