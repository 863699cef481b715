// SPDX-License-Identifier: MIT
// Printing the current signal: copies, orientation and every failure told.
#include <QAction>
#include <QDate>
#include <QFile>
#include <QProcess>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/main/print_signal.h"
#include "helpers/scripted_dialogs.h"
#include "ui/main/tavimo_window.h"
#include "ui/timing/form1.h"

using namespace tavimo;
using namespace tavimo::ui;
using tavimo::ui::test::ScriptedDialogs;

namespace {

// A printer dialog whose user chose "print to file" as PDF; messages go to the
// scripted dialogs.
class PdfPrinterDialogs final : public Dialogs {
public:
    explicit PdfPrinterDialogs(ScriptedDialogs& messages, QString pdf) : messages_(messages), pdf_(std::move(pdf)) {
        setDialogs(this);
    }
    ~PdfPrinterDialogs() override { setDialogs(&messages_); }
    int copies = 1;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QString offered;  // the file the printer came with to the dialog

    Answer ask(QWidget* parent, const Message& m) override { return messages_.ask(parent, m); }
    QString openFileName(QWidget* parent, const QString& f) override { return messages_.openFileName(parent, f); }
    QString saveFileName(QWidget* parent, const QString& f) override { return messages_.saveFileName(parent, f); }
    bool choosePrinter(QWidget*, QPrinter& printer) override {
        offered = printer.outputFileName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf_);
        printer.setCopyCount(copies);
        printer.setPageOrientation(orientation);
        return true;
    }

private:
    ScriptedDialogs& messages_;
    QString pdf_;
};

// The text of a PDF, as pdftotext reads it, its layout kept.
QString pdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Page objects of a PDF ("/Type /Page", not the "/Pages" tree).
int pageCount(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s])"));
    return int(QString::fromLatin1(pdf).count(page));
}

// Width and height of the first page's media box, in points.
QSizeF firstPageSize(const QByteArray& pdf) {
    static const QRegularExpression box(QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)"));
    const auto m = box.match(QString::fromLatin1(pdf));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

void openExample(Tavimo& frame, ScriptedDialogs& scripted) {
    scripted.fileNames = {QStringLiteral(TAVIMO_TEST_DATA "/main-and-1st.tvm")};
    frame.mnuFileOpen_Click();
    frame.timingWindow()->Calculate_Click();
}

}  // namespace

class PrintTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void eachCopyIsAPage_data();
    void eachCopyIsAPage();
    void printedWindowIsTextAndLines();
    void cancelPrintsNothing();
    void unwritableOutputIsToldAsUnableToPrint();
    void nothingToPrintWithoutATimingWindow();
    void printedWindowHasAHeaderLine_data();
    void printedWindowHasAHeaderLine();
    void reportIsOnePagePerCopyWithChartAndWorksheet();
    void reportNeedsACalculatedSignal();
    void reportFileIsTheSignals_data();
    void reportFileIsTheSignals();
};

void PrintTest::eachCopyIsAPage_data() {
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("landscape");
    QTest::newRow("one portrait") << 1 << false;
    QTest::newRow("two portrait") << 2 << false;
    QTest::newRow("three landscape") << 3 << true;
}

void PrintTest::eachCopyIsAPage() {
    QFETCH(int, copies);
    QFETCH(bool, landscape);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("signal.pdf");
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    openExample(frame, scripted);
    PdfPrinterDialogs printer(scripted, pdf);
    printer.copies = copies;
    printer.orientation = landscape ? QPageLayout::Landscape : QPageLayout::Portrait;

    frame.Command6_Click();
    QVERIFY2(scripted.shown.isEmpty(), qPrintable(scripted.texts().join('|')));
    const QByteArray bytes = bytesOf(pdf);
    QCOMPARE(pageCount(bytes), copies);
    const QSizeF page = firstPageSize(bytes);
    QVERIFY(page.isValid());
    QCOMPARE(page.width() > page.height(), landscape);
}

// What a poppler tool prints about a PDF.
QString popplerSays(const char* tool, const QStringList& arguments) {
    QProcess p;
    p.start(QString::fromLatin1(tool), arguments);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The window renders itself onto the printer: its texts are text with fonts, and no
// picture of the window (a raster page) stands on the page; the only images are the
// window's small phase and movement pictures.
void PrintTest::printedWindowIsTextAndLines() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("signal.pdf");
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    openExample(frame, scripted);
    frame.timingWindow()->Calculate_Click();
    PdfPrinterDialogs printer(scripted, pdf);
    frame.mnuFilePrintCurrent_Click();
    QVERIFY2(scripted.shown.isEmpty(), qPrintable(scripted.texts().join('|')));

    const QStringList fonts = popplerSays("pdffonts", {pdf}).split('\n', Qt::SkipEmptyParts);
    QVERIFY2(fonts.size() > 2, qPrintable(fonts.join('\n')));  // two heading lines, then a font a line
    const QStringList images = popplerSays("pdfimages", {QStringLiteral("-list"), pdf}).split('\n', Qt::SkipEmptyParts);
    for (const QString& line : images.mid(2)) {
        const QStringList f = line.simplified().split(' ');
        QVERIFY2(f.size() > 4 && f[3].toInt() < 200 && f[4].toInt() < 200, qPrintable(line));
    }
    // The chart's phase numbers and the results are on the page as text.
    const QString text = pdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("Calculate")) && text.contains(QStringLiteral("79.5")), qPrintable(text));
}

void PrintTest::cancelPrintsNothing() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    openExample(frame, scripted);
    scripted.printerAccepts = {false};
    frame.mnuFilePrintCurrent_Click();
    QCOMPARE(scripted.printerDialogs, 1);
    QCOMPARE(scripted.texts(), QStringList{"Unable to Print!"});
    QCOMPARE(scripted.shown[0].icon, Icon::None);
    QVERIFY(scripted.shown[0].title.isEmpty());
}

void PrintTest::unwritableOutputIsToldAsUnableToPrint() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    openExample(frame, scripted);
    PdfPrinterDialogs printer(scripted, QStringLiteral("/nonexistent-folder/signal.pdf"));
    frame.mnuFilePrintCurrent_Click();
    QCOMPARE(scripted.texts(), QStringList{"Unable to Print!"});
}

void PrintTest::nothingToPrintWithoutATimingWindow() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.mnuFilePrintCurrent_Click();
    QCOMPARE(scripted.printerDialogs, 0);
    QCOMPARE(scripted.texts(), QStringList{"No Signal to Print!"});
}

void PrintTest::printedWindowHasAHeaderLine_data() {
    QTest::addColumn<bool>("saved");
    QTest::newRow("opened from a file") << true;
    QTest::newRow("not saved") << false;
}

void PrintTest::printedWindowHasAHeaderLine() {
    QFETCH(bool, saved);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("signal.pdf");
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    openExample(frame, scripted);
    if (!saved) {
        WindowState s = frame.timingWindow()->state();
        s.plan.projectFile.clear();
        frame.timingWindow()->setState(s);
    }
    PdfPrinterDialogs printer(scripted, pdf);
    frame.mnuFilePrintCurrent_Click();
    QVERIFY2(scripted.shown.isEmpty(), qPrintable(scripted.texts().join('|')));
    const QString header = pdfText(pdf).section('\n', 0, 0);
    const QString file = saved ? QStringLiteral("main-and-1st.tvm") : QStringLiteral("not saved");
    QVERIFY2(header.contains(QRegularExpression(QStringLiteral("Main and 1st\\s+\\|\\s+%1\\s+\\|\\s+%2\\s+\\|\\s+NEMA TS2\\s+\\|\\s+Permissive")
                                                    .arg(QRegularExpression::escape(file),
                                                         QDate::currentDate().toString(Qt::ISODate)))),
             qPrintable(header));
}

void PrintTest::reportIsOnePagePerCopyWithChartAndWorksheet() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("report.pdf");
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    openExample(frame, scripted);
    Form1* form = frame.timingWindow();
    WindowState s = form->state();
    s.plan.at(3).walk = "4";
    s.plan.at(3).flash = "3";
    form->setState(s);
    form->Calculate_Click();
    PdfPrinterDialogs printer(scripted, pdf);
    printer.copies = 2;
    frame.findChild<QAction*>("mnuFilePrintReport")->trigger();
    QCOMPARE(printer.offered, QStringLiteral(TAVIMO_TEST_DATA "/main-and-1st.pdf"));
    QVERIFY2(scripted.shown.isEmpty(), qPrintable(scripted.texts().join('|')));
    QCOMPARE(pageCount(bytesOf(pdf)), 2);
    const QString text = pdfText(pdf);
    for (const char* has : {"Main and 1st", "Controller: NEMA TS2", "File: main-and-1st.tvm",
                            "Main and 1st - Cycle 100 s - NEMA TS2 - Permissive", "Local time, s",
                            "Controller worksheet, NEMA TS2 reference, whole seconds", "Permissive Start"})
        QVERIFY2(text.contains(QLatin1String(has)), has);
    // Phase 3's inputs as entered, then its force-off 52.5 is entered as the even 52, marked; its window 39.5 to 42.
    QVERIFY2(text.contains(QRegularExpression(QStringLiteral("\\n3\\s+WB\\s+12\\s+5\\s+3\\.5\\s+1\\s+4\\s+3\\s*\\n"))),
             qPrintable(text));
    QVERIFY2(text.contains(QRegularExpression(QStringLiteral("\\n3\\s+WB\\s+52\\s*\\*\\s+52\\.5\\s+40\\s*\\*\\s+39\\.5\\s+42\\s+42\\s*\\n"))),
             qPrintable(text));
}

void PrintTest::reportNeedsACalculatedSignal() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    frame.mnuFilePrintReport_Click();  // no timing window
    scripted.fileNames = {QStringLiteral(TAVIMO_TEST_DATA "/main-and-1st.tvm")};
    frame.mnuFileOpen_Click();
    frame.mnuFilePrintReport_Click();  // opened, not calculated
    QCOMPARE(scripted.printerDialogs, 0);
    QCOMPARE(scripted.texts(), (QStringList{"No Signal to Print!", "Calculate first"}));
}

void PrintTest::reportFileIsTheSignals_data() {
    QTest::addColumn<QString>("projectFile");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("offered");
    QTest::newRow("saved") << "/plans/5139.tvm" << "Main" << "" << "/plans/5139.pdf";
    QTest::newRow("remembered folder") << "/plans/5139.tvm" << "Main" << "/out" << "/out/5139.pdf";
    QTest::newRow("imported, not saved") << "" << "5139: Main & 1st" << "" << "5139 Main & 1st.pdf";
    QTest::newRow("no folder in a name") << "" << "../a/b\\c" << "/out" << "/out/a b c.pdf";
    QTest::newRow("nothing to name it") << "" << "" << "" << "Untitled signal.pdf";
}

void PrintTest::reportFileIsTheSignals() {
    QFETCH(QString, projectFile);
    QFETCH(QString, description);
    QFETCH(QString, folder);
    SignalPlan plan;
    plan.projectFile = projectFile.toStdString();
    plan.description = description.toStdString();
    QTEST(reportFileName(plan, folder), "offered");
}

QTEST_MAIN(PrintTest)
#include "test_print.moc"
