// SPDX-License-Identifier: MIT
// Entering a signal in the timing window: phase order, movements, header fields.
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>

#include "model/new_signal.h"
#include "test_form1_driver.h"
#include "test_form1_signals.h"

using namespace tavimo;
using namespace tavimo::ui;
using namespace tavimo::ui::test;

namespace {

// A new signal as the new-signal dialog leaves it: header, coordinated pull-downs
// enabled, movement lists built.
WindowState newSignal(const char* arrangement) {
    WindowState s = WindowState::fresh();
    applyNewSignal(s, NewSignalChoice{"", "100", arrangement == std::string(tag::kLead)});
    return s;
}

QStringList fullList() { return {"1", "2", "3", "4", "5", "6", "7", "8"}; }

QStringList without(QStringList list, const QString& number) {
    list[number.toInt() - 1] = QString();
    return list;
}

}  // namespace

class Form1Entry : public QObject, private Form1Fixture {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { close(); }

    void windowAsDesigned() {
        Form1& f = open(WindowState::fresh());
        QCOMPARE(f.windowTitle(), QStringLiteral("Timing/Phasing Data"));
        QCOMPARE(f.size(), QSize(690, 767));
        QCOMPARE(f.palette().color(QPalette::Window), QColor(0xe0, 0xe0, 0xe0));
        QCOMPARE(phasePullDown(f, 2)->toolTip(), QStringLiteral("Coordinated Phase"));
        QCOMPARE(field(f, "split", 1)->maxLength(), 4);
        QCOMPARE(field(f, "amber", 8)->maxLength(), 3);
        QCOMPARE(named<QLineEdit>(f, "cycleLength")->maxLength(), 3);
        QCOMPARE(field(f, "green", 3)->toolTip(),
                 QStringLiteral("Minimum time that phase must be green if recieving a call."));
        named<QScrollBar>(f, "HScroll1")->setValue(5145);
        const QRectF readout = chartItem(f, "timer")->rect;
        QCOMPARE(named<ChartView>(f, "chart")->toolTipAt(readout.center()), QStringLiteral("Local Time"));
        QCOMPARE(field(f, "split", 5)->geometry(), twipsRect(6480, 1245, 615, 360));
        QCOMPARE(named<QWidget>(f, "Calculate")->geometry(), twipsRect(8970 - 2760, 10530, 1275, 435));
        QCOMPARE(entries(named<PickList>(f, "control")), (QStringList{"NEMA", "170"}));
        QVERIFY(arrayElement<QRadioButton>(&f, "Mode", 1)->text() == "Permissive");
        QVERIFY(arrayElement<QLabel>(&f, "Phasepic1", 15) != nullptr);
        // A new window: movement pull-downs and timing fields wait for a phase.
        QVERIFY(!movementPullDown(f, 1)->isEnabled());
        QVERIFY(!field(f, "split", 1)->isEnabled());
    }

    void phaseOrderThroughTheDropDowns() {
        Form1& f = open(newSignal(tag::kLead));
        pick(phasePullDown(f, 2), "2");
        for (int k = 1; k <= 8; ++k) QCOMPARE(phasePullDown(f, k)->isEnabled(), k != 5 && k != 7 && k != 8);
        QVERIFY(movementPullDown(f, 2)->isEnabled());
        QCOMPARE(entries(phasePullDown(f, 1)), fullList());  // taken only on leaving
        leaveTo(phasePullDown(f, 6));
        for (int k = 1; k <= 8; ++k)
            QCOMPARE(entries(phasePullDown(f, k)), k == 2 ? fullList() : without(fullList(), "2"));
        for (int i : {1, 9}) QCOMPARE(arrayElement<QLabel>(&f, "Phasepic1", i)->geometry().topLeft(),
                                      twipsRect(3300, i == 1 ? 180 : 255, 0, 0).topLeft());

        // Position 3 from phase 4 to 8: 4 is offered again, 8 withdrawn, pictures follow.
        pick(phasePullDown(f, 3), "4");
        leaveTo(phasePullDown(f, 4));
        pick(phasePullDown(f, 3), "8");
        leaveTo(phasePullDown(f, 4));
        QCOMPARE(entries(phasePullDown(f, 4)), without(without(fullList(), "2"), "8"));
        QVERIFY(arrayElement<QLabel>(&f, "Phasepic1", 11)->isHidden());
        QCOMPARE(arrayElement<QLabel>(&f, "Phasepic1", 15)->x(), twips(4260));
        QVERIFY(!arrayElement<QLabel>(&f, "Phasepic1", 15)->isHidden());
        // The empty entry frees the phase; the movement pull-down stays open.
        pick(phasePullDown(f, 3), "");
        leaveTo(phasePullDown(f, 1));
        QCOMPARE(entries(phasePullDown(f, 4)), without(fullList(), "2"));
        QVERIFY(arrayElement<QLabel>(&f, "Phasepic1", 7)->isHidden());
        QVERIFY(movementPullDown(f, 3)->isEnabled());
        QCOMPARE(f.state().plan.at(2).phase, std::string("2"));
    }

    void lockedPullDownsCannotBeChanged() {
        WindowState s = test::leadSignal();
        for (Position& p : s.plan.positions) p.phaseLocked = p.movementLocked = true;
        Form1& f = open(s);
        PickList* phase = phasePullDown(f, 3);
        QTest::mouseClick(phase, Qt::LeftButton);
        QVERIFY(phase->hasFocus());
        QVERIFY(!phase->view()->isVisible());
        QTest::keyClick(phase, Qt::Key_Down);
        QTest::keyClick(phase, Qt::Key_5);
        QCOMPARE(phase->text(), QStringLiteral("3"));
        PickList* movement = movementPullDown(f, 1);
        QTest::mouseClick(movement, Qt::LeftButton);
        QTest::keyClick(movement, Qt::Key_Up);
        QCOMPARE(movement->text(), QStringLiteral("NB"));
        leaveTo(field(f, "split", 1));
        // Locked movements are not exchanged between positions.
        QCOMPARE(f.state().plan.at(3).movementList, s.plan.at(3).movementList);
    }

    // The wheel over a pull-down that is not the active field picks nothing: a choice
    // made there would skip the focus reactions that keep each phase at one position
    // and each direction once in its pool.
    void wheelOverAnInactivePullDownPicksNothing() {
        WindowState s = test::leadSignal();
        for (Position& p : s.plan.positions) p.phaseEnabled = p.movementEnabled = true;
        Form1& f = open(s);
        leaveTo(named<QWidget>(f, "IntDes"));
        for (PickList* list : {phasePullDown(f, 3), movementPullDown(f, 3), named<PickList>(f, "control")}) {
            const QString before = list->text();
            const QPoint at = list->rect().center();
            for (int delta : {-120, 120}) {
                QWheelEvent wheel(at, list->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                                  Qt::NoModifier, Qt::NoScrollPhase, false);
                QCoreApplication::sendEvent(list, &wheel);
                QCOMPARE(list->text(), before);
            }
        }
        QCOMPARE(f.state().plan.at(3).phase, std::string("3"));
    }

    void movementsAreWithdrawnFromTheirPool() {
        WindowState s = newSignal(tag::kLead);
        for (Position& p : s.plan.positions) p.movementEnabled = true;
        Form1& f = open(s);
        pick(movementPullDown(f, 1), "EB");
        QVERIFY(field(f, "split", 1)->isEnabled() && field(f, "flash", 1)->isEnabled());
        QVERIFY(!field(f, "split", 2)->isEnabled());
        leaveTo(movementPullDown(f, 3));
        const QStringList all{"NB", "EB", "SB", "WB"}, withoutEast{"NB", "SB", "WB"};
        for (int k = 2; k <= 8; ++k) QCOMPARE(entries(movementPullDown(f, k)), k % 2 ? withoutEast : all);
        QCOMPARE(movementPullDown(f, 1)->text(), QStringLiteral("EB"));

        QTest::mouseClick(named<QWidget>(f, "ResetMove"), Qt::LeftButton);
        for (int k = 1; k <= 8; ++k) {
            QCOMPARE(entries(movementPullDown(f, k)), (QStringList{"NB", "EB", "SB", "WB"}));
            QCOMPARE(movementPullDown(f, k)->text(), QString());
        }
        QVERIFY(field(f, "split", 1)->isEnabled());
    }

    void headerFieldsFollowTheirControls() {
        Form1& f = open(newSignal(tag::kLag));
        auto* yield = arrayElement<QRadioButton>(&f, "Mode", 0);
        auto* permissive = arrayElement<QRadioButton>(&f, "Mode", 1);
        QTest::mouseClick(yield, Qt::LeftButton);
        QCOMPARE(f.state().plan.mode, std::string(tag::kYield));
        QTest::mouseClick(permissive, Qt::LeftButton);
        QCOMPARE(f.state().plan.mode, std::string(tag::kPermissive));

        auto* control = named<PickList>(f, "control");
        pick(control, "170");
        QCOMPARE(f.state().plan.controller, std::string(tag::kNema));  // only on leaving
        leaveTo(named<QWidget>(f, "IntDes"));
        QCOMPARE(f.state().plan.controller, std::string(tag::kType170));
        pick(control, "NEMA");
        leaveTo(named<QWidget>(f, "cycleLength"));
        QCOMPARE(f.state().plan.controller, std::string(tag::kNema));
        // A file writes "Nema" into the pull-down: leaving it changes nothing.
        WindowState s = f.state();
        s.plan.controlText = "Nema";
        s.plan.controller = tag::kType170;
        f.setState(s);
        QCOMPARE(control->text(), QStringLiteral("Nema"));
        leaveTo(control);
        leaveTo(named<QWidget>(f, "IntDes"));
        QCOMPARE(f.state().plan.controller, std::string(tag::kType170));

        auto* cycle = named<QLineEdit>(f, "cycleLength");
        leaveTo(cycle);
        cycle->selectAll();
        QTest::keyClicks(cycle, "1205");
        QCOMPARE(cycle->text(), QStringLiteral("120"));
        QCOMPARE(f.state().plan.cycleCopy, std::string("120"));
    }

    void enteringATimingFieldSelectsThreeCharacters() {
        WindowState s = test::leadSignal();
        s.plan.at(1).split = "120";
        s.plan.at(2).split = "1200";
        s.plan.at(3).amber = "3.25";  // an import may write more than the box takes
        Form1& f = open(s);
        QCOMPARE(field(f, "amber", 3)->text(), QStringLiteral("3.25"));
        QTest::mouseClick(field(f, "split", 1), Qt::LeftButton, {}, QPoint(30, 10));  // after the text
        QTRY_COMPARE(field(f, "split", 1)->selectedText(), QStringLiteral("120"));
        QTest::keyClick(&f, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), field(f, "split", 2));
        QTRY_COMPARE(field(f, "split", 2)->selectedText(), QStringLiteral("120"));
        QTest::keyClicks(field(f, "split", 2), "45");
        QCOMPARE(field(f, "split", 2)->text(), QStringLiteral("450"));
    }
};

QTEST_MAIN(Form1Entry)
#include "test_form1_entry.moc"
