// SPDX-License-Identifier: MIT
// The network import dialog through its real widgets: the menu item, choosing the file,
// the list of intersections, Load and double-click, and files that cannot be read.
#include <QLabel>
#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QSettings>
#include <QListWidget>
#include <QTableView>
#include <QtTest>

#include "helpers/layout_checks.h"
#include "helpers/scripted_dialogs.h"
#include "helpers/widgets.h"
#include "ui/dialogs/import_network_dialog.h"
#include "ui/main/tavimo_window.h"
#include "ui/plan/plan_window.h"
#include "ui/timing/form1.h"

using namespace tavimo;
using namespace tavimo::ui;
using namespace tavimo::ui::test;

namespace {

const QString kData = QStringLiteral(TAVIMO_TEST_DATA);

ImportNetwork* openFromMenu(Tavimo& frame) {
    auto* action = frame.findChild<QAction*>(QStringLiteral("mnuFileAddSignalImportNetwork"));
    if (!action) qFatal("no network import in the menu");
    action->trigger();
    return frame.importNetworkDialog();
}

// The INTIDs in the order the list shows them.
QStringList idsShown(const ImportNetwork* dialog) {
    QStringList ids;
    for (int row = 0; row < dialog->rowCount(); ++row) ids << dialog->cellText(row, ImportNetwork::IntId);
    return ids;
}

// The INTIDs selected in the intersection list, in the order shown.
QStringList idsSelected(ImportNetwork* dialog) {
    QStringList ids;
    const auto* view = child<QTableView>(dialog, "intersections");
    for (int row = 0; row < dialog->rowCount(); ++row)
        if (view->selectionModel()->isRowSelected(row, {})) ids << dialog->cellText(row, ImportNetwork::IntId);
    return ids;
}

int corridorRowOf(const CorridorPanel* panel, const QString& street, const QString& ids) {
    for (int row = 0; row < panel->corridorCount(); ++row)
        if (panel->corridorText(row, CorridorPanel::Street) == street &&
            panel->corridorText(row, CorridorPanel::Intersections) == ids)
            return row;
    return -1;
}

QStringList routeShown(ImportNetwork* dialog) {
    QStringList ids;
    auto* list = child<QListWidget>(dialog, "route");
    for (int row = 0; row < list->count(); ++row) ids << list->item(row)->text().section(':', 0, 0);
    return ids;
}

// Selects `id` in the intersection list and adds it to the end of the route.
void addToRoute(ImportNetwork* dialog, const QString& id) {
    dialog->selectRow(dialog->rowOf(id));
    child<QPushButton>(dialog, "addToRoute")->click();
}

ImportNetwork* openGlendale(Tavimo& frame, ScriptedDialogs& scripted) {
    ImportNetwork* dialog = openFromMenu(frame);
    scripted.fileNames = {kData + "/utdf8/glendale.csv"};
    child<QPushButton>(dialog, "browseNetwork")->click();
    return dialog;
}

}  // namespace

class ImportNetworkDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QSettings(QStringLiteral("Tavimo"), QStringLiteral("Tavimo")).clear(); }
    void listsTheIntersectionsAndLoadsTheChosenOne();
    void listSortsFiltersFindsAndIsRemembered();
    void doubleClickLoadsAndARefusedPlanLeavesTheWindow();
    void corridorsAndARouteByHand();
    void routeThatCannotBeTravelledIsRefused_data();
    void routeThatCannotBeTravelledIsRefused();
    void fileThatCannotBeReadIsNamed_data();
    void fileThatCannotBeReadIsNamed();
};

void ImportNetworkDialogTest::listsTheIntersectionsAndLoadsTheChosenOne() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    ImportNetwork* dialog = openFromMenu(frame);
    QVERIFY(dialog);
    scripted.fileNames = {kData + "/utdf8/chattanooga.csv"};
    child<QPushButton>(dialog, "browseNetwork")->click();
    QCOMPARE(scripted.filters, QStringList{"UTDF Files (*.csv)|*.csv"});
    QVERIFY2(scripted.shown.isEmpty(), qPrintable(scripted.texts().join('|')));

    QCOMPARE(dialog->rowCount(), 8);  // the signals; the other nodes have no timing plan
    const int refused = dialog->rowOf("33");
    QCOMPARE(dialog->cellText(refused, ImportNetwork::Holdable), QString("phase 9 is in use: opens in a plan window"));
    const int two = dialog->rowOf("2");
    QCOMPARE(dialog->cellText(two, ImportNetwork::Description), QString("2: Hickory Valley Rd. & Shallowford Rd."));
    QCOMPARE(dialog->cellText(two, ImportNetwork::Cycle), QString("100"));
    QCOMPARE(dialog->cellText(two, ImportNetwork::Arrangement), QString("Dual Lead"));
    QCOMPARE(dialog->cellText(two, ImportNetwork::Holdable), QString("can be imported"));

    dialog->selectRow(two);
    QVERIFY(child<QRadioButton>(dialog, "Nema")->isChecked());  // Referenced To 0: NEMA TS2
    child<QRadioButton>(dialog, "type170")->setChecked(true);
    child<QRadioButton>(dialog, "Yield")->setChecked(true);
    QVERIFY(child<QPushButton>(dialog, "Load")->isDefault());
    child<QPushButton>(dialog, "Load")->click();
    settle();

    QVERIFY2(scripted.shown.isEmpty(), qPrintable(scripted.texts().join('|')));
    Form1* window = frame.timingWindow();
    QVERIFY(window && window->isVisible());
    const SignalPlan plan = window->state().plan;
    QCOMPARE(plan.description, std::string("2: Hickory Valley Rd. & Shallowford Rd."));
    QCOMPARE(plan.controller, std::string(tag::kType170));
    QCOMPARE(plan.mode, std::string(tag::kYield));
    QCOMPARE(plan.at(2).phase, std::string("2"));
    QVERIFY(plan.at(2).phaseLocked && plan.at(2).movementLocked);
    QVERIFY(!plan.at(4).force.empty());  // Load calculated
    const QString agrees = QStringLiteral("Force-offs agree with the UTDF file");
    QCOMPARE(dialog->cellText(two, ImportNetwork::Agreement), agrees);
    QCOMPARE(frame.statusBar()->currentMessage(),
             QStringLiteral("Intersection 2: Hickory Valley Rd. & Shallowford Rd.: ") + agrees + "; no timing warnings");
    QCOMPARE(frame.importNetworkDialog(), dialog);  // open for the next intersection
}

void ImportNetworkDialogTest::listSortsFiltersFindsAndIsRemembered() {
    ScriptedDialogs scripted;
    {
        Tavimo frame;
        frame.show();
        ImportNetwork* dialog = openFromMenu(frame);
        scripted.fileNames = {kData + "/utdf8/glendale.csv"};
        child<QPushButton>(dialog, "browseNetwork")->click();
        QVERIFY2(scripted.shown.isEmpty(), qPrintable(scripted.texts().join('|')));
        const QStringList ids = idsShown(dialog);
        QVERIFY(ids.size() > 3);

        // INTIDs sort as numbers, both ways; cycles too.
        auto* view = child<QTableView>(dialog, "intersections");
        view->sortByColumn(ImportNetwork::IntId, Qt::DescendingOrder);
        QStringList descending = idsShown(dialog);
        std::sort(descending.begin(), descending.end(), [](const QString& a, const QString& b) { return a.toLongLong() > b.toLongLong(); });
        QCOMPARE(idsShown(dialog), descending);
        view->sortByColumn(ImportNetwork::Cycle, Qt::AscendingOrder);
        for (int row = 1; row < dialog->rowCount(); ++row)
            QVERIFY(dialog->cellText(row - 1, ImportNetwork::Cycle).toDouble() <= dialog->cellText(row, ImportNetwork::Cycle).toDouble());
        view->sortByColumn(ImportNetwork::IntId, Qt::AscendingOrder);

        // Typing an INTID in the list goes to its row; the filter keeps matching rows only.
        const QString wanted = ids[ids.size() / 2];
        dialog->selectRow(0);
        view->setFocus();
        QTest::keyClicks(view, wanted);
        QCOMPARE(dialog->cellText(view->currentIndex().row(), ImportNetwork::IntId), wanted);
        const QString street = dialog->cellText(dialog->rowOf(wanted), ImportNetwork::Description).section(' ', 1, 1);
        QTest::keyClicks(child<QLineEdit>(dialog, "networkFilter"), street.toLower());
        QVERIFY(dialog->rowCount() >= 1 && dialog->rowCount() < ids.size());
        for (int row = 0; row < dialog->rowCount(); ++row) {
            QStringList cells;
            for (int c = 0; c < ImportNetwork::Columns; ++c) cells << dialog->cellText(row, ImportNetwork::Column(c));
            QVERIFY2(cells.join(' ').contains(street, Qt::CaseInsensitive), qPrintable(cells.join('|')));
        }
        // Loading a filtered row loads that intersection and names its warnings.
        dialog->selectRow(0);
        const QString loaded = dialog->cellText(0, ImportNetwork::IntId);
        child<QPushButton>(dialog, "Load")->click();
        settle();
        QVERIFY(frame.timingWindow()->state().plan.description.rfind(loaded.toStdString() + ":", 0) == 0);
        QVERIFY2(frame.statusBar()->currentMessage().contains(QRegularExpression("; (no|\\d+) timing warnings?$")),
                 qPrintable(frame.statusBar()->currentMessage()));
        child<QPushButton>(dialog, "Cancel")->click();
        settle();
    }
    // The next start lists the same file again, at the dialog's last size.
    Tavimo frame;
    frame.show();
    ImportNetwork* dialog = openFromMenu(frame);
    QCOMPARE(child<QLineEdit>(dialog, "networkFile")->text(), QFileInfo(kData + "/utdf8/glendale.csv").absoluteFilePath());
    QVERIFY(dialog->rowCount() > 3);
}

void ImportNetworkDialogTest::doubleClickLoadsAndARefusedPlanLeavesTheWindow() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    ImportNetwork* dialog = openFromMenu(frame);
    auto* path = child<QLineEdit>(dialog, "networkFile");
    path->setFocus();
    QTest::keyClicks(path, kData + "/utdf8/peoria-3-7.csv");
    QTest::keyClick(path, Qt::Key_Return);  // reads the file; loads nothing yet
    QCOMPARE(dialog->rowCount(), 2);
    QVERIFY(!frame.timingWindow());

    const int three = dialog->rowOf("3");
    dialog->selectRow(three);
    QVERIFY(child<QRadioButton>(dialog, "type170")->isChecked());  // Referenced To 1: Type 170
    auto* view = child<QTableView>(dialog, "intersections");
    const QRect cell = view->visualRect(view->model()->index(three, ImportNetwork::Description));
    // The view sees a double-click only after the press of the first click.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    settle();
    QVERIFY(frame.timingWindow());
    QVERIFY2(scripted.shown.isEmpty(), qPrintable(scripted.texts().join('|')));
    const SignalPlan loaded = frame.timingWindow()->state().plan;
    QCOMPARE(loaded.cycleLength, std::string("120"));
    QCOMPARE(loaded.at(7).phase, std::string("8"));

    // A plan the grid cannot hold opens in a plan window; the timing window's signal stays.
    scripted.fileNames = {kData + "/utdf8/chattanooga.csv"};
    child<QPushButton>(dialog, "browseNetwork")->click();
    dialog->selectRow(dialog->rowOf("33"));
    child<QPushButton>(dialog, "Load")->click();
    settle();
    QVERIFY2(scripted.shown.isEmpty(), qPrintable(scripted.texts().join('|')));
    QVERIFY(frame.activePlanWindow());
    QCOMPARE(frame.activePlanWindow()->intersection().signal.description,
             std::string("33: Shallowford Rd. & Lee Hwy"));
    QVERIFY(frame.activePlanWindow()->intersection().signal.phase(9));
    QCOMPARE(frame.timingWindow()->state().plan.description, loaded.description);
}

void ImportNetworkDialogTest::corridorsAndARouteByHand() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    ImportNetwork* dialog = openGlendale(frame, scripted);
    QVERIFY2(scripted.shown.isEmpty(), qPrintable(scripted.texts().join('|')));
    checkKeyboardOrderAndRoom(dialog, {"networkFile", "browseNetwork", "networkFilter", "intersections", "corridors",
                                       "route", "takeCorridor", "addToRoute", "routeUp", "removeFromRoute",
                                       "routeDown", "clearRoute", "openCorridor", "Nema", "Load", "Cancel"});
    CorridorPanel* panel = dialog->corridorPanel();
    const int corridor = corridorRowOf(panel, "67th Ave", "3325, 3350, 3375");
    QVERIFY(corridor >= 0);
    QCOMPARE(panel->corridorText(corridor, CorridorPanel::Signals), QString("3"));
    QCOMPARE(panel->corridorText(corridor, CorridorPanel::Cycle), QString("120"));
    QCOMPARE(panel->corridorText(corridorRowOf(panel, "91st Ave", "4900, 4915, 5000, 5025, 5050, 5063, 5100"),
                                 CorridorPanel::Cycle),
             QString("120, 90"));

    // Selecting a corridor selects its signals in the list; Use Corridor starts the route.
    panel->selectCorridor(corridor);
    QCOMPARE(idsSelected(dialog), (QStringList{"3325", "3350", "3375"}));
    auto* open = child<QPushButton>(dialog, "openCorridor");
    QVERIFY(!open->isEnabled());
    child<QPushButton>(dialog, "takeCorridor")->click();
    QCOMPARE(routeShown(dialog), (QStringList{"3325", "3350", "3375"}));
    QVERIFY(open->isEnabled());

    // The route opens as a time-space diagram that outlives the dialog, with the
    // calculator's figures both ways.
    open->click();
    QVERIFY2(scripted.shown.isEmpty(), qPrintable(scripted.texts().join('|')));
    auto* diagram = frame.findChild<QWidget*>(QStringLiteral("corridorWindow"));
    QVERIFY(diagram);
    QCOMPARE(child<QLabel>(diagram, "bandThere")->text(),
             QStringLiteral("3325 to 3375: band 47.37 s, efficiency 0.395, attainability 0.869"));
    QCOMPARE(child<QLabel>(diagram, "bandBack")->text(),
             QStringLiteral("3375 to 3325: band 35.37 s, efficiency 0.295, attainability 0.655"));
    delete diagram;

    // By hand, in the order driven: cleared, added one at a time, a signal added
    // twice kept once, moved, removed.
    child<QPushButton>(dialog, "clearRoute")->click();
    QVERIFY(routeShown(dialog).isEmpty() && !open->isEnabled());
    for (const QString id : {"3350", "3375", "3325", "3350"}) addToRoute(dialog, id);
    QCOMPARE(routeShown(dialog), (QStringList{"3350", "3375", "3325"}));
    auto* route = child<QListWidget>(dialog, "route");
    QCOMPARE(route->currentRow(), 2);  // the signal last added
    QVERIFY(!child<QPushButton>(dialog, "routeDown")->isEnabled());
    child<QPushButton>(dialog, "routeUp")->click();
    child<QPushButton>(dialog, "routeUp")->click();
    QCOMPARE(routeShown(dialog), (QStringList{"3325", "3350", "3375"}));
    QVERIFY(!child<QPushButton>(dialog, "routeUp")->isEnabled());
    child<QPushButton>(dialog, "routeDown")->click();
    QCOMPARE(routeShown(dialog), (QStringList{"3350", "3325", "3375"}));
    child<QPushButton>(dialog, "removeFromRoute")->click();  // 3325, now current
    QCOMPARE(routeShown(dialog), (QStringList{"3350", "3375"}));

    // A route by hand may go on where the street changes its name; the IDs go to the
    // callback in the order of the route.
    addToRoute(dialog, "3425");
    std::vector<std::vector<std::string>> handed;
    dialog->setShowCorridor([&](const std::vector<std::string>& ids) { handed.push_back(ids); });
    scripted.shown.clear();
    open->click();
    QVERIFY2(scripted.shown.isEmpty(), qPrintable(scripted.texts().join('|')));
    QCOMPARE(handed, (std::vector<std::vector<std::string>>{{"3350", "3375", "3425"}}));

    // Another file empties the route.
    scripted.fileNames = {kData + "/utdf8/chattanooga.csv"};
    child<QPushButton>(dialog, "browseNetwork")->click();
    QVERIFY(routeShown(dialog).isEmpty() && !open->isEnabled());
    QVERIFY(panel->corridorCount() >= 1);
}

void ImportNetworkDialogTest::routeThatCannotBeTravelledIsRefused_data() {
    QTest::addColumn<QStringList>("ids");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a signal left out") << QStringList{"3325", "3375"} << "no links lead from 3325 to 3375";
    QTest::newRow("a gap in the street") << QStringList{"3425", "3450", "3750"} << "no links lead from 3450 to 3750";
    QTest::newRow("two streets") << QStringList{"3325", "4900"} << "no links lead from 3325 to 4900";
}

void ImportNetworkDialogTest::routeThatCannotBeTravelledIsRefused() {
    QFETCH(QStringList, ids);
    QFETCH(QString, reason);
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    ImportNetwork* dialog = openGlendale(frame, scripted);
    bool handed = false;
    dialog->setShowCorridor([&](const std::vector<std::string>&) { handed = true; });
    for (const QString& id : ids) addToRoute(dialog, id);
    child<QPushButton>(dialog, "openCorridor")->click();
    QCOMPARE(scripted.shown.size(), 1);
    QCOMPARE(scripted.shown[0].title, QString("Time-Space Diagram"));
    QCOMPARE(scripted.shown[0].text, QStringLiteral("The route %1 cannot be travelled: %2.").arg(ids.join(", "), reason));
    QVERIFY(!handed);
}

void ImportNetworkDialogTest::fileThatCannotBeReadIsNamed_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");  // written to `file` in the temporary folder
    QTest::addColumn<QString>("message");
    QTest::newRow("a project file") << "/main-and-1st.tvm" << QByteArray() << "has no [Phases] section";
    QTest::newRow("missing") << "/utdf8/none.csv" << QByteArray() << "cannot be opened: No such file or directory.";
    QTest::newRow("short record") << "/short.csv"
                                  << QByteArray("[Timeplans]\nRECORDNAME,INTID\nCycle Length,2\n[Phases]\n")
                                  << "line 3, [Timeplans]: the record \"Cycle Length\" has 2 fields; it needs 3.";
    QTest::newRow("INTID written two ways") << "/twice.csv"
                                 << QByteArray("[Timeplans]\nRECORDNAME,INTID,DATA\nCycle Length,7,100\n"
                                               "Cycle Length,007,90\n[Phases]\n")
                                 << "line 4, [Timeplans]: INTID \"007\" is written \"7\" on line 3";
    QTest::newRow("UTF-16") << "/utf16.csv" << QByteArray("\xFF\xFE[\0P\0", 6)
                            << "is UTF-16 text; Tavimo reads UTF-8 and Windows-1252 text";
}

void ImportNetworkDialogTest::fileThatCannotBeReadIsNamed() {
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QTemporaryDir folder;
    const QString data = bytes.isEmpty() ? kData : folder.path();
    if (!bytes.isEmpty()) {
        QFile out(data + file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    scripted.fileNames = {kData + "/main-and-1st.tvm"};
    frame.mnuFileOpen_Click();
    const SignalPlan before = frame.timingWindow()->state().plan;

    ImportNetwork* dialog = openFromMenu(frame);
    scripted.fileNames = {data + file};
    child<QPushButton>(dialog, "browseNetwork")->click();
    QCOMPARE(scripted.shown.size(), 1);
    QCOMPARE(scripted.shown[0].title, QString("File Error"));
    QVERIFY2(scripted.shown[0].text.contains(data + file), qPrintable(scripted.shown[0].text));
    QVERIFY2(scripted.shown[0].text.contains(message), qPrintable(scripted.shown[0].text));
    QCOMPARE(dialog->rowCount(), 0);

    child<QPushButton>(dialog, "Load")->click();  // nothing to load: told, window kept
    QCOMPARE(scripted.shown.size(), 2);
    const SignalPlan after = frame.timingWindow()->state().plan;
    QCOMPARE(after.description, before.description);
    QCOMPARE(after.at(1).split, before.at(1).split);
}

QTEST_MAIN(ImportNetworkDialogTest)
#include "test_dialogs_import_network.moc"
