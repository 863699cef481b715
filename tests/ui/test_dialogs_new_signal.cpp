// SPDX-License-Identifier: MIT
// The new-signal dialog: what "OK" writes into the timing window, its checks, and the
// dialog's own controls.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "helpers/layout_checks.h"
#include "helpers/scripted_dialogs.h"
#include "helpers/widgets.h"
#include "ui/dialogs/new_signal_dialog.h"
#include "ui/main/tavimo_window.h"
#include "test_form1_signals.h"
#include "ui/common/twips.h"
#include "ui/timing/control_array.h"
#include "ui/timing/form1.h"

using namespace tavimo;
using namespace tavimo::ui;
using namespace tavimo::ui::test;

namespace {

struct Entry {
    QString description, creator, cycleLength, offset;
    bool lead = true, nema = true, permissive = true;
};

newSignal* openDialog(Tavimo& frame) {
    frame.New_Click();
    return frame.newSignalDialog();
}

void fill(newSignal* dialog, const Entry& e) {
    child<QLineEdit>(dialog, "description")->setText(e.description);
    child<QLineEdit>(dialog, "creator")->setText(e.creator);
    child<QLineEdit>(dialog, "cycleLength")->setText(e.cycleLength);
    child<QLineEdit>(dialog, "Offset")->setText(e.offset);
    child<QRadioButton>(dialog, e.lead ? "Lead" : "Lag")->setChecked(true);
    child<QRadioButton>(dialog, e.nema ? "Nema" : "type170")->setChecked(true);
    child<QRadioButton>(dialog, e.permissive ? "Permissive" : "Yield")->setChecked(true);
}

// The dialog opened from the frame and filled in.
newSignal* openFilled(Tavimo& frame, const Entry& e) {
    newSignal* dialog = openDialog(frame);
    fill(dialog, e);
    return dialog;
}

// Records, when the coordinated-phase prompt is shown, whether the timing window was
// already on screen and still unfilled.
class PromptWatcher final : public Dialogs {
public:
    explicit PromptWatcher(Tavimo& frame) : frame_(frame) { setDialogs(this); }
    ~PromptWatcher() override { setDialogs(nullptr); }
    bool windowVisible = false;
    QString cycleLengthAtPrompt = QStringLiteral("unset");
    Answer ask(QWidget*, const Message& m) override {
        if (m.text == QLatin1String("Please Choose Coordinated Phase(s)!")) {
            Form1* form = frame_.timingWindow();
            windowVisible = form && form->isVisible();
            cycleLengthAtPrompt = form ? QString::fromStdString(form->state().plan.cycleLength) : QString();
        }
        return Answer::Ok;
    }
    QString openFileName(QWidget*, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&) override { return {}; }
    bool choosePrinter(QWidget*, QPrinter&) override { return false; }

private:
    Tavimo& frame_;
};

}  // namespace

class NewSignalDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void okFillsTheTimingWindow_data();
    void okFillsTheTimingWindow();
    void offsetThatIsNoTimeInTheCycleKeepsTheDialogOpen_data();
    void offsetThatIsNoTimeInTheCycleKeepsTheDialogOpen();
    void emptyCycleLengthKeepsTheDialogOpen();
    void cycleLengthLongerThanTheWindowTakesIsRefused();
    void promptComesAfterTheWindowShowsAndBeforeItIsFilled();
    void cancelAndEscLeaveAnOpenSignalUntouched();
    void enterDoesNotPressOk();
    void overACalculatedSignalOffersTheCoordinatedPhasesAgain();
    void overASignalCalculatedWithoutAPhaseOffersEveryPosition();
    void controlsAsDesigned();
};

void NewSignalDialogTest::okFillsTheTimingWindow_data() {
    QTest::addColumn<bool>("lead");
    QTest::addColumn<bool>("nema");
    QTest::addColumn<bool>("permissive");
    QTest::addColumn<QString>("controller");
    QTest::addColumn<QString>("controlText");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("coordinated");
    QTest::newRow("Lead NEMA Permissive") << true << true << true << "Nema" << "NEMA" << "Permissive" << 2;
    QTest::newRow("Lag 170 Yield") << false << false << false << "one70" << "170" << "Yield" << 1;
    QTest::newRow("Lag NEMA Permissive") << false << true << true << "Nema" << "NEMA" << "Permissive" << 1;
    QTest::newRow("Lead 170 Yield") << true << false << false << "one70" << "170" << "Yield" << 2;
}

void NewSignalDialogTest::okFillsTheTimingWindow() {
    QFETCH(bool, lead);
    QFETCH(bool, nema);
    QFETCH(bool, permissive);
    QFETCH(QString, controller);
    QFETCH(QString, controlText);
    QFETCH(QString, mode);
    QFETCH(int, coordinated);

    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    newSignal* dialog = openDialog(frame);
    QVERIFY(dialog);
    fill(dialog, {"Main and 1st", "Fred", "100", "35", lead, nema, permissive});
    child<QPushButton>(dialog, "OKnew")->click();
    settle();

    QCOMPARE(scripted.texts(), QStringList{"Please Choose Coordinated Phase(s)!"});
    QCOMPARE(scripted.shown[0].icon, Icon::None);
    QVERIFY(scripted.shown[0].title.isEmpty());
    QVERIFY(!frame.newSignalDialog());

    Form1* form = frame.timingWindow();
    QVERIFY(form && form->isVisible());
    QCOMPARE(form->windowTitle(), QString("Timing/Phasing Data"));
    const WindowState state = form->state();
    const SignalPlan& plan = state.plan;
    QCOMPARE(plan.description, std::string("Main and 1st"));
    QCOMPARE(plan.cycleLength, std::string("100"));
    QCOMPARE(plan.cycleCopy, std::string("100"));
    QCOMPARE(QString::fromStdString(plan.controller), controller);
    QCOMPARE(QString::fromStdString(plan.controlText), controlText);
    QCOMPARE(QString::fromStdString(plan.mode), mode);
    QCOMPARE(plan.arrangement, std::string(lead ? "Lead" : "Lag"));
    for (int k = 1; k <= kPositions; ++k) {
        QCOMPARE(plan.at(k).phaseEnabled, k == coordinated || k == coordinated + 4);
        QCOMPARE(plan.at(k).movementList, movementListFor(plan.arrangement, k));
    }
    QVERIFY(form->focusWidget());
    QCOMPARE(form->focusWidget()->objectName(), QString("Phase%1").arg(coordinated));
    QCOMPARE(state.chart.windows[PPend1].visible, lead);
    QCOMPARE(state.chart.windows[PPend2].visible, lead);
    if (!lead) {
        QCOMPARE(state.chart.windows[PP1].left, 2760.f);
        QCOMPARE(state.chart.windows[PP4].left, 2760.f);
    }
    // The creator and the offset are kept with the signal, the offset counted to the
    // local zero of the controller chosen; the line under the results shows it until
    // a calculation places the plan.
    QCOMPARE(plan.createdBy, std::string("Fred"));
    QVERIFY(plan.offset);
    QCOMPARE(plan.offset->seconds, 35.f);
    QCOMPARE(plan.offset->reference, nema ? OffsetReference::Ts2 : OffsetReference::Type170);
    QCOMPARE(child<QLabel>(form, "offsets")->text(),
             QString("Offset: 35 to %1 (not calculated)").arg(nema ? "ts2" : "type170"));
}

void NewSignalDialogTest::offsetThatIsNoTimeInTheCycleKeepsTheDialogOpen_data() {
    QTest::addColumn<QString>("offset");
    QTest::addColumn<QString>("message");
    QTest::newRow("negative") << "-5" << "Offset is not a time of 0 or more!";
    QTest::newRow("no number") << "3O" << "Offset is not a time of 0 or more!";
    QTest::newRow("a whole cycle") << "100" << "Offset must be less than the Cycle Length!";
}

void NewSignalDialogTest::offsetThatIsNoTimeInTheCycleKeepsTheDialogOpen() {
    QFETCH(QString, offset);
    QFETCH(QString, message);
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    newSignal* dialog = openFilled(frame, {"Elm", "", "100", offset});
    dialog->OKnew_Click();
    settle();
    QCOMPARE(scripted.texts(), QStringList{message});
    QCOMPARE(scripted.shown[0].icon, Icon::Critical);
    QCOMPARE(frame.newSignalDialog(), dialog);
    QVERIFY(!frame.timingWindow());
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(dialog, "Offset"));
}

void NewSignalDialogTest::emptyCycleLengthKeepsTheDialogOpen() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    newSignal* dialog = openFilled(frame, {"Elm", "", "", ""});
    dialog->OKnew_Click();
    settle();
    QCOMPARE(scripted.texts(), QStringList{"No Cycle Length Entered!"});
    QCOMPARE(scripted.shown[0].title, QString("Warning"));
    QCOMPARE(scripted.shown[0].icon, Icon::Critical);
    QCOMPARE(frame.newSignalDialog(), dialog);
    QVERIFY(!frame.timingWindow());
    QCOMPARE(child<QLineEdit>(dialog, "description")->text(), QString("Elm"));

    // A single blank is a cycle length as far as the dialog goes: the calculation
    // rejects it later.
    child<QLineEdit>(dialog, "cycleLength")->setText(" ");
    dialog->OKnew_Click();
    settle();
    QVERIFY(frame.timingWindow());
    QCOMPARE(frame.timingWindow()->state().plan.cycleLength, std::string(" "));
    QCOMPARE(frame.timingWindow()->state().plan.cycleCopy, std::string(" "));
}

void NewSignalDialogTest::cycleLengthLongerThanTheWindowTakesIsRefused() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    newSignal* dialog = openFilled(frame, {"Elm", "", "1000", ""});
    dialog->OKnew_Click();
    settle();
    QCOMPARE(scripted.shown.size(), 1);
    QVERIFY(scripted.shown[0].text.contains("at most 3"));
    QCOMPARE(scripted.shown[0].title, QString("Warning"));
    QCOMPARE(frame.newSignalDialog(), dialog);
    QVERIFY(!frame.timingWindow());
}

void NewSignalDialogTest::promptComesAfterTheWindowShowsAndBeforeItIsFilled() {
    Tavimo frame;
    frame.show();
    PromptWatcher watcher(frame);
    newSignal* dialog = openFilled(frame, {"Elm", "", "90", ""});
    dialog->OKnew_Click();
    QVERIFY(watcher.windowVisible);
    QCOMPARE(watcher.cycleLengthAtPrompt, QString(""));
    QCOMPARE(frame.timingWindow()->state().plan.cycleLength, std::string("90"));
}

void NewSignalDialogTest::cancelAndEscLeaveAnOpenSignalUntouched() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    newSignal* dialog = openFilled(frame, {"Elm", "", "90", "", false, false, false});
    dialog->OKnew_Click();
    settle();
    const SignalPlan before = frame.timingWindow()->state().plan;

    dialog = openFilled(frame, {"Oak", "", "120", ""});
    child<QPushButton>(dialog, "CancelNew")->click();
    settle();
    QVERIFY(!frame.newSignalDialog());

    dialog = openFilled(frame, {"Pine", "", "60", ""});
    QTest::keyClick(dialog, Qt::Key_Escape);
    settle();
    QVERIFY(!frame.newSignalDialog());

    const SignalPlan after = frame.timingWindow()->state().plan;
    QCOMPARE(after.description, before.description);
    QCOMPARE(after.cycleLength, before.cycleLength);
    QCOMPARE(after.controller, before.controller);
    QCOMPARE(after.arrangement, before.arrangement);
    QCOMPARE(scripted.shown.size(), 1);  // only the first signal's prompt
}

void NewSignalDialogTest::enterDoesNotPressOk() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    newSignal* dialog = openFilled(frame, {"Elm", "", "90", ""});
    for (const char* name : {"cycleLength", "Lead", "Yield"}) {
        QWidget* w = child<QWidget>(dialog, name);
        QTest::keyClick(w, Qt::Key_Return);
        QTest::keyClick(w, Qt::Key_Enter);
    }
    settle();
    QVERIFY(scripted.shown.isEmpty());
    QVERIFY(!frame.timingWindow());
    QCOMPARE(frame.newSignalDialog(), dialog);
}

void NewSignalDialogTest::overACalculatedSignalOffersTheCoordinatedPhasesAgain() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    scripted.fileNames = {QStringLiteral(TAVIMO_TEST_DATA "/main-and-1st.tvm")};
    frame.mnuFileOpen_Click();
    Form1* form = frame.timingWindow();
    form->Calculate_Click();
    QVERIFY(!form->state().plan.at(2).phaseVisible);  // a calculation hides the pull-downs

    newSignal* dialog = openFilled(frame, {"Main and 1st", "", "100", ""});
    dialog->OKnew_Click();
    settle();
    QCOMPARE(frame.timingWindow(), form);
    const SignalPlan plan = form->state().plan;
    for (int k = 1; k <= kPositions; ++k) QVERIFY(plan.at(k).phaseVisible);
    // The new signal starts clean: no phase order and no file of the opened one.
    for (int k = 1; k <= kPositions; ++k) QCOMPARE(plan.at(k).phase, std::string());
    QCOMPARE(plan.projectFile, std::string());
    QCOMPARE(form->focusWidget()->objectName(), QString("Phase2"));
}

// The calculation hid position 3 (no phase there) and moved column 4 into its place;
// a new signal must be able to use position 3 again.
void NewSignalDialogTest::overASignalCalculatedWithoutAPhaseOffersEveryPosition() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    Form1* form = frame.showTimingWindow();
    WindowState s = leadSignal();
    Position& third = s.plan.at(3);
    third.phase = third.split = third.green = third.amber = third.red = "";
    third.movementIndex = -1;
    third.timingEnabled = false;
    s.plan.at(4).split = "50";
    form->setState(s);
    form->Calculate_Click();
    QVERIFY(scripted.shown.isEmpty());
    QVERIFY(arrayElement<QWidget>(form, "ImageCombo", 3)->isHidden());
    const std::string forceBefore = form->state().plan.at(4).force;
    QVERIFY(!forceBefore.empty());
    form->markUnmodified();  // as if saved: no save question before the new signal

    newSignal* dialog = openFilled(frame, {"Main and 1st", "", "100", ""});
    dialog->OKnew_Click();
    settle();
    for (int k = 1; k <= kPositions; ++k) {
        QWidget* movement = arrayElement<QWidget>(form, "ImageCombo", k);
        QVERIFY(!movement->isHidden());
        QCOMPARE(movement->x(), twips(layout::kColumnLeft[k - 1]));
        QVERIFY(!arrayElement<QWidget>(form, "split", k)->isHidden());
        QVERIFY(form->state().chart.green[k - 1].visible);
    }
    for (int k = 1; k <= kPositions; ++k) QCOMPARE(form->state().plan.at(k).force, std::string());  // no old results
}

void NewSignalDialogTest::controlsAsDesigned() {
    ScriptedDialogs scripted;
    Tavimo frame;
    newSignal* dialog = openDialog(frame);
    QCOMPARE(dialog->windowTitle(), QString("New Signal Data"));
    QCOMPARE(dialog->font().family(), QString("Arial"));
    QVERIFY(child<QWidget>(dialog, "LogoNew"));

    struct Option {
        const char* name;
        const char* caption;
        const char* hint;
        bool checked;
    };
    const Option options[] = {
        {"Lead", "Dual Lead", "Left turns occur before thru movement.", true},
        {"Lag", "Dual Lag", "Left turns occur after thru movement.", false},
        {"Nema", "Nema TS2", "NEMA type controllers reference local time zero at the beginning of coordinated green.", true},
        {"type170", "Type 170", "Type 170 controllers reference local time zero at the beginning of coordinated yellow.", false},
        {"Permissive", "Permissive", "Emphasis on the extension of coordinated green.", true},
        {"Yield", "Yield", "Emphasis on early return to coordinated green.", false},
    };
    for (const Option& o : options) {
        auto* button = child<QRadioButton>(dialog, o.name);
        QCOMPARE(button->text(), QString(o.caption));
        QCOMPARE(button->toolTip(), QString(o.hint));
        QCOMPARE(button->isChecked(), o.checked);
        QCOMPARE(button->font().family(), QString("Arial"));
    }

    const QStringList order = {"description", "creator", "cycleLength", "Offset", "Lead", "Lag",
                               "Nema", "type170", "Permissive", "Yield", "OKnew", "CancelNew"};
    checkKeyboardOrderAndRoom(dialog, order);
}

QTEST_MAIN(NewSignalDialogTest)
#include "test_dialogs_new_signal.moc"
