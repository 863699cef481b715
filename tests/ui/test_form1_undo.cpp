// SPDX-License-Identifier: MIT
// Undo and Redo in the timing window: typing, clicking and picking come back as they
// were, the window reacting as to the edit itself; a signal that arrives starts anew.
#include <QPushButton>
#include <QRadioButton>
#include <QUndoStack>

#include <functional>

#include "io/project_file.h"
#include "model/new_signal.h"
#include "test_form1_driver.h"
#include "test_form1_signals.h"

using namespace tavimo;
using namespace tavimo::ui;
using namespace tavimo::ui::test;

namespace {

const QKeySequence kUndo(Qt::CTRL | Qt::Key_Z), kRedo(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);

// The keys pressed where the focus stands, as a user presses them.
void press(const QKeySequence& keys) { QTest::keySequence(QApplication::focusWidget(), keys); }

void typeInto(QLineEdit* field, const char* text) {
    leaveTo(field);
    QCoreApplication::processEvents();  // the field's own selection on entering
    field->selectAll();
    QTest::keyClicks(field, text);
}

QString join(const std::string& a, const std::string& b) { return QString::fromStdString(a + " | " + b); }

struct Edit {
    const char* name;
    std::function<void(Form1&)> make;
    // What the edit changes, as the window shows it and as its state holds it.
    std::function<QString(Form1&)> read;
    const char *before, *after;
};

const Edit kEdits[] = {
    {"split typed", [](Form1& f) { typeInto(field(f, "split", 3), "45"); },
     [](Form1& f) { return join(field(f, "split", 3)->text().toStdString(), f.state().plan.at(3).split); },
     "20 | 20", "45 | 45"},
    // An import may write more than the box takes: the undo writes it whole.
    {"amber longer than its box", [](Form1& f) { typeInto(field(f, "amber", 3), "4"); },
     [](Form1& f) { return join(field(f, "amber", 3)->text().toStdString(), f.state().plan.at(3).amber); },
     "3.25 | 3.25", "4 | 4"},
    // The timer's copy of the cycle follows, as it does when typing.
    {"cycle typed", [](Form1& f) { typeInto(named<QLineEdit>(f, "cycleLength"), "120"); },
     [](Form1& f) { return join(f.state().plan.cycleLength, f.state().plan.cycleCopy); }, "100 | 100",
     "120 | 120"},
    {"mode clicked", [](Form1& f) { QTest::mouseClick(arrayElement<QRadioButton>(&f, "Mode", 0), Qt::LeftButton); },
     [](Form1& f) {
         return join(f.state().plan.mode, arrayElement<QRadioButton>(&f, "Mode", 0)->isChecked() ? "Yield on" : "Yield off");
     },
     "Permissive | Yield off", "Yield | Yield on"},
    // The controller type comes back with the pull-down's text, wherever the focus is.
    {"controller picked",
     [](Form1& f) {
         pick(named<PickList>(f, "control"), "170");
         leaveTo(field(f, "split", 1));
     },
     [](Form1& f) { return join(f.state().plan.controlText, f.state().plan.controller); }, "NEMA | Nema",
     "170 | one70"},
};

}  // namespace

class Form1Undo : public QObject, private Form1Fixture {
    Q_OBJECT

    // A calculated signal, as last saved.
    Form1& openSaved() {
        WindowState s = leadSignal();
        s.plan.at(3).amber = "3.25";
        Form1& f = open(s);
        QTest::mouseClick(named<QPushButton>(f, "Calculate"), Qt::LeftButton);
        f.markUnmodified();
        return f;
    }

private slots:
    void cleanup() { close(); }

    void undoAndRedoOfAnEdit_data() {
        QTest::addColumn<int>("edit");
        for (int i = 0; i < int(std::size(kEdits)); ++i) QTest::addRow("%s", kEdits[i].name) << i;
    }

    void undoAndRedoOfAnEdit() {
        QFETCH(int, edit);
        const Edit& e = kEdits[edit];
        Form1& f = openSaved();
        QCOMPARE(e.read(f), QString(e.before));
        QVERIFY(!f.resultsStale());
        e.make(f);
        QCOMPARE(e.read(f), QString(e.after));
        QCOMPARE(f.undoStack()->count(), 1);  // every key of a typed number is one step

        press(kUndo);
        QCOMPARE(e.read(f), QString(e.before));
        // Back to the saved texts: neither changed nor stale.
        QVERIFY(!f.isModified());
        QVERIFY(!f.resultsStale());
        QVERIFY(!f.undoStack()->canUndo());

        press(kRedo);
        QCOMPARE(e.read(f), QString(e.after));
        QVERIFY(f.isModified());
        QVERIFY(f.resultsStale());
    }

    // A field typed back to where it began leaves no step; typing after a redo, or
    // after leaving the field, is a step of its own.
    void stepsFollowTheFieldsTyped() {
        Form1& f = openSaved();
        typeInto(field(f, "split", 4), "35");
        typeInto(field(f, "split", 4), "30");  // split 4 was 30
        QCOMPARE(f.undoStack()->count(), 0);
        QLineEdit* split3 = field(f, "split", 3);
        typeInto(split3, "45");
        press(kUndo);
        press(kRedo);
        QTest::keyClicks(split3, "6");
        QCOMPARE(split3->text(), QStringLiteral("645"));
        QCOMPARE(f.undoStack()->count(), 2);
        press(kUndo);
        QCOMPARE(split3->text(), QStringLiteral("45"));
        press(kUndo);
        QCOMPARE(split3->text(), QStringLiteral("20"));
        QVERIFY(!f.isModified());
        // Left and typed again: two steps.
        typeInto(split3, "45");
        leaveTo(field(f, "split", 4));
        typeInto(split3, "50");
        QCOMPARE(f.undoStack()->count(), 2);
    }

    // The phase order and the movements are outside the history: an undo leaves them.
    void pullDownsAreLeftAlone() {
        Form1& f = open(leadSignal());
        typeInto(field(f, "split", 3), "45");
        PickList* movement = movementPullDown(f, 3);
        const int picked = (movement->currentIndex() + 1) % 4;
        pickRow(movement, picked);
        leaveTo(field(f, "split", 1));
        QCOMPARE(f.undoStack()->count(), 1);
        QStringList phases;
        for (int k = 1; k <= 8; ++k) phases << phasePullDown(f, k)->text();

        press(kUndo);
        QCOMPARE(field(f, "split", 3)->text(), QStringLiteral("20"));
        QCOMPARE(movement->currentIndex(), picked);
        for (int k = 1; k <= 8; ++k) QCOMPARE(phasePullDown(f, k)->text(), phases[k - 1]);
    }

    void anotherSignalStartsTheHistory_data() {
        QTest::addColumn<QString>("arrival");
        for (const char* name : {"New", "Open", "Network Load", "Reset", "Calculate blanking a row"})
            QTest::newRow(name) << QString(name);
    }

    void anotherSignalStartsTheHistory() {
        QFETCH(QString, arrival);
        Form1& f = open(leadSignal());
        typeInto(field(f, "split", 3), "45");
        typeInto(field(f, "split", 4), "35");
        if (arrival == "New") {
            f.newSignal(NewSignalChoice{"Main St", "90", true, true, true});
        } else if (arrival == "Open") {
            ProjectValues values = projectValuesOf(lagSignal().plan, true);
            QVERIFY(!f.openSignal(values, "lag.tvm"));
        } else if (arrival == "Network Load") {
            f.importNetworkSignal(lagSignal());
        } else if (arrival == "Reset") {
            dialogs_->answers << Answer::Ok;
            QTest::mouseClick(named<QPushButton>(f, "Reset"), Qt::LeftButton);
        } else {
            // Position 4 loses its phase: the calculation empties its row.
            pick(phasePullDown(f, 4), "");
            leaveTo(field(f, "split", 1));
            QTest::mouseClick(named<QPushButton>(f, "Calculate"), Qt::LeftButton);
            QCOMPARE(field(f, "split", 4)->text(), QString());
        }
        QVERIFY(!f.undoStack()->canUndo());
        const WindowState arrived = f.state();
        leaveTo(named<QLineEdit>(f, "IntDes"));
        press(kUndo);
        QCOMPARE(f.state().plan.at(3).split, arrived.plan.at(3).split);
        QCOMPARE(f.state().plan.at(4).split, arrived.plan.at(4).split);
    }
};

QTEST_MAIN(Form1Undo)
#include "test_form1_undo.moc"
