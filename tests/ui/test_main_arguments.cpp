// SPDX-License-Identifier: MIT
// What `tavimo FILE.tvm` and Help > About do: the file argument goes the way of Open,
// and the arguments themselves are read as a desktop program's are.
#include <QtTest>

#include "helpers/scripted_dialogs.h"
#include "tavimo_version.h"
#include "ui/main/start_arguments.h"
#include "ui/main/tavimo_window.h"
#include "ui/timing/form1.h"

using namespace tavimo;
using namespace tavimo::ui;
using tavimo::ui::test::ScriptedDialogs;

namespace {

const QString kExample = QStringLiteral(TAVIMO_TEST_DATA "/main-and-1st.tvm");

// What a user sees of a signal: the record, position by position.
QStringList rowsOf(const SignalPlan& plan) {
    QStringList rows{QString::fromStdString(plan.description + "|" + plan.cycleLength + "|" + plan.controller + "|" +
                                            plan.mode + "|" + plan.arrangement + "|" + plan.projectFile)};
    for (const Position& p : plan.positions)
        rows << QString::fromStdString(p.phase + "|" + p.movement() + "|" + p.split + "|" + p.green + "|" + p.amber +
                                       "|" + p.red + (p.movementLocked ? "|locked" : "|free") +
                                       (p.phaseLocked ? "|locked" : "|free"));
    return rows;
}

}  // namespace

class MainArgumentsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fileArgumentOpensAsOpenDoes();
    void unopenableFileArgumentGetsOpensMessage();
    void aboutShowsVersionAndLicence();
    void startArguments_data();
    void startArguments();
};

void MainArgumentsTest::fileArgumentOpensAsOpenDoes() {
    ScriptedDialogs scripted;
    Tavimo byMenu;
    scripted.fileNames = {kExample};
    byMenu.mnuFileOpen_Click();

    Tavimo byArgument;
    byArgument.openProjectFile(kExample);
    QVERIFY(scripted.shown.isEmpty());
    QCOMPARE(scripted.filters.size(), 1);  // no dialog for the argument
    QVERIFY(byArgument.timingWindow());
    const SignalPlan plan = byArgument.timingWindow()->state().plan;
    QCOMPARE(plan.description, std::string("Main and 1st"));
    QCOMPARE(plan.at(2).split, std::string("45"));
    for (int k = 1; k <= kPositions; ++k) QVERIFY(plan.at(k).movementLocked);
    QCOMPARE(rowsOf(plan), rowsOf(byMenu.timingWindow()->state().plan));
}

void MainArgumentsTest::unopenableFileArgumentGetsOpensMessage() {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("gone.tvm"));
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.openProjectFile(missing);
    QCOMPARE(scripted.shown.size(), 1);
    const Message& m = scripted.shown.first();
    QVERIFY2(m.text.startsWith(QStringLiteral("Unable to open %1: ").arg(missing)), qPrintable(m.text));
    QCOMPARE(m.title, QStringLiteral("File Error"));
    QCOMPARE(m.icon, Icon::Critical);
    QVERIFY(!frame.timingWindow());  // the window stays empty

    // Open of the same file says the same.
    scripted.fileNames = {missing};
    frame.mnuFileOpen_Click();
    QCOMPARE(scripted.texts().last(), m.text);
}

void MainArgumentsTest::aboutShowsVersionAndLicence() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.findChild<QAction*>(QStringLiteral("mnuHelpAbout"))->trigger();
    QCOMPARE(scripted.shown.size(), 1);
    const Message& m = scripted.shown.first();
    QCOMPARE(m.title, QStringLiteral("About Tavimo"));
    QVERIFY2(m.text.startsWith(QStringLiteral("Tavimo " TAVIMO_VERSION "\n")), qPrintable(m.text));
    QVERIFY2(m.text.contains(QStringLiteral("MIT License")), qPrintable(m.text));
}

void MainArgumentsTest::startArguments_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("problem");
    using K = StartArguments::Kind;
    auto row = [](const char* name, const QStringList& args, K kind, const char* file, const char* problem = "") {
        QTest::newRow(name) << args << int(kind) << QString(file) << QString(problem);
    };
    row("nothing", {}, K::Window, "");
    row("a file", {"a.tvm"}, K::Window, "a.tvm");
    row("help wins over a file", {"a.tvm", "--help"}, K::Help, "");
    row("-h", {"-h"}, K::Help, "");
    row("version", {"--version", "x"}, K::Version, "");
    row("a file after --", {"--", "-odd.tvm"}, K::Window, "-odd.tvm");
    row("unknown option", {"--open", "a.tvm"}, K::Usage, "", "unknown option --open");
    row("two files", {"a.tvm", "b.tvm"}, K::Usage, "", "more than one project file given");
    row("empty name", {""}, K::Usage, "", "an empty file name given");
    row("help beside a mistake", {"--open", "--help"}, K::Help, "");
    row("a single-dash option", {"-open"}, K::Usage, "", "unknown option -open");
    row("an option with a value", {"--open=a.tvm"}, K::Usage, "", "unknown option --open=a.tvm");
    row("a file, then --", {"a.tvm", "--", "--help.tvm"}, K::Usage, "", "more than one project file given");
}

void MainArgumentsTest::startArguments() {
    QFETCH(QStringList, args);
    QFETCH(int, kind);
    QFETCH(QString, file);
    QFETCH(QString, problem);
    const StartArguments start = readStartArguments(args);
    QCOMPARE(int(start.kind), kind);
    QCOMPARE(start.projectFile, file);
    QCOMPARE(start.problem, problem);
}

QTEST_MAIN(MainArgumentsTest)
#include "test_main_arguments.moc"
