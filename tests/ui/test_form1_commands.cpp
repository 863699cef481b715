// SPDX-License-Identifier: MIT
// The timing window's commands: Calculate, Reset, Exit and the local-time readout.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "test_form1_driver.h"
#include "test_form1_signals.h"

using namespace tavimo;
using namespace tavimo::ui;
using namespace tavimo::ui::test;

Q_DECLARE_METATYPE(tavimo::WindowState)

namespace {

// Every bar, window and line of the layout is drawn where its numbers say, under
// its own name, and nothing hidden is drawn.
void expectChartShows(Form1& f, const ChartLayout& c) {
    auto expectBox = [&](const std::string& name, const Box& box) {
        const ChartItem* item = chartItem(f, name.c_str());
        const bool drawn = box.visible && box.width > 10 && box.height > 0;
        QVERIFY2(bool(item) == drawn, name.c_str());
        if (item) QCOMPARE(item->rect.toRect(), expectedRect(box));
    };
    for (int k = 1; k <= 8; ++k) {
        expectBox("greenPhase" + std::to_string(k), c.green[k - 1]);
        expectBox("yellowPhase" + std::to_string(k), c.yellow[k - 1]);
        expectBox("redPhase" + std::to_string(k), c.red[k - 1]);
        if (const ChartItem* green = chartItem(f, ("greenPhase" + std::to_string(k)).c_str()))
            QCOMPARE(green->text, QString::fromStdString(c.greenText[k - 1]));
    }
    const char* windows[kWindowBars] = {"PP1", "PP2", "PP3", "PP4", "PP5", "PP6", "PPend1", "PPend2"};
    for (int w = 0; w < kWindowBars; ++w) {
        expectBox(windows[w], c.windows[w]);
        const ChartItem* bar = chartItem(f, windows[w]);
        const ChartItem* label = besideLabel(f, windows[w]);
        if (!bar) continue;
        // Its phase number inside it, or beside it when it is too narrow.
        QCOMPARE(bar->text.isEmpty() ? (label ? label->text : QString()) : bar->text,
                 QString::fromStdString(c.windowText[w]));
        if (!bar->text.isEmpty()) QCOMPARE(bool(bar->textFlags & Qt::AlignRight), c.windowTextRightAligned);
    }
    const std::pair<const char*, const VLine*> lines[] = {
        {"barrier1", &c.barrier1}, {"barrier2", &c.barrier2}, {"barrier3", &c.barrier3}, {"local1", &c.local1}};
    for (const auto& [name, line] : lines) {
        const ChartItem* item = chartItem(f, name);
        QCOMPARE(bool(item), line->visible);
        if (item) QCOMPARE(qRound(item->rect.center().x() - (item->rect.width() < 2 ? 0.5 : 0)), twips(line->x));
    }
    expectBox("deadPhase", c.deadPhase);
    expectBox("deadPhase2", c.deadPhase2);
}

}  // namespace

class Form1Commands : public QObject, private Form1Fixture {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { close(); }

    // Lead, NEMA, Permissive, worked by hand: both coordinated phases end at 40, where
    // the longer split (6, 40 s) ends: FO(2) = FO(6) = 40 - 5 = 35; the side streets
    // follow from 40: FO(3) = 40 + 20 - 4 = 56, FO(4) = 60 + 30 - 5 = 85 (ring 2: 51,
    // 85); the left turns run from 90: FO(1) = 90 + 15 - 4 - 100 = 1, FO(5) = 96.
    // Concurrent windows share the earlier start and end: PS(4) = FO(7) = 51,
    // PE(3) = FO(7) - g(7) - c(6) = 41, PE(1) = FO(5) - g(5) - c(8) = 86. Yield opens
    // every window at the coordinated force-off; Type 170 moves the zero to it.
    void calculateDrawsTheOutcome_data() {
        QTest::addColumn<WindowState>("signal");
        QTest::addColumn<QString>("force");
        QTest::addColumn<QString>("pps");
        QTest::addColumn<QString>("ppe");
        const auto lead = [](const char* c, const char* m) { return leadSignal(c, m); };
        const auto lag = [](const char* c, const char* m) { return lagSignal(c, m); };
        struct Case {
            const char* name;
            WindowState (*signal)(const char*, const char*);
            const char *controller, *mode, *force, *pps, *ppe;
        };
        const Case cases[] = {
            {"Lead Nema Permissive", lead, tag::kNema, tag::kPermissive, "1 35 56 85 96 35 51 85",
             "85 - 35 51 85 - 35 51", "86 - 41 66 86 - 41 66"},
            {"Lag Nema Permissive", lag, tag::kNema, tag::kPermissive, "35 51 80 96 30 51 75 96",
             "0 30 51 75 0 30 51 75", "0 41 56 86 0 41 56 86"},
            {"Lead Nema Yield", lead, tag::kNema, tag::kYield, "1 35 56 85 96 35 51 85",
             "35 - 35 35 35 - 35 35", "86 - 41 66 86 - 41 66"},
            {"Lag Nema Yield", lag, tag::kNema, tag::kYield, "35 51 80 96 30 51 75 96",
             "0 30 30 30 0 30 30 30", "0 41 56 86 0 41 56 86"},
            {"Lead one70 Permissive", lead, tag::kType170, tag::kPermissive, "66 0 21 50 61 0 16 50",
             "50 - 0 16 50 - 0 16", "51 - 6 31 51 - 6 31"},
            {"Lag one70 Permissive", lag, tag::kType170, tag::kPermissive, "5 21 50 66 0 21 45 66",
             "0 0 21 45 0 0 21 45", "0 11 26 56 0 11 26 56"},
            {"Lead one70 Yield", lead, tag::kType170, tag::kYield, "66 0 21 50 61 0 16 50",
             "0 - 0 0 0 - 0 0", "51 - 6 31 51 - 6 31"},
            {"Lag one70 Yield", lag, tag::kType170, tag::kYield, "5 21 50 66 0 21 45 66",
             "0 0 0 0 0 0 0 0", "0 11 26 56 0 11 26 56"},
        };
        for (const Case& c : cases)
            QTest::addRow("%s", c.name) << c.signal(c.controller, c.mode) << QString(c.force) << QString(c.pps)
                                        << QString(c.ppe);
    }

    void calculateDrawsTheOutcome() {
        QFETCH(WindowState, signal);
        QFETCH(QString, force);
        QFETCH(QString, pps);
        QFETCH(QString, ppe);
        Form1& f = open(signal);
        QTest::mouseClick(named<QPushButton>(f, "Calculate"), Qt::LeftButton);
        QVERIFY2(dialogs_->shown.isEmpty(), qPrintable(dialogs_->texts().join('\n')));

        const std::pair<const char*, QString> rows[] = {{"force", force}, {"pps", pps}, {"ppe", ppe}};
        for (const auto& [result, texts] : rows) {
            QStringList shownTexts;
            for (int k = 1; k <= 8; ++k) {
                const QString text = field(f, result, k)->text();
                shownTexts << (text.isEmpty() ? QStringLiteral("-") : text);
            }
            QCOMPARE(shownTexts.join(' '), texts);
        }
        for (int k = 1; k <= 8; ++k) QVERIFY(phasePullDown(f, k)->isHidden());
        // The chart's controls stand where the window's calculated layout puts them.
        const WindowState shown = f.state();
        expectChartShows(f, shown.chart);

        // Bars to scale: a 100 s cycle over 9615 twips, neighbours overlapping by 10.
        const Position& first = signal.plan.at(1);
        const float green = first.split == "15" ? 11 : 35;  // Lead row 1: 15-3-1; Lag row 1: 40-4-1
        QVERIFY(qAbs(shown.chart.green[0].width - (green * 96.15f + 10)) < 0.05f);
        QCOMPARE(shown.chart.green[0].left, 345.f);
        QVERIFY(qAbs(shown.chart.yellow[0].left - (345 + green * 96.15f)) < 0.05f);
        const bool lag = signal.plan.arrangement == tag::kLag;
        QCOMPARE(chartItem(f, "PPend1") == nullptr, lag);
        QCOMPARE(shown.chart.windowTextRightAligned, signal.plan.mode == tag::kYield);
        QVERIFY(chartItem(f, "PP2")->text.startsWith(QChar(0xD8)));
    }

    void unusedSideStreetMovesItsColumn() {
        WindowState s = leadSignal();
        Position& third = s.plan.at(3);
        third.phase.clear();
        third.split = third.green = third.amber = third.red = "";
        third.movementIndex = -1;
        third.timingEnabled = false;
        s.plan.at(4).split = "50";
        Form1& f = open(s);
        f.Calculate_Click();
        QVERIFY(dialogs_->shown.isEmpty());
        QVERIFY(field(f, "split", 3)->isHidden());
        QVERIFY(movementPullDown(f, 3)->isHidden());
        QCOMPARE(field(f, "split", 4)->x(), twips(4200));
        QCOMPARE(movementPullDown(f, 4)->x(), twips(4200));
        QCOMPARE(arrayElement<QLabel>(&f, "Phasepic1", 11)->x(), twips(4260));
    }

    void wrongCycleLengthIsToldAndFocused() {
        WindowState s = lagSignal();
        s.plan.setCycleLength("90");
        Form1& f = open(s);
        QTest::mouseClick(named<QPushButton>(f, "Calculate"), Qt::LeftButton);
        QCOMPARE(dialogs_->texts(), QStringList{"Please specify correct cycle length!"});
        QCOMPARE(dialogs_->shown[0].title, QString());
        QTRY_VERIFY(named(f, "cycleLength")->hasFocus());
        QVERIFY(!phasePullDown(f, 1)->isHidden());
    }

    void resetAfterCalculation_data() {
        QTest::addColumn<WindowState>("signal");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<int>("focus");
        QTest::addRow("Lag Yield") << lagSignal(tag::kType170, tag::kYield) << true << 1;
        QTest::addRow("Lead Permissive") << leadSignal() << true << 2;
        QTest::addRow("Cancel") << leadSignal() << false << 0;
    }

    void resetAfterCalculation() {
        QFETCH(WindowState, signal);
        QFETCH(bool, confirmed);
        QFETCH(int, focus);
        signal.plan.projectFile = "/data/main.tvm";
        for (Position& p : signal.plan.positions) p.phaseLocked = p.movementLocked = true;
        Form1& f = open(signal);
        f.Calculate_Click();
        const WindowState calculated = f.state();
        dialogs_->answers << (confirmed ? Answer::Ok : Answer::Cancel);
        QTest::mouseClick(named<QPushButton>(f, "Reset"), Qt::LeftButton);
        QCOMPARE(dialogs_->shown[0].text, QStringLiteral("Are you sure you want to reset the form?"));
        QCOMPARE(dialogs_->shown[0].title, QStringLiteral("Reset Form?"));
        QVERIFY(dialogs_->shown[0].buttons == Buttons::OkCancel);
        const WindowState s = f.state();
        if (!confirmed) {
            QCOMPARE(dialogs_->shown.size(), 1);
            QCOMPARE(s.plan.projectFile, signal.plan.projectFile);
            for (int k = 1; k <= 8; ++k) QVERIFY(phasePullDown(f, k)->isLocked() && phasePullDown(f, k)->isHidden());
            QCOMPARE(s.chart.green[1], calculated.chart.green[1]);
            return;
        }
        QCOMPARE(dialogs_->texts().last(), QStringLiteral("Please Choose Coordinated Phase(s)!"));
        QCOMPARE(dialogs_->shown.last().title, QString());
        QTRY_VERIFY(phasePullDown(f, focus)->hasFocus());
        // The user sees where to choose: the pull-down with the focus is drawn marked,
        // unlike its empty, enabled partner in ring 2.
        QVERIFY(phasePullDown(f, focus)->grab().toImage() != phasePullDown(f, focus + 4)->grab().toImage());
        QCOMPARE(s.plan.projectFile, std::string());
        for (int k = 1; k <= 8; ++k) {
            PickList* phase = phasePullDown(f, k);
            QVERIFY(!phase->isHidden() && !phase->isLocked() && phase->text().isEmpty());
            QCOMPARE(phase->isEnabled(), k == focus || k == focus + 4);
            QCOMPARE(entries(phase), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8"}));
            QVERIFY(!movementPullDown(f, k)->isEnabled() && !movementPullDown(f, k)->isLocked());
            QVERIFY(!field(f, "split", k)->isEnabled());
            QCOMPARE(field(f, "split", k)->text(), QString::fromStdString(signal.plan.at(k).split));
        }
        for (int i = 0; i < 16; ++i) QVERIFY(arrayElement<QLabel>(&f, "Phasepic1", i)->isHidden());
        QCOMPARE(chartItem(f, "greenPhase2")->rect.toRect(), twipsRect(2790, 720, 2055, 375));
        if (signal.plan.mode == tag::kYield) QCOMPARE(chartItem(f, "PP2")->rect.toRect(), twipsRect(5235, 240, 1200, 500));
        else QCOMPARE(s.chart.windows[PP2].height, calculated.chart.windows[PP2].height);
        expectChartShows(f, s.chart);
    }

    void exitAsksWhetherToRestart_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("restarts");
        QTest::addRow("Yes") << int(Answer::Yes) << true << true;
        QTest::addRow("No") << int(Answer::No) << true << false;
        QTest::addRow("Cancel") << int(Answer::Cancel) << false << false;
    }

    void exitAsksWhetherToRestart() {
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(bool, restarts);
        WindowState s = leadSignal();
        s.plan.projectFile = "/data/main.tvm";
        Form1& f = open(s);
        bool openWhenRestarted = false;
        int restartsSeen = 0;
        connect(&f, &Form1::restartRequested, this, [&] {
            ++restartsSeen;
            openWhenRestarted = f.isVisible();
        });
        dialogs_->answers << Answer(answer);
        QTest::mouseClick(named<QPushButton>(f, "Exit"), Qt::LeftButton);
        QCOMPARE(dialogs_->texts(), QStringList{"Restart Project?"});
        QVERIFY(dialogs_->shown[0].buttons == Buttons::YesNoCancel);
        QCOMPARE(dialogs_->shown[0].title, QString());
        QCOMPARE(f.isVisible(), !closes);
        QCOMPARE(restartsSeen, restarts ? 1 : 0);
        if (restarts) QVERIFY(openWhenRestarted);
        QCOMPARE(f.state().plan.projectFile, closes ? std::string() : s.plan.projectFile);
    }

    void scrollingShowsTheLocalTime_data() {
        QTest::addColumn<QString>("controller");
        QTest::addColumn<QString>("arrangement");
        QTest::addColumn<QString>("cycle");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("shown");
        QTest::addRow("NEMA Lag") << "Nema" << "Lag" << "100" << 5145 << "50";
        QTest::addRow("170 Lag") << "one70" << "Lag" << "100" << 345 << "65";
        QTest::addRow("no cycle") << "Nema" << "Lag" << "" << 5145 << "";
    }

    void scrollingShowsTheLocalTime() {
        QFETCH(QString, controller);
        QFETCH(QString, arrangement);
        QFETCH(QString, cycle);
        QFETCH(int, value);
        QFETCH(QString, shown);
        WindowState s = WindowState::fresh();
        s.plan.controller = controller.toStdString();
        s.plan.arrangement = arrangement.toStdString();
        s.plan.setCycleLength(cycle.toStdString());
        for (int k : {1, 5}) {
            s.plan.at(k).split = k == 1 ? "40" : "50";
            s.plan.at(k).amber = "4";
            s.plan.at(k).red = "1";
        }
        Form1& f = open(s);
        auto* scroll = named<QScrollBar>(f, "HScroll1");
        QCOMPARE((QList<int>{scroll->minimum(), scroll->maximum(), scroll->singleStep(), scroll->pageStep()}),
                 (QList<int>{345, 9940, 25, 200}));
        scroll->setValue(value == 345 ? 370 : 345);  // a move that shows something first
        scroll->setValue(value);
        const ChartItem* timer = chartItem(f, "timer");
        QCOMPARE(timer ? timer->text : QString(), shown);
        if (timer) QCOMPARE(int(timer->rect.x()), twips(value + 40));
        QCOMPARE(int(chartItem(f, "local1")->rect.x()), twips(value));
        QCOMPARE(f.state().chart.local1.x, float(value));

        // A click on the right arrow moves by the small step and updates the readout.
        QTest::mouseClick(scroll, Qt::LeftButton, {}, QPoint(scroll->width() - 4, scroll->height() / 2));
        QCOMPARE(scroll->value(), value + 25);
        QCOMPARE(f.state().chart.timerLeft, float(value + 65));
        if (timer) QCOMPARE(int(chartItem(f, "timer")->rect.x()), twips(value + 65));
    }

    // The cursor starts above the chart, where the caption of the frame stands: it runs
    // behind the caption's text, not through it.
    void cursorPassesBehindTheChartCaption() {
        Form1& f = open(WindowState::fresh());
        QWidget* frame = named(f, "chart")->parentWidget();
        auto* scroll = named<QScrollBar>(f, "HScroll1");
        scroll->setValue(345);  // the cursor under "Choose Phase Order"
        const QRect line = chartItem(f, "local1")->rect.toRect();
        const int column = line.x(), top = line.y(), captionBottom = frame->fontMetrics().height();
        const QImage atCaption = frame->grab().toImage();
        scroll->setValue(9940);
        const QImage away = frame->grab().toImage();
        QVERIFY(top < captionBottom);
        for (int row = top; row < captionBottom; ++row)
            QCOMPARE(atCaption.pixelColor(column, row), away.pixelColor(column, row));
    }
};

QTEST_MAIN(Form1Commands)
#include "test_form1_commands.moc"
