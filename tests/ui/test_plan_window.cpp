// SPDX-License-Identifier: MIT
// The plan window through its widgets: a lead-lag plan from a network file, a split
// edited, Calculate, Save, and the file opened again; bad input changes nothing, and
// changes are not lost when the window closes.
#include <QLabel>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "helpers/scripted_dialogs.h"
#include "helpers/widgets.h"
#include "ui/dialogs/import_network_dialog.h"
#include "ui/main/tavimo_window.h"
#include "ui/plan/plan_window.h"
#include "ui/timing/chart_view.h"
#include "io/network_plan.h"
#include "io/utdf_network.h"

using namespace tavimo;
using namespace tavimo::ui;
using namespace tavimo::ui::test;

namespace {

const QString kData = QStringLiteral(TAVIMO_TEST_DATA);

// The row of a phase in a table whose first column names it ("Φ2").
int rowOf(QTableWidget* table, int phase) {
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->item(row, 0)->text() == QStringLiteral("\u03A6%1").arg(phase)) return row;
    qFatal("no row of phase %d", phase);
}

QString cell(QWidget* window, const char* table, int phase, int column) {
    auto* t = child<QTableWidget>(window, table);
    return t->item(rowOf(t, phase), column)->text();
}

void type(QWidget* window, int phase, int column, const QString& text) {
    auto* t = child<QTableWidget>(window, "timingTable");
    t->item(rowOf(t, phase), column)->setText(text);
}

QString chartItem(PlanWindow* window, const std::string& name) {
    auto* chart = window->findChild<ChartView*>();
    for (std::size_t i = 0; i < chart->items().size(); ++i)
        if (chart->items()[i].name == name) return chart->itemName(i);
    return {};
}

constexpr int kSplit = 3, kForceOff = 3;

}  // namespace

class PlanWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QSettings(QStringLiteral("Tavimo"), QStringLiteral("Tavimo")).clear(); }
    void leadLagPlanImportedEditedSavedAndOpenedAgain();
    void aFieldThatDoesNotReadIsNamedAndChangesNothing_data();
    void aFieldThatDoesNotReadIsNamedAndChangesNothing();
};

void PlanWindowTest::leadLagPlanImportedEditedSavedAndOpenedAgain() {
    QTemporaryDir dir;
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    frame.findChild<QAction*>(QStringLiteral("mnuFileAddSignalImportNetwork"))->trigger();
    ImportNetwork* dialog = frame.importNetworkDialog();
    QVERIFY(dialog);
    scripted.fileNames = {kData + "/utdf8/plans/bullhead-parkway-3-lead-lag.csv"};
    child<QPushButton>(dialog, "browseNetwork")->click();
    dialog->selectRow(dialog->rowOf("3"));
    child<QPushButton>(dialog, "Load")->click();
    settle();
    QVERIFY2(scripted.shown.isEmpty(), qPrintable(scripted.texts().join('|')));
    QVERIFY(!frame.timingWindow());  // the eight positions cannot hold it
    PlanWindow* window = frame.activePlanWindow();
    QVERIFY(window);
    // The keys are the new window's, so that it stays in front once the dialog closes.
    QVERIFY(frame.focusWidget() && window->isAncestorOf(frame.focusWidget()));
    QCOMPARE(window->windowTitle(), QStringLiteral("Ring-Barrier Plan - Intersection 3 - Untitled[*]"));
    QCOMPARE(dialog->cellText(dialog->rowOf("3"), ImportNetwork::Agreement),
             QStringLiteral("Force-offs agree with the UTDF file"));

    // Ring 1 lags its left turn, ring 2 leads with it.
    auto* rings = child<QTableWidget>(window, "ringsAndBarriers");
    QCOMPARE(rings->item(0, 0)->text(), QStringLiteral("\u03A62 \u2192 \u03A61"));
    QCOMPARE(rings->item(1, 0)->text(), QStringLiteral("\u03A65 \u2192 \u03A66"));
    QCOMPARE(cell(window, "resultsTable", 2, kForceOff), QStringLiteral("60.5"));
    QCOMPARE(child<QLabel>(window, "offsets")->text(),
             QStringLiteral("Offset: ts2 117.5, last_green 127 (own), type170 48, red 50, flashing_dont_walk 37"));
    QVERIFY(!window->isModified());
    // Φ4 and Φ8 open before the barrier: their labels stay clear of its line.
    const std::vector<ChartItem>& items = window->findChild<ChartView*>()->items();
    int labels = 0;
    for (const ChartItem& label : items) {
        if (label.part != ChartPart::Window || label.text.isEmpty()) continue;
        ++labels;
        for (const ChartItem& line : items)
            QVERIFY2(line.part != ChartPart::Barrier || !line.rect.intersects(label.textRect),
                     qPrintable(QString::fromStdString(label.name + " under " + line.name)));
    }
    QCOMPARE(labels, 4);

    // A field that does not read is named, and nothing changes.
    const Signal before = window->intersection().signal;
    type(window, 1, kSplit, "14s");
    child<QPushButton>(window, "Calculate")->click();
    QCOMPARE(scripted.texts().value(0), QStringLiteral("Split Time for \u03A61 is not a number!"));
    QVERIFY(window->intersection().signal == before);
    QCOMPARE(cell(window, "resultsTable", 2, kForceOff), QStringLiteral("60.5"));

    // Two splits of ring 1 moved by 2 s keep the cycle; phase 2 forces off 2 s earlier.
    type(window, 1, kSplit, "14");
    type(window, 2, kSplit, "61.5");
    QVERIFY(window->resultsStale());
    child<QPushButton>(window, "Calculate")->click();
    QCOMPARE(scripted.shown.size(), 1);
    QCOMPARE(cell(window, "resultsTable", 2, kForceOff), QStringLiteral("58.5"));
    QCOMPARE(cell(window, "resultsTable", 1, kForceOff), QStringLiteral("71"));
    QCOMPARE(chartItem(window, "green2"), QStringLiteral("Ring 1: \u03A62 green, 0 to 58.5 s"));
    QVERIFY(window->resultsText().contains("Coordinated:  2, 6"));
    QVERIFY(window->isModified());

    // Save asks for a name and gives it the project's extension.
    scripted.fileNames = {dir.filePath("lead-lag")};
    child<QPushButton>(window, "save")->click();
    const QString path = dir.filePath("lead-lag.tavimo");
    QVERIFY(QFile::exists(path));
    QCOMPARE(scripted.filters.last(), PlanWindow::kPlanFilter);
    QVERIFY(!window->isModified());
    const Signal saved = window->intersection().signal;

    // A changed window asks before it closes: Cancel keeps it, Discard lets it go.
    type(window, 2, kSplit, "61");
    auto* planFrame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    scripted.answers = {Answer::Cancel};
    QVERIFY(!planFrame->close());
    QCOMPARE(scripted.texts().last(), QStringLiteral("Save changes to lead-lag.tavimo?"));
    scripted.answers = {Answer::Discard};
    QVERIFY(planFrame->close());
    settle();
    QVERIFY(frame.planWindows().isEmpty());

    // File > Open lists projects beside .tvm files and opens this one as it was saved.
    scripted.fileNames = {path};
    frame.findChild<QAction*>(QStringLiteral("mnuFileOpen"))->trigger();
    QCOMPARE(scripted.filters.last(), Tavimo::kOpenFilter);
    PlanWindow* opened = frame.activePlanWindow();
    QVERIFY(opened);
    QVERIFY(opened->intersection().signal == saved);
    QCOMPARE(cell(opened, "timingTable", 2, kSplit), QStringLiteral("61.5"));
    QCOMPARE(cell(opened, "resultsTable", 2, kForceOff), QStringLiteral("58.5"));
    QCOMPARE(opened->filePath(), path);

    // A chart and a report of the plan leave through the atomic writer.
    scripted.fileNames = {dir.filePath("chart.svg")};
    child<QPushButton>(opened, "exportChart")->click();
    QFile svg(dir.filePath("chart.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QVERIFY(svg.readAll().contains("SR 95 &amp; Bullhead Pkwy"));
    dialog->close();
    settle();

    // The picture of the window for the guide, where TAVIMO_SCREENSHOTS names a folder.
    const QString folder = qEnvironmentVariable("TAVIMO_SCREENSHOTS");
    if (!folder.isEmpty()) {
        frame.statusBar()->clearMessage();
        QTest::qWait(200);
        QVERIFY(frame.grab().save(QDir(folder).filePath("app-plan-window.png")));
    }

    // Leaving Tavimo asks for a changed plan too; Cancel keeps everything open.
    type(opened, 2, kSplit, "60");
    scripted.answers = {Answer::Cancel};
    QVERIFY(!frame.close());
    QCOMPARE(frame.planWindows().size(), 1);
    QCOMPARE(scripted.texts().last(), QStringLiteral("Save changes to lead-lag.tavimo?"));
}

void PlanWindowTest::aFieldThatDoesNotReadIsNamedAndChangesNothing_data() {
    QTest::addColumn<int>("column");  // of the timing table, or -1 for the cycle length
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("told");
    QTest::newRow("split no number") << kSplit << "12s" << "Split Time for \u03A61 is not a number!";
    QTest::newRow("negative min green") << 4 << "-1" << "Min Green for \u03A61 is out of range!";
    QTest::newRow("absurd amber") << 5 << "100000" << "Amber Time for \u03A61 is out of range!";
    QTest::newRow("split left out")
        << kSplit << "" << "Split Time for \u03A61 is empty: give split, min green, amber and all red together, or none of them";
    QTest::newRow("walk no number") << 7 << "seven" << "Walk for \u03A61 is not a number!";
    QTest::newRow("cycle no number") << -1 << "130 s" << "Cycle Length is not a number!";
}

void PlanWindowTest::aFieldThatDoesNotReadIsNamedAndChangesNothing() {
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, told);
    auto read = readUtdfNetwork((kData + "/utdf8/plans/bullhead-parkway-3-lead-lag.csv").toStdString());
    QVERIFY(std::holds_alternative<UtdfNetwork>(read));
    auto built = networkPlan(*std::get<UtdfNetwork>(read).find("3"), Controller::NemaTs2, SignalMode::Permissive);
    QVERIFY(std::holds_alternative<Signal>(built));
    QTemporaryDir dir;
    const QString path = dir.filePath("plan.tavimo");
    ScriptedDialogs scripted;
    PlanWindow window;
    window.showProject(PlanProject{{ProjectIntersection{"3", std::get<Signal>(built)}}, {}}, path);
    const Signal before = window.intersection().signal;

    if (column < 0) child<QLineEdit>(&window, "cycleLength")->setText(typed);
    else type(&window, 1, column, typed);
    QVERIFY(!window.calculate());
    QVERIFY(!window.save());  // Save reads the same fields: nothing is written
    QCOMPARE(scripted.texts(), QStringList(2, told));
    QVERIFY(window.intersection().signal == before);
    QCOMPARE(cell(&window, "resultsTable", 2, kForceOff), QStringLiteral("60.5"));
    QVERIFY(!QFile::exists(path));
}

QTEST_MAIN(PlanWindowTest)
#include "test_plan_window.moc"
