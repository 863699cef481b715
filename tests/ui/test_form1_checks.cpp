// SPDX-License-Identifier: MIT
// The timing checks in the window: the amber look and tooltips of the fields
// concerned, the status-bar line of the frame, and what Reset and the next
// calculation leave of them.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "test_form1_driver.h"
#include "test_form1_signals.h"
#include "ui/main/check_status.h"
#include "ui/main/tavimo_window.h"

using namespace tavimo;
using namespace tavimo::ui;
using namespace tavimo::ui::test;

namespace {

bool looksWarned(QWidget* w) { return w->palette().color(QPalette::Base) == QColor(0xff, 0xc0, 0x40); }

void retype(QLineEdit* field, const QString& text) {
    field->setFocus(Qt::MouseFocusReason);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

const QString kSplit3 = QStringLiteral("Φ3 (position 3): split 20 is shorter than min green 17 + amber 3 + all red 1 = 21");
const QString kWindow3 = QStringLiteral(
    "Φ3 (position 3): no permissive window: min green 17 does not fit between the force-off of Φ2 and its own");
const QString kWalk2 = QStringLiteral("Φ2 (position 2): pedestrian timing 7 + 25 + 4 + 1 = 37 exceeds the split 35");

}  // namespace

class Form1ChecksTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<Tavimo> frame_;
    Form1* form_ = nullptr;

    QLineEdit* at(const char* name, int k) { return field(*form_, name, k); }
    void calculate() { QTest::mouseClick(named<QPushButton>(*form_, "Calculate"), Qt::LeftButton); }

    // The lead signal with phase 3's minimum green raised past its split and a
    // pedestrian timing at phase 2 longer than its split, typed as a user does.
    void enterFaultyTimes() {
        retype(at("green", 3), QStringLiteral("17"));
        retype(at("walk", 2), QStringLiteral("7"));
        retype(at("flash", 2), QStringLiteral("25"));
    }

private Q_SLOTS:
    void init() {
        dialogs_ = std::make_unique<ScriptedDialogs>();
        frame_ = std::make_unique<Tavimo>();
        frame_->show();
        form_ = frame_->showTimingWindow();
        form_->setState(leadSignal());
        QApplication::setActiveWindow(frame_.get());
        QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
    }
    void cleanup() {
        frame_.reset();
        dialogs_.reset();
    }

    void warningsMarkTheirFieldsAndTheStatusBar() {
        const QString walkHint = at("walk", 2)->toolTip();
        enterFaultyTimes();
        calculate();
        QVERIFY2(dialogs_->shown.isEmpty(), qPrintable(dialogs_->texts().join('\n')));
        QCOMPARE(at("force", 3)->text(), QStringLiteral("56"));  // the results are still written

        // Phase 7's window is joined to phase 3's: it shows an end before its start.
        const QString window7 = QStringLiteral("Φ7 (position 7): no permissive window: it ends at %1, before it opens at %2")
                                    .arg(at("ppe", 7)->text(), at("pps", 7)->text());
        QVERIFY(at("ppe", 7)->text().toDouble() < at("pps", 7)->text().toDouble());
        const struct {
            const char* name;
            int position;
            QString tooltip;
        } marked[] = {
            {"split", 2, kWalk2},  {"walk", 2, kWalk2},  {"flash", 2, kWalk2},
            {"split", 3, kSplit3}, {"green", 3, kSplit3 + '\n' + kWindow3}, {"amber", 3, kSplit3},
            {"red", 3, kSplit3},   {"pps", 3, kWindow3}, {"ppe", 3, kWindow3},
            {"pps", 7, window7},   {"ppe", 7, window7},
        };
        for (const auto& m : marked) {
            QLineEdit* f = at(m.name, m.position);
            QVERIFY2(looksWarned(f), m.name);
            QCOMPARE(f->toolTip(), f->text() + '\n' + m.tooltip);  // the whole text, then the warning
        }
        for (const char* name : {"split", "green", "pps", "force"})
            for (int k : {1, 4}) QVERIFY2(!looksWarned(at(name, k)), name);
        QVERIFY(!looksWarned(at("green", 7)));

        CheckStatus* status = frame_->checkStatus();
        QCOMPARE(status->summary(), QStringLiteral("4 warnings: Φ2 pedestrian timing too long, Φ3 split too short, "
                                                   "Φ3 no permissive window, Φ7 no permissive window"));
        QCOMPARE(status->toolTip(), kWalk2 + '\n' + kSplit3 + '\n' + kWindow3 + '\n' + window7);
        QVERIFY(status->isVisible());
        QVERIFY(!status->text().isEmpty());

        // The next calculation of a plan that works takes every mark away and gives
        // the fields their hints back.
        retype(at("green", 3), QStringLiteral("5"));
        retype(at("flash", 2), QStringLiteral("12"));
        calculate();
        for (const auto& m : marked) QVERIFY2(!looksWarned(at(m.name, m.position)), m.name);
        QCOMPARE(at("walk", 2)->toolTip(), QStringLiteral("7\n") + walkHint);
        QCOMPARE(status->summary(), QString());
        QCOMPARE(status->toolTip(), QString());
    }

    // A time below zero calculates, but is marked where it was typed.
    void negativeTimesAreMarkedWhereTyped() {
        const struct {
            const char* name;
            int position;
            QString text, warning;
        } cases[] = {
            {"amber", 5, QStringLiteral("-3"), QStringLiteral("Φ5 (position 5): amber -3 is negative")},
            {"red", 1, QStringLiteral("-1"), QStringLiteral("Φ1 (position 1): all red -1 is negative")},
            {"walk", 2, QStringLiteral("-7"), QStringLiteral("Φ2 (position 2): walk -7 is negative")},
        };
        for (const auto& c : cases) {
            form_->setState(leadSignal());
            retype(at(c.name, c.position), c.text);
            calculate();
            QVERIFY2(dialogs_->shown.isEmpty(), qPrintable(dialogs_->texts().join('\n')));
            QVERIFY2(looksWarned(at(c.name, c.position)), c.name);
            QVERIFY2(at(c.name, c.position)->toolTip().contains(c.warning),
                     qPrintable(at(c.name, c.position)->toolTip() + " / " + frame_->checkStatus()->toolTip()));
            QVERIFY(frame_->checkStatus()->toolTip().contains(c.warning));
        }
    }

    void resetClearsTheMarks() {
        enterFaultyTimes();
        calculate();
        QVERIFY(looksWarned(at("split", 3)));
        dialogs_->answers << Answer::Ok;
        QTest::mouseClick(named<QPushButton>(*form_, "Reset"), Qt::LeftButton);
        QVERIFY(!looksWarned(at("split", 3)));
        QVERIFY(!looksWarned(at("walk", 2)));
        QCOMPARE(frame_->checkStatus()->summary(), QString());
    }

    void phaseErrorMarksThePositionThatDisagrees() {
        at("split", 4)->clear();
        calculate();
        QCOMPARE(dialogs_->texts(), QStringList{QStringLiteral("Phase Error! Please re-enter phase data.")});
        QVERIFY(looksWarned(at("split", 4)));
        QCOMPARE(at("split", 4)->toolTip(), QStringLiteral("the split at position 4 is blank"));
        QVERIFY(!looksWarned(at("split", 3)));
        QCOMPARE(frame_->checkStatus()->summary(), QStringLiteral("Phase Error: the split at position 4 is blank"));
    }

    void closingTheSignalClearsTheStatusBar() {
        enterFaultyTimes();
        calculate();
        QVERIFY(!frame_->checkStatus()->summary().isEmpty());
        form_->close();
        QTRY_COMPARE(frame_->checkStatus()->summary(), QString());
    }
};

QTEST_MAIN(Form1ChecksTest)
#include "test_form1_checks.moc"
