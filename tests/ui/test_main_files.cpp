// SPDX-License-Identifier: MIT
// Open, Save and Save As through the frame window: round trips, the remembered file,
// and failures that must be told and must not lose anything.
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "helpers/scripted_dialogs.h"
#include "helpers/widgets.h"
#include "io/utdf_network.h"
#include "ui/common/file_dialog.h"
#include "ui/corridor/corridor_window.h"
#include "ui/dialogs/import_dialog.h"
#include "ui/dialogs/new_signal_dialog.h"
#include "ui/main/tavimo_window.h"
#include "ui/timing/control_array.h"
#include "ui/timing/form1.h"

using namespace tavimo;
using namespace tavimo::ui;
using tavimo::ui::test::ScriptedDialogs;
using tavimo::ui::test::settle;

namespace {

const QString kExample = QStringLiteral(TAVIMO_TEST_DATA "/main-and-1st.tvm");

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void setDescription(Form1* form, const std::string& description) {
    WindowState s = form->state();
    s.plan.description = description;
    form->setState(s);
}

std::string projectFileOf(Tavimo& frame) { return frame.timingWindow()->state().plan.projectFile; }

// Types `text` over a timing field as the user does.
void typeInto(Form1* form, const char* name, int index, const QString& text) {
    auto* field = arrayElement<QLineEdit>(form, QLatin1String(name), index);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

// The four ways of leaving a signal: the frame's File > Exit and close button, the
// timing window's close button and its Exit.
void leave(Tavimo& frame, const QString& route) {
    if (route == "File > Exit") frame.mnuFileExit_Click();
    else if (route == "frame close") frame.close();
    else if (route == "timing close") frame.mdiArea()->subWindowList().first()->close();
    else frame.timingWindow()->Exit_Click();
    settle();
}

// Opens a fresh copy of the example, written at `file`, in `frame`; its timing window.
Form1* openCopyOfExample(Tavimo& frame, ScriptedDialogs& scripted, const QString& file) {
    QFile::remove(file);
    if (!QFile::copy(kExample, file)) qFatal("cannot copy the example");
    scripted.fileNames = {file};
    frame.mnuFileOpen_Click();
    return frame.timingWindow();
}

}  // namespace

class MainFilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QVERIFY(dir.isValid()); }
    void openThenSaveWritesTheSameBytesWithoutAsking();
    void saveAsksOnceThenRemembersTheFile();
    void saveAsAlwaysAsksAndMovesTheRememberedFile();
    void cancelledSaveTellsAndKeepsTheRememberedFile();
    void openCancelChangesNothing();
    void openRefusesUnreadableAndInvalidFiles_data();
    void openRefusesUnreadableAndInvalidFiles();
    void saveFailureIsToldAndLeavesTheOldFile();
    void saveFailingPartWayKeepsTheOldFile_data();
    void saveFailingPartWayKeepsTheOldFile();
    void unstorableValuesAreNotWritten_data();
    void unstorableValuesAreNotWritten();
    void westernCharactersRoundTripInWindows1252();
    void nothingToSaveWithoutATimingWindow();
    void fileDialogsShowTheFilterAsWritten_data();
    void fileDialogsShowTheFilterAsWritten();
    void leavingAModifiedSignalAsksToSave_data();
    void leavingAModifiedSignalAsksToSave();
    void anUntitledSignalIsSavedUnderANameOnExit();
    void replacingAModifiedSignalAsksToSave_data();
    void replacingAModifiedSignalAsksToSave();
    void recentFilesAndFoldersSurviveARestart();
    void openOfAProjectWithACorridorShowsItsDiagram();

private:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
};

void MainFilesTest::openThenSaveWritesTheSameBytesWithoutAsking() {
    const QString file = path("main.tvm");
    QVERIFY(QFile::copy(kExample, file));
    ScriptedDialogs scripted;
    Tavimo frame;
    scripted.fileNames = {file};
    frame.mnuFileOpen_Click();
    QVERIFY(scripted.shown.isEmpty());
    QCOMPARE(QString::fromStdString(projectFileOf(frame)), file);
    const SignalPlan plan = frame.timingWindow()->state().plan;
    QCOMPARE(plan.description, std::string("Main and 1st"));
    QCOMPARE(plan.at(2).split, std::string("45"));
    QVERIFY(plan.at(1).movementLocked);

    QFile::remove(file);
    frame.mnuFileSave_Click();
    QCOMPARE(scripted.filters.size(), 1);  // only the Open dialog
    QCOMPARE(bytesOf(file), bytesOf(kExample));
}

void MainFilesTest::saveAsksOnceThenRemembersTheFile() {
    const QString file = path("new.tvm");
    ScriptedDialogs scripted;
    Tavimo frame;
    scripted.fileNames = {kExample};
    frame.mnuFileOpen_Click();
    WindowState s = frame.timingWindow()->state();
    s.plan.projectFile.clear();  // as after a form reset
    frame.timingWindow()->setState(s);

    scripted.fileNames = {file};
    frame.mnuFileSave_Click();
    QCOMPARE(scripted.filters.size(), 2);
    QCOMPARE(QString::fromStdString(projectFileOf(frame)), file);
    const QByteArray first = bytesOf(file);
    QVERIFY(first.endsWith(",\r\n"));
    QCOMPARE(first.count("\r\n"), 7);

    frame.mnuFileSave_Click();
    QCOMPARE(scripted.filters.size(), 2);  // no dialog the second time
    QCOMPARE(bytesOf(file), first);        // saving twice gives the same bytes
    QVERIFY(scripted.shown.isEmpty());
}

void MainFilesTest::saveAsAlwaysAsksAndMovesTheRememberedFile() {
    const QString opened = path("opened.tvm");
    const QString typed = path("other");  // Open lists *.tvm only: the extension is added
    const QString other = typed + ".tvm";
    QVERIFY(QFile::copy(kExample, opened));
    ScriptedDialogs scripted;
    Tavimo frame;
    scripted.fileNames = {opened, typed};
    frame.mnuFileOpen_Click();
    frame.mnuFileSaveAs_Click();
    QCOMPARE(scripted.filters.size(), 2);
    QVERIFY(QFile::exists(other));
    QVERIFY(!QFile::exists(typed));
    QCOMPARE(QString::fromStdString(projectFileOf(frame)), other);
    QCOMPARE(frame.windowTitle(), QString("other.tvm[*] - Tavimo"));

    setDescription(frame.timingWindow(), "Changed");
    frame.mnuFileSave_Click();
    QCOMPARE(scripted.filters.size(), 2);
    QVERIFY(bytesOf(other).contains("Changed"));
    QCOMPARE(bytesOf(opened), bytesOf(kExample));
}

void MainFilesTest::cancelledSaveTellsAndKeepsTheRememberedFile() {
    ScriptedDialogs scripted;
    Tavimo frame;
    scripted.fileNames = {kExample};
    frame.mnuFileOpen_Click();
    frame.mnuFileSaveAs_Click();  // no name scripted: Cancel
    QCOMPARE(scripted.texts(), QStringList{"You must select a proper file!"});
    QCOMPARE(scripted.shown[0].title, QString("File Error"));
    QCOMPARE(scripted.shown[0].icon, Icon::Information);
    QCOMPARE(QString::fromStdString(projectFileOf(frame)), kExample);
}

void MainFilesTest::openCancelChangesNothing() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.mnuFileOpen_Click();
    QVERIFY(scripted.shown.isEmpty());
    QVERIFY(!frame.timingWindow());
}

void MainFilesTest::openRefusesUnreadableAndInvalidFiles_data() {
    QTest::addColumn<QByteArray>("content");  // empty: the file does not exist
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("special");  // "fifo", or a device to open instead of the file
    QTest::newRow("missing") << QByteArray() << "No such file" << QString();
    // Neither may block the window or exhaust its memory.
    QTest::newRow("FIFO") << QByteArray() << "it is a FIFO, not a regular file" << "fifo";
    QTest::newRow("device") << QByteArray() << "it is a device, not a regular file" << "/dev/zero";
    QTest::newRow("lower-case arrangement")
        << QByteArray("movements,,,,,,,,,\r\nsplits,30,,,,,,,,\r\nminGreen,\r\namber,\r\nred,\r\norder,2,\r\n"
                      "misc,100,lead,Nema,Permissive,X,\r\n")
        << "arrangement" << QString();
    QTest::newRow("phase twice")
        << QByteArray("movements,\r\nsplits,30,70,,,,,,,\r\nminGreen,\r\namber,\r\nred,\r\norder,2,2,\r\n"
                      "misc,100,Lead,Nema,Permissive,X,\r\n")
        << "phase 2" << QString();
    QTest::newRow("not a project file") << QByteArray("\x89PNG\r\n\x1a\n") << "is not a Tavimo project file: line 1" << QString();
    QTest::newRow("too large") << QByteArray(2 << 20, ',') << "larger than 1 MiB" << QString();
}

void MainFilesTest::openRefusesUnreadableAndInvalidFiles() {
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    QFETCH(QString, special);
    QString file = path("bad.tvm");
    QFile::remove(file);
    if (!content.isEmpty()) writeBytes(file, content);
    if (special == "fifo") QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    else if (!special.isEmpty()) file = special;

    ScriptedDialogs scripted;
    Tavimo frame;
    // A signal is on screen: a refused file must leave it as it is.
    scripted.fileNames = {kExample, file};
    frame.mnuFileOpen_Click();
    const WindowState before = frame.timingWindow()->state();
    frame.mnuFileOpen_Click();

    QCOMPARE(scripted.shown.size(), 1);
    const Message& m = scripted.shown[0];
    QCOMPARE(m.title, QString("File Error"));
    QVERIFY2(m.text.contains(file), qPrintable(m.text));
    QVERIFY2(m.text.contains(reason, Qt::CaseInsensitive), qPrintable(m.text));
    const SignalPlan after = frame.timingWindow()->state().plan;
    QCOMPARE(after.description, before.plan.description);
    QCOMPARE(after.projectFile, before.plan.projectFile);
    QCOMPARE(after.arrangement, before.plan.arrangement);
    QCOMPARE(after.at(2).phase, before.plan.at(2).phase);
}

void MainFilesTest::saveFailureIsToldAndLeavesTheOldFile() {
    // A folder that does not exist, and a name that is taken by a folder.
    QTemporaryDir own;
    auto path = [&own](const char* name) { return own.filePath(QLatin1String(name)); };
    QVERIFY(QDir(own.path()).mkdir("taken.tvm"));
    const QByteArray example = bytesOf(kExample);
    const QString targets[] = {path("missing/signal.tvm"), path("taken.tvm")};
    for (const QString& target : targets) {
        ScriptedDialogs scripted;
        Tavimo frame;
        scripted.fileNames = {kExample, target};
        frame.mnuFileOpen_Click();
        frame.mnuFileSaveAs_Click();
        QCOMPARE(scripted.shown.size(), 1);
        QCOMPARE(scripted.shown[0].title, QString("File Error"));
        QVERIFY2(scripted.shown[0].text.startsWith("Unable to save " + target + ": "), qPrintable(scripted.shown[0].text));
        QVERIFY(!QFileInfo(target).isFile());
        QCOMPARE(bytesOf(kExample), example);

        // The name stays remembered: Save tries it again and says so again.
        QCOMPARE(QString::fromStdString(projectFileOf(frame)), target);
        frame.mnuFileSave_Click();
        QCOMPARE(scripted.shown.size(), 2);
        QCOMPARE(scripted.filters.size(), 2);
    }
    QVERIFY(QFileInfo(path("taken.tvm")).isDir());
    QCOMPARE(QDir(own.path()).entryList(QDir::Files | QDir::Hidden), QStringList());  // no leftovers
}

// A disk that fills up while the file is written. Where the test may mount (as root
// in CI), a real 64 KiB tmpfs filled to the brim; everywhere, a file-size limit that
// makes every write beyond 100 bytes fail, as a full disk does.
void MainFilesTest::saveFailingPartWayKeepsTheOldFile_data() {
    QTest::addColumn<bool>("tmpfs");
    QTest::newRow("full tmpfs") << true;
    QTest::newRow("file size limit") << false;
}

void MainFilesTest::saveFailingPartWayKeepsTheOldFile() {
    QFETCH(bool, tmpfs);
    QTemporaryDir own;
    const QString folder = own.path();
    struct Unmount {
        QByteArray at;
        ~Unmount() {
            if (!at.isEmpty()) ::umount2(at.constData(), MNT_DETACH);
        }
    } unmount;
    if (tmpfs) {
        if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("this user may not mount a tmpfs; the file size limit covers the same fault");
        unmount.at = QFile::encodeName(folder);
    }
    const QString old = folder + "/old.tvm";
    QVERIFY(QFile::copy(kExample, old));
    const QByteArray example = bytesOf(kExample);
    if (tmpfs) {
        QFile fill(folder + "/fill");
        QVERIFY(fill.open(QIODevice::WriteOnly));
        const QByteArray block(4096, '\0');
        while (fill.write(block) == block.size() && fill.flush()) {
        }
    }

    ScriptedDialogs scripted;
    Tavimo frame;
    scripted.fileNames = {old, folder + "/new.tvm"};
    frame.mnuFileOpen_Click();
    setDescription(frame.timingWindow(), "Main and 1st, retimed");

    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
    if (!tmpfs) {
        const rlimit small{100, previous.rlim_max};
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    frame.mnuFileSave_Click();
    frame.mnuFileSaveAs_Click();
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousSignal);

    // Qt words a write refused past the size limit only as "Unknown error".
    const QString told[] = {"Unable to save " + old + ": ", "Unable to save " + folder + "/new.tvm: "};
    QCOMPARE(scripted.texts().size(), 2);
    for (int i = 0; i < 2; ++i) {
        const QString text = scripted.texts()[i];
        QVERIFY2(text.startsWith(told[i]) && (!tmpfs || text.endsWith("No space left on device")), qPrintable(text));
    }
    QCOMPARE(bytesOf(old), example);
    QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    left.removeAll("fill");
    QCOMPARE(left, QStringList{"old.tvm"});  // no new file, no temporary file
}

// Values a project file cannot hold are refused before anything is written: a
// character outside Windows-1252, and a comma in a time, which would shift the rest
// of its line when the file is read back.
void MainFilesTest::unstorableValuesAreNotWritten_data() {
    QTest::addColumn<int>("position");  // 0: the description
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("named");
    QTest::newRow("arrow in the description") << 0 << QString("Main \u2192 1st") << QString("description");
    QTest::newRow("decimal comma in an amber") << 3 << QString("3,5") << QString("amber time at position 3");
}

void MainFilesTest::unstorableValuesAreNotWritten() {
    QFETCH(int, position);
    QFETCH(QString, value);
    QFETCH(QString, named);
    const QString file = path("kept.tvm");
    QFile::remove(file);  // the folder is shared by the rows
    QVERIFY(QFile::copy(kExample, file));
    ScriptedDialogs scripted;
    Tavimo frame;
    scripted.fileNames = {file};
    frame.mnuFileOpen_Click();
    WindowState state = frame.timingWindow()->state();
    (position == 0 ? state.plan.description : state.plan.at(position).amber) = value.toStdString();
    frame.timingWindow()->setState(state);
    frame.mnuFileSave_Click();
    QCOMPARE(scripted.shown.size(), 1);
    QCOMPARE(scripted.shown[0].title, QString("File Error"));
    QVERIFY2(scripted.shown[0].text.contains(named), qPrintable(scripted.shown[0].text));
    QCOMPARE(bytesOf(file), bytesOf(kExample));

    // Save As refuses before asking for a name.
    frame.mnuFileSaveAs_Click();
    QCOMPARE(scripted.filters.size(), 1);
    QCOMPARE(scripted.shown.size(), 2);
}

void MainFilesTest::westernCharactersRoundTripInWindows1252() {
    const QString file = path("strasse.tvm");
    ScriptedDialogs scripted;
    Tavimo frame;
    scripted.fileNames = {kExample};
    frame.mnuFileOpen_Click();
    setDescription(frame.timingWindow(), "Hauptstra\xC3\x9F" "e / Caf\xC3\xA9");
    scripted.fileNames = {file, file};
    frame.mnuFileSaveAs_Click();
    QVERIFY(bytesOf(file).contains("Hauptstra\xDF" "e / Caf\xE9,\r\n"));

    Tavimo second;
    second.mnuFileOpen_Click();
    QCOMPARE(second.timingWindow()->state().plan.description, std::string("Hauptstra\xC3\x9F" "e / Caf\xC3\xA9"));
}

void MainFilesTest::nothingToSaveWithoutATimingWindow() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.mnuFileSave_Click();
    frame.mnuFileSaveAs_Click();
    QCOMPARE(scripted.texts(), QStringList(2, "No Signal to Save!"));
    QVERIFY(scripted.filters.isEmpty());
    QVERIFY(!frame.timingWindow());
}

void MainFilesTest::fileDialogsShowTheFilterAsWritten_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("shown");     // in the dialog's list of file types
    QTest::addColumn<QString>("patterns");  // the names it lists
    QTest::newRow("Open") << Tavimo::kProjectFilter << false << "Tavimo Files (*.tvm)" << "*.tvm";
    QTest::newRow("Open with projects") << Tavimo::kOpenFilter << false << "Tavimo Files (*.tvm;*.tavimo)"
                                        << "*.tvm *.tavimo";
    QTest::newRow("Save") << Tavimo::kProjectFilter << true << "Tavimo Files (*.tvm)" << "*.tvm";
    QTest::newRow("UTDF timing") << Import::kTimingFilter << false << "Timing Files (*.dat;*.csv)"
                                 << "TIMING.dat TIMING.csv";
}

void MainFilesTest::fileDialogsShowTheFilterAsWritten() {
    QFETCH(QString, filter);
    QFETCH(bool, save);
    QFETCH(QString, shown);
    QFETCH(QString, patterns);
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    prepareFileDialog(dialog, filter, save);
    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QVERIFY(types);
    QCOMPARE(types->count(), 1);
    QCOMPARE(types->itemText(0), shown);
    QVERIFY2(dialog.nameFilters().value(0).endsWith("(" + patterns + ")"), qPrintable(dialog.nameFilters().value(0)));
    QCOMPARE(dialog.acceptMode(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    QCOMPARE(dialog.fileMode(), save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QCOMPARE(dialog.defaultSuffix(), save ? QString("tvm") : QString());
    QVERIFY(!dialog.testOption(QFileDialog::DontConfirmOverwrite));
}

void MainFilesTest::leavingAModifiedSignalAsksToSave_data() {
    QTest::addColumn<QString>("route");
    QTest::addColumn<bool>("edit");
    QTest::addColumn<int>("answer");  // to "Save changes to main.tvm?"
    QTest::addColumn<bool>("gone");   // the frame (or the timing window) closed
    const QString routes[] = {"File > Exit", "frame close", "timing close", "timing Exit"};
    for (const QString& route : routes) {
        QTest::addRow("%s, unmodified", qPrintable(route)) << route << false << -1 << true;
        QTest::addRow("%s, Save", qPrintable(route)) << route << true << int(Answer::Save) << true;
        QTest::addRow("%s, Discard", qPrintable(route)) << route << true << int(Answer::Discard) << true;
        QTest::addRow("%s, Cancel", qPrintable(route)) << route << true << int(Answer::Cancel) << false;
    }
}

void MainFilesTest::leavingAModifiedSignalAsksToSave() {
    QFETCH(QString, route);
    QFETCH(bool, edit);
    QFETCH(int, answer);
    QFETCH(bool, gone);
    const QString file = path("main.tvm");
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    Form1* form = openCopyOfExample(frame, scripted, file);
    form->Calculate_Click();  // results are no change of the signal
    QCOMPARE(frame.windowTitle(), QString("main.tvm[*] - Tavimo"));
    QVERIFY(!frame.isWindowModified());
    if (edit) {
        typeInto(form, "split", 2, "50");
        QVERIFY(frame.isWindowModified());
        // Typed back as it was: nothing differs from the file.
        typeInto(form, "split", 2, "45");
        QVERIFY(!frame.isWindowModified());
        typeInto(form, "split", 2, "50");
        QVERIFY(form->isModified());
    }
    scripted.shown.clear();
    if (answer >= 0) scripted.answers = {Answer(answer)};
    const bool timing = route.startsWith("timing");
    if (route == "timing Exit" && gone) scripted.answers << Answer::No;  // "Restart Project?"

    leave(frame, route);
    QStringList asked;
    if (edit) asked << "Save changes to main.tvm?";
    if (route == "timing Exit" && gone) asked << "Restart Project?";
    QCOMPARE(scripted.texts(), asked);
    if (edit) QVERIFY(scripted.shown[0].buttons == Buttons::SaveDiscardCancel);
    QCOMPARE(timing ? !frame.timingWindow() : !frame.isVisible(), gone);
    const bool saved = answer == int(Answer::Save);
    QCOMPARE(bytesOf(file) == bytesOf(kExample), !saved);
    if (saved) QVERIFY(bytesOf(file).contains("splits,15,50,12,"));
    if (!gone) {
        // Cancel keeps everything: the edit, its mark, the window.
        QCOMPARE(form->state().plan.at(2).split, std::string("50"));
        QVERIFY(frame.isWindowModified());
        QVERIFY(frame.isVisible());
    }
    if (timing && gone) QCOMPARE(frame.windowTitle(), QString("Tavimo"));
}

void MainFilesTest::anUntitledSignalIsSavedUnderANameOnExit() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    scripted.fileNames = {kExample};
    frame.mnuFileOpen_Click();
    Form1* form = frame.timingWindow();
    WindowState s = form->state();
    s.plan.projectFile.clear();  // as an imported signal has no file
    form->setState(s);
    form->markUnmodified();
    QCOMPARE(frame.windowTitle(), QString("Untitled[*] - Tavimo"));
    typeInto(form, "split", 1, "30");
    QVERIFY(frame.isWindowModified());

    // Save with no name chosen is no save: the frame stays.
    scripted.answers = {Answer::Save, Answer::Ok};
    frame.close();
    QCOMPARE(scripted.texts(), QStringList({"Save changes to Untitled?", "You must select a proper file!"}));
    QVERIFY(frame.isVisible());

    // The name typed without an extension gets ".tvm", and the status bar says where.
    scripted.shown.clear();
    scripted.answers = {Answer::Save};
    scripted.fileNames = {path("elm")};
    frame.close();
    QVERIFY(!frame.isVisible());
    QVERIFY(bytesOf(path("elm.tvm")).contains("splits,30,"));
    QVERIFY(!QFile::exists(path("elm")));
    QCOMPARE(frame.statusBar()->currentMessage(), "Saved elm.tvm in " + dir.path());
}

void MainFilesTest::replacingAModifiedSignalAsksToSave_data() {
    QTest::addColumn<QString>("route");
    QTest::addColumn<int>("answer");  // to "Save changes to main.tvm?"
    for (const QString route : {"File > Open", "New Signal OK"}) {
        QTest::addRow("%s, Save", qPrintable(route)) << route << int(Answer::Save);
        QTest::addRow("%s, Discard", qPrintable(route)) << route << int(Answer::Discard);
        QTest::addRow("%s, Cancel", qPrintable(route)) << route << int(Answer::Cancel);
    }
}

// Another signal coming into the timing window (Open, New, an import) takes the place
// of a changed one only once it is saved or given up.
void MainFilesTest::replacingAModifiedSignalAsksToSave() {
    QFETCH(QString, route);
    QFETCH(int, answer);
    const QString file = path("main.tvm");
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    Form1* form = openCopyOfExample(frame, scripted, file);
    typeInto(form, "split", 2, "50");
    QVERIFY(frame.isWindowModified());

    scripted.shown.clear();
    scripted.answers = {Answer(answer)};
    if (route == "File > Open") {
        scripted.fileNames = {kExample};
        frame.mnuFileOpen_Click();
    } else {
        frame.New_Click();
        newSignal* dialog = frame.newSignalDialog();
        tavimo::ui::test::child<QLineEdit>(dialog, "description")->setText("Elm");
        tavimo::ui::test::child<QLineEdit>(dialog, "cycleLength")->setText("90");
        scripted.answers << Answer::Ok;  // "Please Choose Coordinated Phase(s)!"
        dialog->OKnew_Click();
    }
    settle();
    QCOMPARE(scripted.texts().value(0), QString("Save changes to main.tvm?"));
    const bool replaced = answer != int(Answer::Cancel);
    QCOMPARE(bytesOf(file).contains("splits,15,50,12,"), answer == int(Answer::Save));
    QVERIFY(frame.timingWindow());
    const SignalPlan plan = frame.timingWindow()->state().plan;
    if (replaced) {
        QCOMPARE(plan.description == "Elm", route != "File > Open");
        QVERIFY(!frame.isWindowModified() || route != "File > Open");
    } else {
        // Cancel keeps the changed signal, its file and its mark.
        QCOMPARE(plan.at(2).split, std::string("50"));
        QCOMPARE(QString::fromStdString(plan.projectFile), file);
        QVERIFY(frame.isWindowModified());
    }
}

void MainFilesTest::recentFilesAndFoldersSurviveARestart() {
    QSettings(QStringLiteral("Tavimo"), QStringLiteral("Tavimo")).clear();
    QTemporaryDir other;
    QStringList files;
    for (int i = 0; i < 11; ++i) {
        files << path(qPrintable(QStringLiteral("plan%1.tvm").arg(i)));
        QFile::remove(files.last());
        QVERIFY(QFile::copy(kExample, files.last()));
    }
    {
        ScriptedDialogs scripted;
        Tavimo frame;
        QVERIFY(!frame.findChild<QMenu*>("mnuFileOpenRecent")->isEnabled());
        scripted.fileNames = files;
        for (int i = 0; i < 11; ++i) frame.mnuFileOpen_Click();
        scripted.fileNames = {other.filePath("saved")};
        frame.mnuFileSaveAs_Click();  // saved elsewhere: first, and its folder remembered
        QCOMPARE(scripted.folders.value(0), QString());
        QCOMPARE(scripted.folders.value(1), dir.path());
        QVERIFY(scripted.shown.isEmpty());
    }
    // The next start: the latest ten, the latest first, each opening its file.
    ScriptedDialogs scripted;
    Tavimo frame;
    const QList<QAction*> entries = frame.findChild<QMenu*>("mnuFileOpenRecent")->actions();
    QStringList shown;
    for (QAction* a : entries) shown << a->text();
    QCOMPARE(shown, (QStringList{"&1 saved.tvm", "&2 plan10.tvm", "&3 plan9.tvm", "&4 plan8.tvm", "&5 plan7.tvm",
                                 "&6 plan6.tvm", "&7 plan5.tvm", "&8 plan4.tvm", "&9 plan3.tvm", "1&0 plan2.tvm"}));
    entries[3]->trigger();
    QCOMPARE(QString::fromStdString(projectFileOf(frame)), files[8]);
    frame.mnuFileOpen_Click();
    QCOMPARE(scripted.folders, QStringList{dir.path()});
    frame.mnuFileSaveAs_Click();
    QCOMPARE(scripted.saveFolders, QStringList{dir.path()});
    // Opened again, a file moves to the top, once.
    QCOMPARE(frame.findChild<QMenu*>("mnuFileOpenRecent")->actions().value(0)->text(), QString("&1 plan8.tvm"));
    QCOMPARE(frame.findChild<QMenu*>("mnuFileOpenRecent")->actions().size(), 10);
}

// File > Open of a .tavimo project that holds a corridor opens its time-space diagram,
// and the file joins the recent ones.
void MainFilesTest::openOfAProjectWithACorridorShowsItsDiagram() {
    ScriptedDialogs scripted;
    auto network = readUtdfNetwork(TAVIMO_TEST_DATA "/utdf8/glendale.csv");
    QPointer<CorridorWindow> saved =
        openCorridorWindow(nullptr, std::get<UtdfNetwork>(network), "glendale.csv", {"3325", "3350", "3375"});
    QVERIFY(saved);
    const QString file = path("67th.tavimo");
    QCOMPARE(saved->saveTo(file), QString());
    saved->close();

    Tavimo frame;
    scripted.fileNames << file;
    frame.mnuFileOpen_Click();
    QVERIFY2(scripted.shown.isEmpty(), qPrintable(scripted.texts().join('\n')));
    CorridorWindow* opened = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* c = qobject_cast<CorridorWindow*>(w); c && c->projectFile() == file) opened = c;
    QVERIFY(opened);
    QVERIFY(!frame.timingWindow());
    QCOMPARE(opened->findChild<QLabel*>("bandThere")->text(),
             QStringLiteral("3325 to 3375: band 47.37 s, efficiency 0.395, attainability 0.869"));
    opened->close();
}

QTEST_MAIN(MainFilesTest)
#include "test_main_files.moc"
