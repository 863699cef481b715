// SPDX-License-Identifier: MIT
// The timing window's chart as a user reads it, on real plans: every window drawn
// where the results put it and labelled, nothing outside the frame, no row over its
// neighbour; read through the accessible children and the tooltips.
#include <QRegularExpression>
#include <QScrollBar>

#include <map>

#include "model/number_text.h"
#include "test_form1_driver.h"
#include "test_form1_signals.h"

using namespace tavimo;
using namespace tavimo::ui;
using namespace tavimo::ui::test;

namespace {

// "Position 3: Φ4 permissive window, 12 to 36.5 s" and the like.
struct ReadItem {
    QString what;
    int position = 0;
    float from = 0, to = 0;
};

std::optional<ReadItem> parse(const QString& name) {
    static const QRegularExpression form(QStringLiteral("^Position (\\d): \u03A6\\d+ ([a-z ]+), (-?[\\d.]+) to (-?[\\d.]+) s$"));
    const auto m = form.match(name);
    if (!m.hasMatch()) return std::nullopt;
    return ReadItem{m.captured(2), m.captured(1).toInt(), m.captured(3).toFloat(), m.captured(4).toFloat()};
}

QString file(const char* name) { return QStringLiteral(TAVIMO_TEST_DATA "/") + QLatin1String(name); }

}  // namespace

class ChartTest : public QObject, private Form1Fixture {
    Q_OBJECT

    Form1& calculated(const char* path) {
        Form1& f = open(fileSignal(file(path).toStdString()));
        f.Calculate_Click();
        return f;
    }

private Q_SLOTS:
    void cleanup() { close(); }

    void realPlans_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("windows");  // positions with a permissive window
        QTest::newRow("window across the cycle's end") << "main-and-1st.tvm" << 6;
        QTest::newRow("narrow windows (Glendale 5300)") << "charts/glendale-5300.tvm" << 6;
        QTest::newRow("Yield stack (Glendale 5300)") << "charts/glendale-5300-yield.tvm" << 6;
        QTest::newRow("one ring (Glendale 13)") << "charts/glendale-13.tvm" << 1;
        QTest::newRow("splits of 2 s (Glendale 4374)") << "charts/glendale-4374.tvm" << 3;
        QTest::newRow("T-intersection") << "exports/tee.tvm" << 2;
        QTest::newRow("Dual Lag, Type 170, Yield") << "exports/lag-yield.tvm" << 6;
    }

    void realPlans() {
        QFETCH(QString, path);
        QFETCH(int, windows);
        Form1& f = calculated(qPrintable(path));
        const WindowState s = f.state();
        const auto* view = named<ChartView>(f, "chart");
        const double right = chartFrameRight();

        // Every part of a window, wrapped or not, carries its label; read together,
        // the parts open and close where the results say.
        std::map<int, std::vector<ReadItem>> parts;
        for (std::size_t i = 0; i < view->items().size(); ++i) {
            const ChartItem& item = view->items()[i];
            QVERIFY2(item.rect.left() >= 0 && item.rect.right() <= right + 0.01,
                     qPrintable(QString::fromStdString(item.name) + " outside the frame"));
            if (item.part != ChartPart::Window || item.besideLabel) continue;
            QVERIFY2(!item.text.isEmpty() || besideLabel(f, item.name.c_str()), item.name.c_str());
            const std::optional<ReadItem> read = parse(view->itemName(i));
            QVERIFY2(read && read->what == "permissive window", qPrintable(view->itemName(i)));
            parts[read->position].push_back(*read);
        }
        QCOMPARE(int(parts.size()), windows);
        for (const auto& [position, pieces] : parts) {
            const Position& p = s.plan.at(position);
            const float start = *parseNumber(p.pps), end = *parseNumber(p.ppe);
            // A result that is no time of the cycle (Glendale 4374's -9 of a window
            // joined to one that cannot open) is not what the chart draws.
            if (end < 0) continue;
            auto near = [](float a, float b) { return std::abs(a - b) < 0.02f; };
            const bool opens = std::any_of(pieces.begin(), pieces.end(), [&](const ReadItem& r) { return near(r.from, start); });
            const bool closes = std::any_of(pieces.begin(), pieces.end(), [&](const ReadItem& r) { return near(r.to, end); });
            QVERIFY2(opens && closes, qPrintable(QStringLiteral("position %1: %2 to %3, drawn %4 to %5")
                                                     .arg(position).arg(start).arg(end).arg(pieces[0].from).arg(pieces.back().to)));
        }

        // The row bars of a ring follow each other: none reaches over its neighbour
        // by more than the 10 or 20 twips they share.
        for (int ring : {1, 2}) {
            std::vector<QRectF> bars;
            for (const ChartItem& item : view->items())
                if (item.ring == ring && (item.part == ChartPart::Green || item.part == ChartPart::Yellow || item.part == ChartPart::Red))
                    bars.push_back(item.rect);
            std::sort(bars.begin(), bars.end(), [](const QRectF& a, const QRectF& b) { return a.left() < b.left(); });
            for (std::size_t i = 1; i < bars.size(); ++i) QVERIFY(bars[i].left() >= bars[i - 1].right() - 2.01);
        }
    }

    // A screen reader reads the chart element by element; the tooltip of a place says
    // what is drawn there.
    void readAloud() {
        Form1& f = calculated("main-and-1st.tvm");
        const QStringList names = accessibleChart(f);
        for (const char* expected : {"Position 2: \u03A62 green, 0 to 39.5 s", "Position 3: \u03A63 permissive window, 39.5 to 42 s",
                                     "Position 1: \u03A61 permissive window, 79.5 to 85 s", "barrier at 45 s",
                                     "local zero", "Local Time: 0 s"})
            QVERIFY2(names.contains(QString::fromUtf8(expected)), qPrintable(expected + QStringLiteral(" not in:\n") + names.join('\n')));
        const auto* view = named<ChartView>(f, "chart");
        QCOMPARE(int(names.size()), int(view->items().size()));
        const ChartItem* window = chartItem(f, "PP2");
        QCOMPARE(view->toolTipAt(window->rect.center()), view->itemName(std::size_t(window - view->items().data())));
    }

    // After every Calculate the cursor, the scroll bar and the readout say the same
    // time, whichever controller the signal was calculated under before.
    void readoutFollowsTheChart_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("then");
        QTest::newRow("Type 170, then NEMA") << tag::kType170 << tag::kNema;
        QTest::newRow("NEMA, then Type 170") << tag::kNema << tag::kType170;
    }
    void readoutFollowsTheChart() {
        QFETCH(QString, first);
        QFETCH(QString, then);
        WindowState s = leadSignal(qPrintable(first));
        Form1& f = open(s);
        named<QScrollBar>(f, "HScroll1")->setValue(5000);
        for (const QString& controller : {first, then}) {
            s = f.state();
            s.plan.controller = controller.toStdString();
            f.setState(s);
            f.Calculate_Click();
            const ChartLayout chart = f.state().chart;
            QCOMPARE(float(named<QScrollBar>(f, "HScroll1")->value()), chart.local1.x);
            QCOMPARE(chartItem(f, "timer")->text, QStringLiteral("0"));
            QVERIFY(accessibleChart(f).contains(QStringLiteral("local zero")));
            QCOMPARE(chart.timerLeft, chart.local1.x + 40);
        }
    }
};

QTEST_MAIN(ChartTest)
#include "test_chart.moc"
