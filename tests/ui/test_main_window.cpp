// SPDX-License-Identifier: MIT
// The frame window: menu, accelerators and button bar reach the same commands; one
// timing window, one of each dialog; Exit.
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolButton>
#include <QScreen>
#include <QStyle>
#include <QtTest>

#include "helpers/scripted_dialogs.h"
#include "helpers/widgets.h"
#include "ui/dialogs/import_dialog.h"
#include "ui/dialogs/new_signal_dialog.h"
#include "ui/main/help_window.h"
#include "ui/main/tavimo_window.h"
#include "ui/timing/form1.h"

using namespace tavimo;
using namespace tavimo::ui;
using tavimo::ui::test::ScriptedDialogs;
using tavimo::ui::test::settle;

namespace {

QAction* action(Tavimo& frame, const char* name) {
    QAction* a = frame.findChild<QAction*>(QLatin1String(name));
    if (!a) qFatal("no action %s", name);
    return a;
}

QToolButton* button(Tavimo& frame, const char* name) {
    QToolButton* b = frame.findChild<QToolButton*>(QLatin1String(name));
    if (!b) qFatal("no button %s", name);
    return b;
}

QStringList names(const QList<QAction*>& actions) {
    QStringList n;
    for (QAction* a : actions) n << a->objectName();
    return n;
}

// Shows the frame and makes it the active window, so that accelerators reach it.
void showActive(Tavimo& frame) {
    frame.show();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensEmptyWithItsCaptionAndSize();
    void menuAsDesigned_data();
    void menuAsDesigned();
    void menuOrderAndSeparators();
    void noTwoItemsShareAKey();
    void buttonBarAsDesigned();
    void openSaveAndPrintHaveThreeRoutesEach();
    void newSignalDialogIsOneWhicheverWayItIsAsked();
    void importAndHelpAreSingleWindows();
    void timingWindowIsCreatedOnceAndDiscardedOnExit();
    void exitYesStartsANewSignal();
    void exitClosesEverything();
    void undoAndRedoFollowTheTimingWindow();
};

void MainWindowTest::opensEmptyWithItsCaptionAndSize() {
    Tavimo frame;
    frame.show();
    QCOMPARE(frame.windowTitle(), QString("Tavimo"));
    QVERIFY(!frame.timingWindow());
    QVERIFY(frame.mdiArea()->subWindowList().isEmpty());
    // Client area below the menu: 10575 x 12765 twips at 15 twips to a pixel, on a
    // screen with room for it; on a smaller one no larger than the screen.
    // Widened to hold the timing window beside the work area's scroll bar.
    const QSize room = frame.screen()->availableGeometry().size();
    const int wide = 690 + 2 * frame.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth) +
                     frame.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QCOMPARE(frame.width(), std::min(std::max(705, wide), room.width()));
    QVERIFY(frame.height() <= room.height());
    if (room.height() > 851 + frame.menuBar()->height() + 40)
        QCOMPARE(frame.height() - frame.menuBar()->height(), 851);
}

void MainWindowTest::menuAsDesigned_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("enabled");
    auto row = [](const char* name, const char* caption, const QKeySequence& key, bool enabled = true) {
        QTest::newRow(name) << QString(name) << QString(caption) << key << enabled;
    };
    row("mnuFile", "&File", {});
    row("mnuFileNew", "&New", QKeySequence("Ctrl+N"));
    row("mnuFileOpen", "&Open", QKeySequence("Ctrl+O"));
    row("mnuFileSave", "&Save", QKeySequence("Ctrl+S"));
    row("mnuFileSaveAs", "Save As", {});
    row("mnuFileAddSignal", "&Add Signal", {});
    row("mnuFileAddSignalBlank", "Add &Blank Signal", QKeySequence("Ctrl+B"));
    row("mnuFileAddSignalImport", "&Import Signal From File", QKeySequence("Ctrl+I"));
    row("mnuFileAddSignalImportNetwork", "Import From UTDF &Network File\u2026", QKeySequence("Ctrl+U"));
    row("mnuFilePrint", "&Print", {});
    row("mnuFilePrintCurrent", "Current Signal", {});
    row("mnuFilePrintReport", "Report", {});
    row("mnuFilePrintSetup", "Setup", {}, false);
    row("mnuFileExport", "E&xport", {});  // Alt+F, E stays Exit
    row("mnuFileExportChart", "Chart…", {});
    row("mnuFileExportResults", "Results (CSV)…", {});
    row("mnuFileExit", "&Exit", QKeySequence("Ctrl+E"));
    row("mnuEdit", "&Edit", {});
    row("mnuEditUndo", "&Undo", QKeySequence("Ctrl+Z"), false);  // nothing to undo yet
    row("mnuEditRedo", "&Redo", QKeySequence("Ctrl+Shift+Z"), false);
    row("mnuEditCopyResults", "&Copy Results", QKeySequence("Ctrl+Shift+C"));
    row("mnuHelp", "&Help", {});
    row("mnuHelpread", "Read Help", QKeySequence("Ctrl+H"));
    row("mnuHelpAbout", "&About Tavimo", {});
}

void MainWindowTest::menuAsDesigned() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    QFETCH(bool, enabled);
    Tavimo frame;
    QAction* a = action(frame, qPrintable(name));
    QCOMPARE(a->text(), caption);
    QCOMPARE(a->shortcut(), shortcut);
    QCOMPARE(a->isEnabled(), enabled);
    QVERIFY(a->isVisible());
}

void MainWindowTest::menuOrderAndSeparators() {
    Tavimo frame;
    QCOMPARE(names(frame.menuBar()->actions()), (QStringList{"mnuFile", "mnuEdit", "mnuHelp"}));
    auto* file = frame.findChild<QMenu*>("mnuFile");
    QCOMPARE(names(file->actions()),
             (QStringList{"mnuFileNew", "mnuFileOpen", "mnuFileOpenRecent", "mnuFileSeperatorOne", "mnuFileSave", "mnuFileSaveAs",
                          "mnuFileSeperatorTwo", "mnuFileAddSignal", "mnuFileSeperatorThree", "mnuFilePrint",
                          "mnuFileExport", "mnuFileSeperatorFour", "mnuFileExit"}));
    for (QAction* a : file->actions()) QCOMPARE(a->isSeparator(), a->objectName().contains("Seperator"));
    QCOMPARE(names(frame.findChild<QMenu*>("mnuFileAddSignal")->actions()),
             (QStringList{"mnuFileAddSignalBlank", "mnuFileAddSignalImport", "mnuFileAddSignalImportNetwork"}));
    QCOMPARE(names(frame.findChild<QMenu*>("mnuFilePrint")->actions()),
             (QStringList{"mnuFilePrintCurrent", "mnuFilePrintReport", "mnuFilePrintSetup"}));
    QCOMPARE(names(frame.findChild<QMenu*>("mnuEdit")->actions()),
             (QStringList{"mnuEditUndo", "mnuEditRedo", "mnuEditSeperatorOne", "mnuEditCopyResults"}));
    QCOMPARE(names(frame.findChild<QMenu*>("mnuHelp")->actions()), (QStringList{"mnuHelpread", "mnuHelpAbout"}));
}

// Alt and a letter opens one item of a menu, and a shortcut runs one command: two
// items with the same letter or shortcut would leave the second out of reach.
void MainWindowTest::noTwoItemsShareAKey() {
    Tavimo frame;
    QSet<QKeySequence> shortcuts;
    int withShortcut = 0;
    for (QMenu* menu : frame.findChildren<QMenu*>()) {
        QSet<QChar> letters;
        int withLetter = 0;
        for (QAction* a : menu->actions()) {
            const QString text = a->text();
            const qsizetype amp = text.indexOf('&');
            if (amp >= 0 && amp + 1 < text.size()) {
                letters << text.at(amp + 1).toLower();
                ++withLetter;
            }
            if (!a->shortcut().isEmpty()) {
                shortcuts << a->shortcut();
                ++withShortcut;
            }
        }
        QCOMPARE(letters.size(), withLetter);
    }
    QCOMPARE(shortcuts.size(), withShortcut);
    QVERIFY(withShortcut >= 7);
}

void MainWindowTest::buttonBarAsDesigned() {
    Tavimo frame;
    frame.show();
    QWidget* bar = frame.findChild<QWidget*>("Picture1");
    QVERIFY(bar);
    QCOMPARE(bar->height(), 30);
    const QList<QPair<const char*, int>> buttons = {{"New", 8}, {"Command4", 35}, {"Command5", 61}, {"Command6", 88}};
    for (const auto& [name, left] : buttons) {
        QToolButton* b = button(frame, name);
        QCOMPARE(b->parentWidget(), bar);
        QCOMPARE(b->geometry(), QRect(left, 3, 20, 20));
        QCOMPARE(b->iconSize(), QSize(16, 15));
        QVERIFY(!b->icon().isNull());
    }
    QCOMPARE(button(frame, "New")->nextInFocusChain(), button(frame, "Command4"));
    QCOMPARE(button(frame, "Command4")->nextInFocusChain(), button(frame, "Command5"));
    QCOMPARE(button(frame, "Command5")->nextInFocusChain(), button(frame, "Command6"));
}

// Open: Ctrl+O, the menu item and the second button. Save: Ctrl+S, the menu item and
// the third button. Print: the menu item and the fourth button. Each route shows the
// command's dialog once.
void MainWindowTest::openSaveAndPrintHaveThreeRoutesEach() {
    ScriptedDialogs scripted;
    Tavimo frame;
    showActive(frame);

    QTest::keyClick(&frame, Qt::Key_O, Qt::ControlModifier);
    action(frame, "mnuFileOpen")->trigger();
    button(frame, "Command4")->click();
    QCOMPARE(scripted.filters, QStringList(3, Tavimo::kOpenFilter));
    QVERIFY(scripted.shown.isEmpty());  // Cancel in the Open dialog is silent

    frame.showTimingWindow();
    scripted.filters.clear();
    QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier);
    action(frame, "mnuFileSave")->trigger();
    button(frame, "Command5")->click();
    QCOMPARE(scripted.filters, QStringList(3, "Tavimo Files (*.tvm)|*.tvm"));
    QCOMPARE(scripted.texts(), QStringList(3, "You must select a proper file!"));

    scripted.shown.clear();
    scripted.printerAccepts = {false, false};
    action(frame, "mnuFilePrintCurrent")->trigger();
    button(frame, "Command6")->click();
    QCOMPARE(scripted.printerDialogs, 2);
    QCOMPARE(scripted.texts(), QStringList(2, "Unable to Print!"));
}

void MainWindowTest::newSignalDialogIsOneWhicheverWayItIsAsked() {
    ScriptedDialogs scripted;
    Tavimo frame;
    showActive(frame);
    QVERIFY(!frame.newSignalDialog());

    button(frame, "New")->click();
    newSignal* dialog = frame.newSignalDialog();
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(dialog->isWindow());
    QVERIFY(!dialog->isModal());

    const std::function<void()> routes[] = {
        [&] { action(frame, "mnuFileNew")->trigger(); },
        [&] { action(frame, "mnuFileAddSignalBlank")->trigger(); },
        [&] { frame.mnuFileNew_Click(); },
        [&] { button(frame, "New")->click(); },
        [&] { frame.activateWindow(); QTest::keyClick(&frame, Qt::Key_N, Qt::ControlModifier); },
        [&] { frame.activateWindow(); QTest::keyClick(&frame, Qt::Key_B, Qt::ControlModifier); },
    };
    for (const auto& route : routes) {
        route();
        settle();
        QCOMPARE(frame.newSignalDialog(), dialog);
    }

    // Once cancelled, the next New starts a fresh, empty dialog.
    dialog->CancelNew_Click();
    settle();
    QVERIFY(!frame.newSignalDialog());
    frame.New_Click();
    QVERIFY(frame.newSignalDialog());
    QVERIFY(frame.newSignalDialog()->isVisible());
}

void MainWindowTest::importAndHelpAreSingleWindows() {
    ScriptedDialogs scripted;
    Tavimo frame;
    showActive(frame);

    QTest::keyClick(&frame, Qt::Key_I, Qt::ControlModifier);
    Import* import = frame.importDialog();
    QVERIFY(import && import->isVisible() && !import->isModal());
    action(frame, "mnuFileAddSignalImport")->trigger();
    QCOMPARE(frame.importDialog(), import);

    frame.activateWindow();
    QTest::keyClick(&frame, Qt::Key_H, Qt::ControlModifier);
    Help* help = frame.helpWindow();
    QVERIFY(help && help->isVisible());
    QVERIFY(help->isWindow());  // beside the frame, not inside it
    QVERIFY(!frame.mdiArea()->isAncestorOf(help));
    action(frame, "mnuHelpread")->trigger();
    QCOMPARE(frame.helpWindow(), help);
    help->close();
    frame.mnuHelpread_Click();
    QCOMPARE(frame.helpWindow(), help);
    QVERIFY(help->isVisible());
}

void MainWindowTest::timingWindowIsCreatedOnceAndDiscardedOnExit() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    Form1* form = frame.showTimingWindow();
    QVERIFY(form && form->isVisible());
    QCOMPARE(frame.showTimingWindow(), form);
    QCOMPARE(frame.mdiArea()->subWindowList().size(), 1);

    WindowState state = form->state();
    state.plan.description = "Main and 1st";
    state.plan.projectFile = "/tmp/main.tvm";
    form->setState(state);

    // "Exit" answered Cancel keeps the signal; No discards it. The changed
    // description is given up first.
    scripted.answers = {Answer::Discard, Answer::Cancel};
    form->Exit_Click();
    QCOMPARE(frame.timingWindow(), form);
    scripted.answers = {Answer::Discard, Answer::No};
    form->Exit_Click();
    QVERIFY(!frame.timingWindow());
    QVERIFY(!frame.newSignalDialog());
    settle();
    QVERIFY(frame.mdiArea()->subWindowList().isEmpty());

    // The next command creates the window again, blank.
    Form1* again = frame.showTimingWindow();
    QVERIFY(again);
    QCOMPARE(again->state().plan.description, std::string());
    QCOMPARE(again->state().plan.projectFile, std::string());
    QCOMPARE(frame.mdiArea()->subWindowList().size(), 1);

    // Closing the window's frame by its own close button ends the signal too.
    frame.mdiArea()->subWindowList().first()->close();
    settle();
    QVERIFY(!frame.timingWindow());
}

void MainWindowTest::exitYesStartsANewSignal() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    Form1* form = frame.showTimingWindow();
    scripted.answers = {Answer::Yes};
    form->Exit_Click();
    QVERIFY(frame.newSignalDialog());
    QVERIFY(frame.newSignalDialog()->isVisible());
    QVERIFY(!frame.timingWindow());
}

void MainWindowTest::exitClosesEverything() {
    ScriptedDialogs scripted;
    Tavimo frame;
    showActive(frame);
    frame.showTimingWindow();
    frame.New_Click();
    frame.mnuFileAddSignalImport_Click();
    frame.mnuHelpread_Click();
    Help* help = frame.helpWindow();

    QTest::keyClick(&frame, Qt::Key_E, Qt::ControlModifier);
    settle();
    QVERIFY(!frame.isVisible());
    QVERIFY(!frame.newSignalDialog());
    QVERIFY(!frame.importDialog());
    QVERIFY(!help->isVisible());
    QVERIFY(scripted.shown.isEmpty());  // nothing asked about unsaved changes
}


// Edit > Undo and Redo follow the timing window's history; Ctrl+Z in a text box is one
// undo, not one of the box and one of the menu.
void MainWindowTest::undoAndRedoFollowTheTimingWindow() {
    ScriptedDialogs scripted;
    Tavimo frame;
    showActive(frame);
    QAction* undo = action(frame, "mnuEditUndo");
    QAction* redo = action(frame, "mnuEditRedo");
    Form1* form = frame.showTimingWindow();
    auto* description = test::child<QLineEdit>(form, "IntDes");
    auto* cycle = test::child<QLineEdit>(form, "cycleLength");
    QTest::keyClicks(description, "Main");
    QTest::keyClicks(cycle, "90");
    QCOMPARE(undo->text(), QStringLiteral("&Undo Cycle Length"));
    QTest::keySequence(cycle, QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(description->text() + cycle->text(), QStringLiteral("Main"));
    QCOMPARE(redo->text(), QStringLiteral("&Redo Cycle Length"));
    undo->trigger();
    QVERIFY(description->text().isEmpty() && !frame.isWindowModified());
    scripted.answers = {Answer::No};  // nothing to save: Restart Project? No
    form->Exit_Click();
    settle();
    QVERIFY(!undo->isEnabled() && !redo->isEnabled());
}

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
