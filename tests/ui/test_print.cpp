// SPDX-License-Identifier: MIT
// Printing the current signal: copies, orientation and every failure told.
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

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

    Answer ask(QWidget* parent, const Message& m) override { return messages_.ask(parent, m); }
    QString openFileName(QWidget* parent, const QString& f) override { return messages_.openFileName(parent, f); }
    QString saveFileName(QWidget* parent, const QString& f) override { return messages_.saveFileName(parent, f); }
    bool choosePrinter(QWidget*, QPrinter& printer) override {
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
private slots:
    void eachCopyIsAPage_data();
    void eachCopyIsAPage();
    void cancelPrintsNothing();
    void unwritableOutputIsToldAsUnableToPrint();
    void nothingToPrintWithoutATimingWindow();
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

QTEST_MAIN(PrintTest)
#include "test_print.moc"
