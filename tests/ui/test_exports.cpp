// SPDX-License-Identifier: MIT
// Charts and results out of Tavimo: the chart as SVG and PNG drawn from the chart's own
// geometry, the CSV file, the clipboard table, and what happens without a calculated signal.
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>
#include <sys/stat.h>

#include <sstream>

#include "cli/calc_command.h"
#include "draw/chart_scene.h"
#include "draw/chart_sheet.h"
#include "draw/report_page.h"
#include "io/network_signal.h"
#include "io/signal_arrival.h"
#include "io/utdf_network.h"
#include "output/worksheet.h"
#include "helpers/scripted_dialogs.h"
#include "ui/main/tavimo_window.h"
#include "ui/timing/control_array.h"
#include "ui/timing/form1.h"

using namespace tavimo;
using namespace tavimo::ui;
using tavimo::ui::test::ScriptedDialogs;

namespace {

constexpr double kChartDown = (420 - 120) / 15.0;  // where the sheet puts the chart, below its title

QString plan(const char* name) { return QStringLiteral(TAVIMO_TEST_DATA "/") + QLatin1String(name); }

Form1* openAndCalculate(Tavimo& frame, ScriptedDialogs& scripted, const QString& path) {
    scripted.fileNames = {path};
    frame.mnuFileOpen_Click();
    Form1* form = frame.timingWindow();
    form->Calculate_Click();
    return form;
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A filled rectangle of an SVG picture, in its own coordinates.
struct SvgRect {
    QString fill;
    QRectF rect;
};

// The rectangles QSvgGenerator writes: each inside a group giving fill and translation.
QList<SvgRect> filledRects(const QByteArray& svg) {
    QList<SvgRect> rects;
    QXmlStreamReader xml(svg);
    QString fill;
    QPointF shift;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const auto a = xml.attributes();
        if (xml.name() == QLatin1String("g")) {
            fill = a.value("fill").toString();
            const QString m = a.value("transform").toString();  // matrix(1,0,0,1,dx,dy)
            const QStringList parts = m.mid(7, m.size() - 8).split(',');
            shift = parts.size() == 6 ? QPointF(parts[4].toDouble(), parts[5].toDouble()) : QPointF();
        } else if (xml.name() == QLatin1String("rect") && fill != QLatin1String("none")) {
            rects.append({fill, QRectF(a.value("x").toDouble(), a.value("y").toDouble(), a.value("width").toDouble(),
                                       a.value("height").toDouble())
                                    .translated(shift)});
        }
    }
    return rects;
}

bool drawable(const Box& b) { return b.visible && b.width > 0 && b.height > 0; }

QRectF scaled(const Box& b) {
    return QRectF(b.left / 15.0, b.top / 15.0 + kChartDown, b.width / 15.0, b.height / 15.0);
}

bool near(const QRectF& a, const QRectF& b) {
    // The SVG keeps six significant digits.
    return std::abs(a.left() - b.left()) < 0.01 && std::abs(a.top() - b.top()) < 0.01 &&
           std::abs(a.width() - b.width()) < 0.01 && std::abs(a.height() - b.height()) < 0.01;
}

}  // namespace

class ExportsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void svgBarsAreTheChartGeometryScaled_data();
    void svgBarsAreTheChartGeometryScaled();
    void pngShowsEveryItemInItsColour_data();
    void pngShowsEveryItemInItsColour();
    void csvIsWhatTheCalculatorPrints();
    void copyResultsGivesASpreadsheetTable();
    void aNetworkSignalShowsItsOffsetInEveryReference();
    void nothingLeavesWithoutACalculatedSignal();
    void exportsReplaceNothingButARegularFile();
    void staleResultsAreMarked_data();
    void staleResultsAreMarked();
};

void ExportsTest::svgBarsAreTheChartGeometryScaled_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("Dual Lead, NEMA TS2, Permissive") << plan("main-and-1st.tvm");
    QTest::newRow("Dual Lag, Type 170, Yield") << plan("exports/lag-yield.tvm");
    QTest::newRow("T-intersection") << plan("exports/tee.tvm");
}

void ExportsTest::svgBarsAreTheChartGeometryScaled() {
    QFETCH(QString, path);
    QTemporaryDir dir;
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    Form1* form = openAndCalculate(frame, scripted, path);
    const ChartLayout chart = form->state().chart;
    scripted.fileNames = {dir.filePath("chart")};  // no extension: the vector picture
    frame.findChild<QAction*>("mnuFileExportChart")->trigger();
    QVERIFY2(scripted.shown.isEmpty(), qPrintable(scripted.texts().join('|')));
    const QList<SvgRect> rects = filledRects(bytesOf(dir.filePath("chart.svg")));
    QVERIFY(!rects.isEmpty());

    auto count = [&](const char* fill) {
        return std::count_if(rects.begin(), rects.end(), [&](const SvgRect& r) { return r.fill == QLatin1String(fill); });
    };
    auto expect = [&](const Box& box, const char* fill, const char* what, int index) {
        if (!drawable(box)) return 0;
        const bool found = std::any_of(rects.begin(), rects.end(), [&](const SvgRect& r) {
            return r.fill == QLatin1String(fill) && near(r.rect, scaled(box));
        });
        if (!found) qWarning("%s %d not at its geometry", what, index);
        return found ? 1 : 1000;
    };
    int green = 0, yellow = 0, red = 0, windows = 0;
    for (int k = 0; k < 8; ++k) {
        green += expect(chart.green[k], "#00c000", "green bar", k + 1);
        yellow += expect(chart.yellow[k], "#ffff00", "yellow bar", k + 1);
        red += expect(chart.red[k], "#ff0000", "red bar", k + 1);
    }
    // A window only as long as its bar's 10 twips of overlap has no length: not drawn.
    for (int w = 0; w < kWindowBars; ++w)
        if (w >= PPend1 || chart.windows[w].width > 10) windows += expect(chart.windows[w], "#a8d4ff", "window bar", w);
    // Every bar of the geometry is there, and no other bar.
    QCOMPARE(count("#00c000"), green);
    QCOMPARE(count("#ffff00"), yellow);
    QCOMPARE(count("#ff0000"), red);
    QVERIFY(count("#a8d4ff") >= windows && windows < 1000);  // a narrow window's label is a box of its own
    // The barriers, two pixels wide, centred on their place.
    for (const VLine* b : {&chart.barrier1, &chart.barrier2, &chart.barrier3}) {
        const QRectF line(b->x / 15.0 - 1, std::min(b->top, b->bottom) / 15.0 + kChartDown, 2,
                          std::abs(b->bottom - b->top) / 15.0);
        QVERIFY(std::any_of(rects.begin(), rects.end(),
                            [&](const SvgRect& r) { return r.fill == QLatin1String("#000000") && near(r.rect, line); }));
    }
}

void ExportsTest::pngShowsEveryItemInItsColour_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("Dual Lead, NEMA TS2, Permissive") << plan("main-and-1st.tvm");
    QTest::newRow("Dual Lag, Type 170, Yield") << plan("exports/lag-yield.tvm");
    QTest::newRow("splits of 2 s") << plan("charts/glendale-4374.tvm");
}

void ExportsTest::pngShowsEveryItemInItsColour() {
    QFETCH(QString, path);
    QTemporaryDir dir;
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    Form1* form = openAndCalculate(frame, scripted, path);
    scripted.fileNames = {dir.filePath("chart.png")};
    frame.mnuFileExportChart_Click();
    const QImage exported(dir.filePath("chart.png"));
    QCOMPARE(exported.size(), QSize(687 * 2, 210 * 2));  // twice the screen's detail

    // Where an item is in front, the picture has its colour: just inside its corner,
    // and in the middle of a window or bar too wide to be all text.
    const std::vector<ChartItem> items = chartItems(form->state().chart, chartFont(&exported, 96), &exported);
    int checked = 0;
    for (const ChartItem& item : items) {
        if (!item.fill.isValid() || item.rect.width() < 6 || item.rect.height() < 6) continue;
        for (const QPointF at : {item.rect.topLeft() + QPointF(2.5, 2.5), QPointF(item.rect.left() + 2.5, item.rect.center().y())}) {
            if (chartItemAt(items, at) != &item) continue;
            const QColor shown = exported.pixelColor(int(at.x() * 2), int((at.y() + kChartDown) * 2));
            QVERIFY2(shown == item.fill, qPrintable(QStringLiteral("%1 at %2,%3 is %4").arg(QString::fromStdString(item.name))
                                                        .arg(at.x()).arg(at.y()).arg(shown.name())));
            ++checked;
        }
    }
    QVERIFY(checked > 20);
}

void ExportsTest::csvIsWhatTheCalculatorPrints() {
    QTemporaryDir dir;
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    Form1* form = openAndCalculate(frame, scripted, plan("exports/lag-yield.tvm"));
    // A comma in the intersection's name stays inside its cell.
    WindowState s = form->state();
    s.plan.description = "5139: Main, 1st";
    form->setState(s);
    form->Calculate_Click();
    scripted.fileNames = {dir.filePath("results.csv")};
    frame.findChild<QAction*>("mnuFileExportResults")->trigger();
    QVERIFY2(scripted.shown.isEmpty(), qPrintable(scripted.texts().join('|')));
    // The signal named above an empty line, then the calculator's own csv, unchanged.
    std::ostringstream out, err;
    QCOMPARE(cli::runCalc({plan("exports/lag-yield.tvm").toStdString(), "--format", "csv"}, out, err), 0);
    QCOMPARE(bytesOf(dir.filePath("results.csv")),
             "Intersection,\"5139: Main, 1st\"\nCycle Length,100\nController,Type 170\nMode,Yield\n"
             "Left Turns,Dual Lag\n\n" +
                 QByteArray::fromStdString(out.str()));
}

// Chattanooga's signal 2 keeps its file's Offset 70 to the last coordinated green; the
// window line, the copied table and the report page show it in every reference, and
// a change of the timing leaves only the offset as given until the next Calculate.
void ExportsTest::aNetworkSignalShowsItsOffsetInEveryReference() {
    auto read = readUtdfNetwork(TAVIMO_TEST_DATA "/utdf8/chattanooga.csv");
    QVERIFY(std::holds_alternative<UtdfNetwork>(read));
    auto placed = networkSignal(standingOf(*std::get<UtdfNetwork>(read).find("2")), tag::kType170, tag::kPermissive);
    QVERIFY(std::holds_alternative<WindowState>(placed));
    Form1 form;
    form.show();
    form.importNetworkSignal(std::get<WindowState>(placed));
    QLabel* line = form.findChild<QLabel*>("offsets");
    QVERIFY(line);
    const QString figures = "ts2 70, last_green 70 (own), type170 91.8, red 95.4, flashing_dont_walk 79.8";
    QCOMPARE(line->text(), "Offset: " + figures);

    QGuiApplication::clipboard()->clear();
    form.CopyResults_Click();
    QVERIFY(QGuiApplication::clipboard()->text().contains(
        "Left Turns\tDual Lead\nReferenced To\tlast_green\nOffset ts2\t70\nOffset last_green\t70\n"
        "Offset type170\t91.8\nOffset red\t95.4\nOffset flashing_dont_walk\t79.8\n\nPhase\t"));

    const WindowState state = form.state();
    const ReportPage page = reportPageOf(state, controllerWorksheet(state.plan, {}), {}, "2026-12-10");
    QVERIFY2(page.titleBlock.contains("Offset: " + figures), qPrintable(page.titleBlock.join('|')));

    QLineEdit* split = nullptr;
    for (QLineEdit* e : form.findChildren<QLineEdit*>("split"))
        if (e->property("index").toInt() == 1) split = e;
    QVERIFY(split);
    split->setText("19");
    QTRY_COMPARE(line->text(), QString("Offset: 70 to last_green (not calculated)"));
}

void ExportsTest::copyResultsGivesASpreadsheetTable() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    Form1* form = openAndCalculate(frame, scripted, plan("exports/lag-yield.tvm"));
    QGuiApplication::clipboard()->setText(QStringLiteral("probe"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("probe"));
    QGuiApplication::clipboard()->clear();
    form->findChild<QPushButton*>("CopyResults")->click();
    QVERIFY2(scripted.shown.isEmpty(), qPrintable(scripted.texts().join('|')));
    // By phase number, though Dual Lag puts phase 2 first in the ring.
    const QString expected = QStringLiteral(
        "Intersection\tLag Yield 170\nCycle Length\t100\nController\tType 170\nMode\tYield\nLeft Turns\tDual Lag\n\n"
        "Phase\tMovement\tSplit\tMin Green\tAmber\tAll Red\tForce Off\tPermissive Start\tPermissive End\n"
        "1\tSB\t15\t5\t3.5\t1\t16\t0\t5.5\n"
        "2\tNB\t45\t20\t4\t1.5\t0\t0\t0\n"
        "3\tWB\t12\t5\t3.5\t1\t56\t0\t45.5\n"
        "4\tEB\t28\t10\t4\t1.5\t43\t0\t28.5\n"
        "5\tNB\t15\t5\t3.5\t1\t16\t0\t5.5\n"
        "6\tSB\t45\t20\t4\t1.5\t0\t0\t0\n"
        "7\tEB\t12\t5\t3.5\t1\t56\t0\t45.5\n"
        "8\tWB\t28\t10\t4\t1.5\t43\t0\t28.5\n");
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);

    QGuiApplication::clipboard()->clear();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : form, Qt::Key_C,
                    Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    QVERIFY(scripted.shown.isEmpty());

    // The same by the menu, which says so in the status bar.
    QGuiApplication::clipboard()->clear();
    frame.statusBar()->clearMessage();
    frame.findChild<QAction*>("mnuEditCopyResults")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    QCOMPARE(frame.statusBar()->currentMessage(), QString("Results copied to the clipboard"));
}

// Every kind of change greys the results and says so until the next Calculate.
void ExportsTest::staleResultsAreMarked_data() {
    QTest::addColumn<QString>("change");
    QTest::newRow("split typed") << "split";
    QTest::newRow("mode") << "mode";
    QTest::newRow("controller") << "controller";
    QTest::newRow("opened again") << "open";
}

void ExportsTest::staleResultsAreMarked() {
    QFETCH(QString, change);
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    Form1* form = openAndCalculate(frame, scripted, plan("exports/lag-yield.tvm"));
    QLineEdit* force = arrayElement<QLineEdit>(form, "force", 1);
    const QColor normal = force->palette().color(QPalette::Text);
    QVERIFY(!form->resultsStale());
    if (change == "split") {
        QLineEdit* split = arrayElement<QLineEdit>(form, "split", 3);
        split->selectAll();
        QTest::keyClicks(split, "13");
    } else if (change == "mode") {
        arrayElement<QRadioButton>(form, "Mode", 1)->click();  // Permissive
    } else if (change == "controller") {
        WindowState s = form->state();
        s.plan.controller = s.plan.controller == tag::kNema ? tag::kType170 : tag::kNema;
        form->setState(s);
    } else {
        scripted.fileNames = {plan("exports/lag-yield.tvm")};
        frame.mnuFileOpen_Click();
    }
    QVERIFY(form->resultsStale());
    QCOMPARE(frame.statusBar()->currentMessage(), QString("Results are from before the last change: Calculate"));
    if (change != "open") QVERIFY(force->palette().color(QPalette::Text) != normal);
    scripted.shown.clear();
    frame.mnuFileExportChart_Click();
    QCOMPARE(scripted.texts(), QStringList{"Calculate first"});

    form->Calculate_Click();
    QVERIFY(!form->resultsStale());
    QCOMPARE(force->palette().color(QPalette::Text), normal);
    QCOMPARE(frame.statusBar()->currentMessage(), QString());
}

void ExportsTest::nothingLeavesWithoutACalculatedSignal() {
    QTemporaryDir dir;
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    auto tryAll = [&] {
        scripted.fileNames = {dir.filePath("chart.svg"), dir.filePath("results.csv")};
        frame.mnuFileExportChart_Click();
        frame.mnuFileExportResults_Click();
        if (Form1* form = frame.timingWindow()) form->CopyResults_Click();
    };
    tryAll();  // no timing window
    scripted.fileNames = {plan("main-and-1st.tvm")};
    frame.mnuFileOpen_Click();
    tryAll();  // opened, not calculated
    Form1* form = frame.timingWindow();
    form->Calculate_Click();
    WindowState s = form->state();
    s.plan.at(3).split = "13";  // a split changed after "Calculate": the results are old
    form->setState(s);
    tryAll();
    // Opened and changed signals are to be calculated; without a window there is none.
    QCOMPARE(scripted.texts(), (QStringList{"No Signal to Export!", "No Signal to Export!", "Calculate first",
                                            "Calculate first", "Calculate first", "Calculate first",
                                            "Calculate first", "Calculate first"}));
    QVERIFY2(QDir(dir.path()).isEmpty(), qPrintable(QDir(dir.path()).entryList().join('|')));
    // No file dialog was shown but Open's.
    QCOMPARE(scripted.filters, QStringList{Tavimo::kOpenFilter});
}

// The exports share the calculator's atomic writer: a FIFO or a device named in the
// file dialog is refused with the reason and left as it was.
void ExportsTest::exportsReplaceNothingButARegularFile() {
    QTemporaryDir dir;
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    openAndCalculate(frame, scripted, plan("main-and-1st.tvm"));
    const QString fifo = dir.filePath("pipe.svg"), csvFifo = dir.filePath("pipe.csv");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QCOMPARE(::mkfifo(QFile::encodeName(csvFifo).constData(), 0600), 0);
    scripted.fileNames = {fifo, csvFifo};
    frame.mnuFileExportChart_Click();
    frame.mnuFileExportResults_Click();
    QCOMPARE(scripted.texts(), (QStringList{"cannot write " + fifo + ": it is a FIFO, not a regular file",
                                            "cannot write " + csvFifo + ": it is a FIFO, not a regular file"}));
    QVERIFY(QFileInfo(fifo).isFile() == false && QFileInfo::exists(fifo));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{"pipe.csv", "pipe.svg"}));
}

QTEST_MAIN(ExportsTest)
#include "test_exports.moc"
