// SPDX-License-Identifier: MIT
#pragma once

#include <QMainWindow>
#include <QPointer>

#include <optional>

#include "calc/calculated_signal.h"
#include "io/plan_project.h"

class QMdiArea;
class QMdiSubWindow;
class QToolButton;
class QUndoGroup;

namespace tavimo::ui {

class CheckStatus;
class Form1;
class Help;
class Import;
class ImportNetwork;
class newSignal;
class PlanWindow;

// The frame window "Tavimo": menu, button bar and the one timing window inside it.
// Every command that creates, imports or opens a signal fills that one window,
// creating it blank when it is not open. The new-signal and import dialogs and the
// help window are separate windows, one of each, shown without blocking this one.
class Tavimo : public QMainWindow {
    Q_OBJECT
public:
    explicit Tavimo(QWidget* parent = nullptr);
    ~Tavimo() override;

    // The timing window when one is open, else nullptr.
    Form1* timingWindow();
    // Shows the timing window, creating it blank when it is not open.
    Form1* showTimingWindow();
    // The timing window about to take another signal: a changed one is saved or given
    // up first. None when the user keeps it (Cancel, or a save that failed).
    Form1* timingWindowForAnotherSignal();
    // Moves `dialog` beside the timing window, inside the screen.
    void placeBesideTimingWindow(QWidget* dialog);
    bool coversTimingWindow(const QWidget* dialog) const;
    // A line in the status bar (created with the first line): news that needs no answer.
    void showStatusLine(const QString& line);

    // The single instances, while they are shown (else nullptr).
    newSignal* newSignalDialog() const;
    Import* importDialog() const;
    ImportNetwork* importNetworkDialog() const;
    Help* helpWindow() const;
    QMdiArea* mdiArea() const { return mdi_; }
    // The status-bar line of the timing checks.
    CheckStatus* checkStatus() const { return checkStatus_; }

    // Opens the project file at `path` as Open does once the file is chosen: the
    // program's file argument (a double-click in the file manager) comes here.
    void openProjectFile(const QString& path);

    static const QString kProjectFilter;
    // What Open lists: signals (.tvm) and Tavimo projects (.tavimo): a plan of any
    // structure, or a corridor with its time-space diagram.
    static const QString kOpenFilter;

    // Opens `project` in a plan window of its own (`path` empty: not saved yet); a file
    // already open in one is shown there instead.
    PlanWindow* openPlanWindow(PlanProject project, const QString& path);
    // The plan window the file commands act on: the active window of the work area
    // when it is one, else none.
    PlanWindow* activePlanWindow() const;
    QList<PlanWindow*> planWindows() const;

public Q_SLOTS:
    // Button bar.
    void New_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    // Menu.
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFileAddSignalBlank_Click();
    void mnuFileAddSignalImport_Click();
    void mnuFileAddSignalImportNetwork_Click();
    void mnuFilePrintCurrent_Click();
    void mnuFilePrintReport_Click();
    void mnuFileExportChart_Click();
    void mnuFileExportResults_Click();
    void mnuFileExit_Click();
    void mnuEditCopyResults_Click();
    void mnuHelpread_Click();
    void mnuHelpAbout_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    // File > Open Recent: the remembered files, the latest first.
    void showRecentFiles();
    // A project file opened or saved: first of the recent files, its folder the next start.
    void rememberProjectFile(const QString& path);
    void buildButtonBar();
    void showNewSignalDialog();
    // Writes the signal to its file (or one chosen); true once it is written.
    bool save(bool saveAs);
    // Before the signal shown goes: true when it is unmodified, saved, or given up;
    // false when the user cancelled or the save failed, and nothing may change.
    bool maySetSignalAside();
    // "<file>[*] - Tavimo" while a timing window is open.
    void showSignalInTitle();
    // The status line of results that do not match the inputs shown, or none.
    void showResultsStale(bool stale);
    void discardClosedTimingWindow();
    // Scrolls the work area and the timing window so that `focused` is in view.
    void followFocus(QWidget* focused);
    // The timing window's signal, calculated as it stands now; or nothing, after
    // telling the user `nothingToDo`, when no window is open or its signal does not
    // calculate.
    std::optional<CalculatedSignal> calculatedSignalOrSay(const QString& nothingToDo);
    // The file an export writes, from the save dialog: a name typed without an
    // extension gets `defaultSuffix`. Empty when the user cancels.
    QString exportPath(const QString& filter, const QString& defaultSuffix);

    QMdiArea* mdi_;
    QMenu* recent_ = nullptr;
    QUndoGroup* undoGroup_;  // Edit > Undo and Redo: the timing window's edits
    QPointer<Form1> form_;
    QPointer<QMdiSubWindow> formFrame_;
    QPointer<newSignal> newSignal_;
    QPointer<Import> import_;
    QPointer<ImportNetwork> importNetwork_;
    QPointer<Help> help_;
    CheckStatus* checkStatus_;
};

}  // namespace tavimo::ui
