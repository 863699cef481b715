// SPDX-License-Identifier: MIT
// The import dialog: choosing the three UTDF files, what "Load" puts into the timing
// window, and reading failures that leave everything as it was.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "helpers/layout_checks.h"
#include "helpers/scripted_dialogs.h"
#include "helpers/widgets.h"
#include "ui/dialogs/import_dialog.h"
#include "ui/main/tavimo_window.h"
#include "ui/timing/form1.h"

using namespace tavimo;
using namespace tavimo::ui;
using namespace tavimo::ui::test;

namespace {

const QString kUtdf = QStringLiteral(TAVIMO_TEST_DATA "/utdf/");

Import* openDialog(Tavimo& frame) {
    frame.mnuFileAddSignalImport_Click();
    return frame.importDialog();
}

// Chooses the three files through the Browse... buttons.
void browseAll(Import* dialog, ScriptedDialogs& scripted, const QString& folder, const QString& timing,
               const QString& phasing, const QString& lanes) {
    scripted.fileNames = {kUtdf + folder + timing, kUtdf + folder + phasing, kUtdf + folder + lanes};
    child<QPushButton>(dialog, "browseTiming")->click();
    child<QPushButton>(dialog, "browsePhasing")->click();
    child<QPushButton>(dialog, "browseLanes")->click();
}

}  // namespace

class ImportDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadFillsLocksAndCalculates_data();
    void loadFillsLocksAndCalculates();
    void lagMarkGivesTheLagLayout();
    void browseUsesSynchroNamesAndKeepsThePathOnCancel();
    void failedReadLeavesWindowAndDialog_data();
    void failedReadLeavesWindowAndDialog();
    void enterLoadsAndEscCancels();
    void browseStartsInTheLastFolderAndFillsItsNeighbours();
    void controlsAsDesigned();
};

void ImportDialogTest::loadFillsLocksAndCalculates_data() {
    QTest::addColumn<QString>("form");  // file extension of the three files
    QTest::addColumn<bool>("nema");
    QTest::addColumn<bool>("permissive");
    QTest::addColumn<QString>("controller");
    QTest::addColumn<QString>("controlText");
    QTest::addColumn<QString>("mode");
    QTest::newRow("csv NEMA Permissive") << "csv" << true << true << "Nema" << "Nema" << "Permissive";
    QTest::newRow("csv 170 Yield") << "csv" << false << false << "one70" << "170" << "Yield";
    QTest::newRow("dat NEMA Yield") << "dat" << true << false << "Nema" << "Nema" << "Yield";
}

void ImportDialogTest::loadFillsLocksAndCalculates() {
    QFETCH(QString, form);
    QFETCH(bool, nema);
    QFETCH(bool, permissive);
    QFETCH(QString, controller);
    QFETCH(QString, controlText);
    QFETCH(QString, mode);

    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    Import* dialog = openDialog(frame);
    browseAll(dialog, scripted, "chattanooga/", "TIMING." + form, "PHASING." + form, "LANES." + form);
    child<QRadioButton>(dialog, nema ? "Nema" : "type170")->setChecked(true);
    child<QRadioButton>(dialog, permissive ? "Permissive" : "Yield")->setChecked(true);
    child<QPushButton>(dialog, "Load")->click();
    settle();

    QVERIFY2(scripted.shown.isEmpty(), qPrintable(scripted.texts().join('|')));
    QVERIFY(!frame.importDialog());
    Form1* window = frame.timingWindow();
    QVERIFY(window && window->isVisible());
    const SignalPlan plan = window->state().plan;
    QCOMPARE(QString::fromStdString(plan.controller), controller);
    QCOMPARE(QString::fromStdString(plan.controlText), controlText);
    QCOMPARE(QString::fromStdString(plan.mode), mode);
    QCOMPARE(plan.arrangement, std::string("Lead"));
    QCOMPARE(plan.cycleLength, std::string("100"));
    const char* splits[] = {"18", "27", "20", "35", "18", "27", "15", "40"};
    for (int k = 1; k <= kPositions; ++k) {
        const Position& p = plan.at(k);
        QCOMPARE(p.phase, std::to_string(k));
        QCOMPARE(QString::fromStdString(p.split).trimmed(), QString(splits[k - 1]));  // .dat keeps column blanks
        QVERIFY(p.phaseLocked);
        QVERIFY(p.movementLocked);
        QVERIFY(p.movementIndex >= 0);
        QVERIFY(!p.force.empty());  // "Load" ran the calculation
    }
}

void ImportDialogTest::lagMarkGivesTheLagLayout() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    Import* dialog = openDialog(frame);
    browseAll(dialog, scripted, "lagging/", "TIMING.csv", "PHASING.csv", "LANES.csv");
    dialog->Load_Click();
    settle();
    QVERIFY(!frame.importDialog());
    const WindowState state = frame.timingWindow()->state();
    QCOMPARE(state.plan.arrangement, std::string("Lag"));
    QVERIFY(!state.chart.windows[PPend1].visible);
    QVERIFY(!state.chart.windows[PPend2].visible);
    QCOMPARE(state.plan.at(1).movementList, movementListFor("Lag", 1));
}

void ImportDialogTest::browseUsesSynchroNamesAndKeepsThePathOnCancel() {
    ScriptedDialogs scripted;
    Tavimo frame;
    Import* dialog = openDialog(frame);
    browseAll(dialog, scripted, "chattanooga/", "TIMING.csv", "PHASING.csv", "LANES.csv");
    QCOMPARE(scripted.filters, (QStringList{"Timing Files (*.dat;*.csv)|TIMING.dat;TIMING.csv",
                                            "Phasing Files (*.dat;*.csv)|PHASING.dat;PHASING.csv",
                                            "Lanes Files (*.dat;*.csv)|LANES.dat;LANES.csv"}));
    QCOMPARE(child<QLineEdit>(dialog, "Timing")->text(), kUtdf + "chattanooga/TIMING.csv");
    QCOMPARE(child<QLineEdit>(dialog, "Lanes")->text(), kUtdf + "chattanooga/LANES.csv");

    for (const char* browse : {"browseTiming", "browsePhasing", "browseLanes"})
        child<QPushButton>(dialog, browse)->click();  // no name scripted: Cancel
    QCOMPARE(scripted.texts(), QStringList(3, "You must select a proper file!"));
    for (const Message& m : scripted.shown) {
        QCOMPARE(m.title, QString("File Error"));
        QCOMPARE(m.icon, Icon::Information);
    }
    QCOMPARE(child<QLineEdit>(dialog, "Phasing")->text(), kUtdf + "chattanooga/PHASING.csv");
}

void ImportDialogTest::failedReadLeavesWindowAndDialog_data() {
    QTest::addColumn<QString>("timing");
    QTest::addColumn<QString>("phasing");
    QTest::addColumn<QString>("lanes");
    QTest::addColumn<QString>("named");  // what the message names
    QTest::newRow("lanes not chosen") << "chattanooga/TIMING.csv" << "chattanooga/PHASING.csv" << "" << "LANES";
    QTest::newRow("missing timing") << "nowhere/TIMING.csv" << "chattanooga/PHASING.csv"
                                    << "chattanooga/LANES.csv" << "nowhere/TIMING.csv";
}

void ImportDialogTest::failedReadLeavesWindowAndDialog() {
    QFETCH(QString, timing);
    QFETCH(QString, phasing);
    QFETCH(QString, lanes);
    QFETCH(QString, named);

    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    // A signal is on screen; it must survive a failed import untouched.
    scripted.fileNames = {QStringLiteral(TAVIMO_TEST_DATA "/main-and-1st.tvm")};
    frame.mnuFileOpen_Click();
    const SignalPlan before = frame.timingWindow()->state().plan;

    Import* dialog = openDialog(frame);
    for (const auto& [box, file] : {std::pair{"Timing", timing}, {"Phasing", phasing}, {"Lanes", lanes}})
        child<QLineEdit>(dialog, box)->setText(file.isEmpty() ? QString() : kUtdf + file);
    dialog->Load_Click();
    settle();

    QCOMPARE(scripted.shown.size(), 1);
    QCOMPARE(scripted.shown[0].title, QString("File Error"));
    QVERIFY2(scripted.shown[0].text.contains(named, Qt::CaseInsensitive), qPrintable(scripted.shown[0].text));
    QCOMPARE(frame.importDialog(), dialog);
    const SignalPlan after = frame.timingWindow()->state().plan;
    QCOMPARE(after.cycleLength, before.cycleLength);
    QCOMPARE(after.at(1).split, before.at(1).split);
    QCOMPARE(after.at(1).phaseLocked, before.at(1).phaseLocked);
    QCOMPARE(after.description, before.description);
}

void ImportDialogTest::enterLoadsAndEscCancels() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    Import* dialog = openDialog(frame);
    QVERIFY(child<QPushButton>(dialog, "Load")->isDefault());
    QTest::keyClick(child<QRadioButton>(dialog, "Yield"), Qt::Key_Return);
    QCOMPARE(scripted.shown.size(), 1);  // Load ran and found no files
    QCOMPARE(scripted.shown[0].title, QString("File Error"));
    QVERIFY(!frame.timingWindow());

    QTest::keyClick(dialog, Qt::Key_Escape);
    settle();
    QVERIFY(!frame.importDialog());
    QVERIFY(!frame.timingWindow());
}

void ImportDialogTest::browseStartsInTheLastFolderAndFillsItsNeighbours() {
    // Folder A holds a whole set as .csv; folder B a TIMING.csv with only .dat
    // neighbours, which are another form and are not taken.
    QTemporaryDir dir;
    const QString a = dir.filePath("A"), b = dir.filePath("B");
    QVERIFY(QDir().mkpath(a) && QDir().mkpath(b));
    for (const char* name : {"TIMING.csv", "PHASING.csv", "LANES.csv"})
        QVERIFY(QFile::copy(kUtdf + "chattanooga/" + name, a + "/" + name));
    for (const char* name : {"TIMING.csv", "PHASING.dat", "LANES.dat"})
        QVERIFY(QFile::copy(kUtdf + "chattanooga/" + name, b + "/" + name));

    ScriptedDialogs scripted;
    Tavimo frame;
    Import* dialog = openDialog(frame);
    auto* timing = child<QLineEdit>(dialog, "Timing");
    auto* phasing = child<QLineEdit>(dialog, "Phasing");
    auto* lanes = child<QLineEdit>(dialog, "Lanes");

    scripted.fileNames = {b + "/TIMING.csv"};
    child<QPushButton>(dialog, "browseTiming")->click();
    QCOMPARE(phasing->text(), QString());
    QCOMPARE(lanes->text(), QString());

    scripted.fileNames = {a + "/PHASING.csv"};
    child<QPushButton>(dialog, "browsePhasing")->click();
    QCOMPARE(lanes->text(), a + "/LANES.csv");          // an empty box is filled
    QCOMPARE(timing->text(), b + "/TIMING.csv");        // a chosen one is kept

    child<QPushButton>(dialog, "browseTiming")->click();  // Cancel
    QCOMPARE(scripted.folders, (QStringList{QString(), b, a}));
}

void ImportDialogTest::controlsAsDesigned() {
    ScriptedDialogs scripted;
    Tavimo frame;
    Import* dialog = openDialog(frame);
    QCOMPARE(dialog->windowTitle(), QString("Import Signal Data from SYNCHRO"));
    QCOMPARE(dialog->font().family(), QString("Arial"));
    QVERIFY(child<QLabel>(dialog, "LogoNew")->pixmap().width() > 0);

    const QList<QPair<const char*, const char*>> boxes = {
        {"Timing", "Syncho data transfer timing file."}, {"Phasing", "Syncho data transfer phasing file."}, {"Lanes", ""}};
    for (const auto& [name, hint] : boxes) {
        auto* box = child<QLineEdit>(dialog, name);
        QVERIFY(box->isReadOnly());  // filled only by Browse...
        QCOMPARE(box->toolTip(), QString(hint));
    }
    const QList<QPair<const char*, const char*>> hints = {
        {"Nema", "Local time zero referenced at beginning of coordinated green."},
        {"type170", "Local time zero referenced at beginning of coordinated yellow."},
        {"Permissive", "Maximizes extension of coordinated green."},
        {"Yield", "Maximizes early return to coordinated green."}};
    for (const auto& [name, hint] : hints) QCOMPARE(child<QRadioButton>(dialog, name)->toolTip(), QString(hint));
    QVERIFY(child<QRadioButton>(dialog, "Nema")->isChecked());
    QVERIFY(child<QRadioButton>(dialog, "Permissive")->isChecked());

    const QStringList order = {"type170", "Nema", "Yield", "Permissive", "Timing", "browseTiming",
                               "Phasing", "browsePhasing", "Load", "Cancel", "browseLanes", "Lanes"};
    checkKeyboardOrderAndRoom(dialog, order);
}

QTEST_MAIN(ImportDialogTest)
#include "test_dialogs_import.moc"
