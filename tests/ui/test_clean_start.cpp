// SPDX-License-Identifier: MIT
// Every signal starts in a clean timing window: Open, Import and New keep no position,
// lock, result or remembered file of the signal shown before, and the window then
// calculates exactly what tavimo-calc prints. Also the window's keyboard, its long
// results, its narrow permissive bars and the width of message boxes.
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStyleOptionTitleBar>
#include <QTemporaryDir>
#include <QtTest>

#include "helpers/scripted_dialogs.h"
#include "helpers/widgets.h"
#include "test_form1_driver.h"
#include "test_form1_signals.h"
#include "ui/common/message_box.h"
#include "ui/dialogs/import_dialog.h"
#include "ui/dialogs/new_signal_dialog.h"
#include "ui/main/tavimo_window.h"

using namespace tavimo;
using namespace tavimo::ui;
using namespace tavimo::ui::test;

namespace {

const QString kData = QStringLiteral(TAVIMO_TEST_DATA "/");

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// What the window shows of each position, read from its fields: phase, times, results.
QStringList positionsShown(Form1& form) {
    QStringList rows;
    for (int k = 1; k <= kPositions; ++k) {
        QStringList row{phasePullDown(form, k)->text(), movementPullDown(form, k)->text()};
        for (const char* name : {"split", "green", "amber", "red", "force", "pps", "ppe"})
            row << field(form, name, k)->text();
        rows << row.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList resultsShown(Form1& form) {
    QStringList rows;
    for (int k = 1; k <= kPositions; ++k)
        rows << QStringList{field(form, "force", k)->text(), field(form, "pps", k)->text(),
                            field(form, "ppe", k)->text()}
                    .join(QLatin1Char('|'));
    return rows;
}

// force|pps|ppe of every position as tavimo-calc prints them for `path`.
QStringList calculatorResults(const QString& path) {
    QProcess calc;
    calc.start(QStringLiteral(TAVIMO_CALC_EXE), {QStringLiteral("--format"), QStringLiteral("csv"), path});
    if (!calc.waitForFinished(10000)) return {QStringLiteral("tavimo-calc did not finish")};
    QStringList rows;
    const QStringList lines = QString::fromUtf8(calc.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines.mid(1)) rows << line.split(QLatin1Char(',')).mid(7, 3).join(QLatin1Char('|'));
    return rows;
}

QStringList picturesShown(Form1& form) {
    QStringList shown;
    for (int i = 0; i < 16; ++i) {
        QLabel* pic = arrayElement<QLabel>(&form, QStringLiteral("Phasepic1"), i);
        if (!pic->isHidden()) shown << QStringLiteral("%1@%2").arg(i).arg(pic->x());
    }
    return shown;
}

// Import through the dialog: TIMING chosen, its two neighbours come with it.
void importSet(Tavimo& frame, ScriptedDialogs& scripted, const QString& folder, const QString& form) {
    frame.mnuFileAddSignalImport_Click();
    Import* dialog = frame.importDialog();
    scripted.fileNames = {kData + "utdf/" + folder + "/TIMING." + form};
    child<QPushButton>(dialog, "browseTiming")->click();
    child<QPushButton>(dialog, "Load")->click();
    settle();
}

void open(Tavimo& frame, ScriptedDialogs& scripted, const QString& path) {
    scripted.fileNames = {path};
    frame.mnuFileOpen_Click();
    settle();
}

// Clicks the close button in the title bar of the timing window's frame.
void clickTitleBarClose(QMdiSubWindow* sub) {
    QStyleOptionTitleBar option;
    option.initFrom(sub);
    option.subControls = QStyle::SC_All;
    option.titleBarFlags = sub->windowFlags();
    option.titleBarState = int(sub->windowState()) | QStyle::State_Active;
    option.text = sub->windowTitle();
    // Laid out as the frame lays out its own title bar: inside its border.
    const int height = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, sub);
    const int border = sub->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, sub);
    option.rect = QRect(border, border, sub->width() - 2 * border, height - border);
    const QRect close = sub->style()->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarCloseButton, sub);
    // The frame takes a press on the button it was hovered over.
    QTest::mouseMove(sub, close.center());
    QTest::mouseClick(sub, Qt::LeftButton, {}, close.center());
}

}  // namespace

class CleanStartTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void closingTheWindowForgetsTheSignalAndItsFile();
    void importOverImportShowsOnlyTheNewSignal();
    void openOverALargerSignalCalculatesAsTheCalculator();
    void resetMovementsWaitsWhileMovementsAreLocked();
    void longResultsShowTheirStartAndWholeText();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void resultsAreOutOfTheTabChain();
    void narrowWindowBarsShowTheirPhaseInFull();
    void messageBoxesHaveRoomForTheirTitle();

private:
    QTemporaryDir dir_;
};

void CleanStartTest::closingTheWindowForgetsTheSignalAndItsFile() {
    const QString file = dir_.filePath(QStringLiteral("A.tvm"));
    QVERIFY(QFile::copy(kData + "main-and-1st.tvm", file));
    const QByteArray before = bytesOf(file);
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    open(frame, scripted, file);
    Form1* form = frame.timingWindow();
    QVERIFY(form);
    form->Calculate_Click();

    QMdiSubWindow* sub = frame.mdiArea()->subWindowList().value(0);
    QVERIFY(sub);
    clickTitleBarClose(sub);
    settle();
    QVERIFY(!frame.timingWindow());

    frame.New_Click();
    newSignal* dialog = frame.newSignalDialog();
    child<QLineEdit>(dialog, "description")->setText(QStringLiteral("Elm"));
    child<QLineEdit>(dialog, "cycleLength")->setText(QStringLiteral("90"));
    child<QPushButton>(dialog, "OKnew")->click();
    settle();
    form = frame.timingWindow();
    QVERIFY(form);
    QCOMPARE(positionsShown(*form), QStringList(8, QString(8, QLatin1Char('|'))));
    QVERIFY(picturesShown(*form).isEmpty());

    scripted.shown.clear();
    frame.mnuFileSave_Click();  // asks for a name; Cancel
    QCOMPARE(scripted.texts(), QStringList{"You must select a proper file!"});
    QCOMPARE(bytesOf(file), before);
}

void CleanStartTest::importOverImportShowsOnlyTheNewSignal() {
    ScriptedDialogs scripted;
    Tavimo alone, over;
    importSet(alone, scripted, QStringLiteral("lagging"), QStringLiteral("csv"));
    importSet(over, scripted, QStringLiteral("chattanooga"), QStringLiteral("csv"));
    importSet(over, scripted, QStringLiteral("lagging"), QStringLiteral("csv"));
    Form1& expected = *alone.timingWindow();
    Form1& shown = *over.timingWindow();
    QCOMPARE(positionsShown(shown), positionsShown(expected));
    QCOMPARE(picturesShown(shown), picturesShown(expected));

    // Each phase stands at one position only.
    QStringList phases;
    for (int k = 1; k <= kPositions; ++k)
        if (!phasePullDown(shown, k)->text().isEmpty()) phases << phasePullDown(shown, k)->text();
    QCOMPARE(phases.removeDuplicates(), 0);

    // An import belongs to no file: Save asks for a name.
    QCOMPARE(shown.state().plan.projectFile, std::string());
}

void CleanStartTest::openOverALargerSignalCalculatesAsTheCalculator() {
    const QString six = dir_.filePath(QStringLiteral("six.tvm"));
    QFile::remove(six);
    QVERIFY(QFile::copy(kData + "six-phases.tvm", six));
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    open(frame, scripted, kData + "main-and-1st.tvm");
    frame.timingWindow()->Calculate_Click();
    open(frame, scripted, six);
    Form1& form = *frame.timingWindow();
    for (int k : {3, 7}) QCOMPARE(field(form, "split", k)->text(), QString());

    // Saved before calculating, the file gets back exactly its own six phases.
    frame.mnuFileSave_Click();
    QCOMPARE(bytesOf(six), bytesOf(kData + "six-phases.tvm"));

    QTest::mouseClick(named<QPushButton>(form, "Calculate"), Qt::LeftButton);
    QCOMPARE(resultsShown(form), calculatorResults(six));
}

void CleanStartTest::resetMovementsWaitsWhileMovementsAreLocked() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    open(frame, scripted, kData + "main-and-1st.tvm");
    Form1& form = *frame.timingWindow();
    QPushButton* resetMove = named<QPushButton>(form, "ResetMove");
    QVERIFY(!resetMove->isEnabled());

    scripted.answers = {Answer::Ok};
    form.Reset_Click();
    QVERIFY(resetMove->isEnabled());
    QTest::mouseClick(resetMove, Qt::LeftButton);
    QCOMPARE(entries(movementPullDown(form, 1)), (QStringList{"NB", "EB", "SB", "WB"}));

    scripted.answers = {Answer::Discard};  // the reset movements are given up for the import
    importSet(frame, scripted, QStringLiteral("chattanooga"), QStringLiteral("csv"));
    QVERIFY(!resetMove->isEnabled());

    // New over the imported signal: the coordinated pull-down it asks for can be chosen.
    frame.New_Click();
    newSignal* dialog = frame.newSignalDialog();
    child<QLineEdit>(dialog, "cycleLength")->setText(QStringLiteral("90"));
    child<QPushButton>(dialog, "OKnew")->click();
    settle();
    QVERIFY(resetMove->isEnabled());
    PickList* coordinated = phasePullDown(form, 2);
    QVERIFY(coordinated->isEnabled() && !coordinated->isLocked());
    pick(coordinated, QStringLiteral("2"));
    QCOMPARE(coordinated->text(), QStringLiteral("2"));
}

void CleanStartTest::longResultsShowTheirStartAndWholeText() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    open(frame, scripted, kData + "long-result.tvm");
    Form1& form = *frame.timingWindow();
    QTest::mouseClick(named<QPushButton>(form, "Calculate"), Qt::LeftButton);
    QLineEdit* end = field(form, "ppe", 4);
    QCOMPARE(end->text(), QStringLiteral("70.39999"));  // the text itself stays as calculated
    QCOMPARE(end->cursorPosition(), 0);
    QVERIFY(end->toolTip().startsWith(QStringLiteral("70.39999\n")));
    QCOMPARE(field(form, "split", 1)->cursorPosition(), 0);
    QVERIFY(field(form, "split", 1)->toolTip().startsWith(QStringLiteral("8.8\n")));
}

void CleanStartTest::enterPressesTheFocusedButton_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("asked");  // the message the press leads to, "" for none
    QTest::addColumn<bool>("keypad");    // the keypad's Enter rather than Return
    for (bool keypad : {false, true}) {
        const char* key = keypad ? "keypad Enter" : "Return";
        QTest::addRow("Calculate, %s", key) << "Calculate" << "" << keypad;
        QTest::addRow("Reset, %s", key) << "Reset" << "Are you sure you want to reset the form?" << keypad;
        QTest::addRow("Exit, %s", key) << "Exit" << "Restart Project?" << keypad;
    }
}

void CleanStartTest::enterPressesTheFocusedButton() {
    QFETCH(QString, button);
    QFETCH(QString, asked);
    QFETCH(bool, keypad);
    ScriptedDialogs scripted;
    Form1 form;
    form.setState(leadSignal());
    QVERIFY(showActive(form));
    auto* b = named<QPushButton>(form, qPrintable(button));
    b->setFocus(Qt::TabFocusReason);
    if (keypad) QTest::keyClick(b, Qt::Key_Enter, Qt::KeypadModifier);
    else QTest::keyClick(b, Qt::Key_Return);
    if (asked.isEmpty()) QTRY_VERIFY(!field(form, "force", 1)->text().isEmpty());
    else QTRY_COMPARE(scripted.texts().value(0), asked);
}

void CleanStartTest::resultsAreOutOfTheTabChain() {
    ScriptedDialogs scripted;
    Form1 form;
    form.setState(leadSignal());
    QVERIFY(showActive(form));
    field(form, "split", 1)->setFocus(Qt::TabFocusReason);
    for (int step = 0; step < 120; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QString name = QApplication::focusWidget()->objectName();
        QVERIFY2(name != "force" && name != "pps" && name != "ppe", qPrintable(name));
    }
    // Still there to be selected and copied.
    QLineEdit* result = field(form, "force", 2);
    QVERIFY(result->isReadOnly());
    QTest::mouseClick(result, Qt::LeftButton);
    QVERIFY(result->hasFocus());
}

void CleanStartTest::narrowWindowBarsShowTheirPhaseInFull() {
    ScriptedDialogs scripted;
    Form1 form;
    for (bool yield : {false, true}) {
        WindowState s = leadSignal();
        s.chart.windowTextRightAligned = yield;
        s.chart.windows[PP2].width = 30;  // 2 px: narrower than "Ø4"
        s.chart.windowText[PP2] = "\xC3\x98" "4";
        s.chart.windowText[PP1] = "\xC3\x98" "3";
        form.setState(s);
        QVERIFY(showActive(form));
        // Beside the bar, whole, in plain text: a box of the window's colour there
        // would read as a window of its own.
        const ChartItem* bar = chartItem(form, "PP2");
        const ChartItem* label = besideLabel(form, "PP2");
        QVERIFY(bar && label && bar->text.isEmpty());
        QCOMPARE(label->text, QString::fromUtf8("\xC3\x98" "4"));
        QVERIFY(label->rect.width() >= form.fontMetrics().horizontalAdvance(label->text));
        QVERIFY(label->rect.left() >= bar->rect.right() || label->rect.right() <= bar->rect.left());
        QVERIFY(!label->fill.isValid());
        QVERIFY(!besideLabel(form, "PP1") && !chartItem(form, "PP1")->text.isEmpty());  // a wide bar holds its own
    }
}

void CleanStartTest::messageBoxesHaveRoomForTheirTitle() {
    QMessageBox box;
    box.setWindowTitle(kApplicationTitle);
    box.setText(QStringLiteral("Unable to Print!"));
    makeRoomForTitle(box);
    box.show();
    QVERIFY(box.width() >= titleBarWidthFor(box));
}

QTEST_MAIN(CleanStartTest)
#include "test_clean_start.moc"
