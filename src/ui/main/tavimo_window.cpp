// SPDX-License-Identifier: MIT
#include "ui/main/tavimo_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QUndoGroup>
#include <QUndoStack>
#include <QVBoxLayout>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <algorithm>
#include <sstream>
#include <variant>

#include "calc/calculated_signal.h"
#include "output/worksheet.h"
#include "output/results_forms.h"
#include "output/results_table.h"
#include "io/project_file.h"
#include "draw/chart_files.h"
#include "draw/report_page.h"
#include "tavimo_version.h"
#include "ui/common/dialogs.h"
#include "ui/common/twips.h"
#include "ui/dialogs/import_dialog.h"
#include "ui/dialogs/import_network_dialog.h"
#include "ui/dialogs/new_signal_dialog.h"
#include "ui/main/button_pictures.h"
#include "ui/main/help_window.h"
#include "ui/main/print_signal.h"
#include "ui/main/project_file_access.h"
#include "ui/common/remembered_places.h"
#include "ui/corridor/corridor_window.h"
#include "ui/main/check_status.h"
#include "ui/plan/plan_window.h"
#include "ui/timing/form1.h"

namespace tavimo::ui {

const QString Tavimo::kProjectFilter = QStringLiteral("Tavimo Files (*.tvm)|*.tvm");
const QString Tavimo::kOpenFilter = QStringLiteral("Tavimo Files (*.tvm;*.tavimo)|*.tvm;*.tavimo");

namespace {

const QString kFileError = QStringLiteral("File Error");
const QString kStaleLine = QStringLiteral("Results are from before the last change: Calculate");

// The timing window keeps its designed size and place; on a small screen, or when its
// frame is maximised, it scrolls inside the frame instead of being cut.
class TimingWindowScroll : public QScrollArea {
public:
    explicit TimingWindowScroll(Form1* form) {
        setObjectName(QStringLiteral("Form1Scroll"));
        setFrameShape(QFrame::NoFrame);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        // Maximised, the room beside the window shows the window's own grey.
        QPalette grey = palette();
        grey.setColor(QPalette::Window, form->palette().color(QPalette::Window));
        setPalette(grey);
        viewport()->setBackgroundRole(QPalette::Window);
        viewport()->setAutoFillBackground(true);
        setWidget(form);
        setWindowTitle(form->windowTitle());
        connect(form, &QWidget::windowTitleChanged, this, &QWidget::setWindowTitle);
    }
    // The frame opens around the whole window, not a scroll area's small default.
    QSize sizeHint() const override { return widget() ? widget()->size() : QScrollArea::sizeHint(); }
};

// The designed size of the frame, or less where the screen has less room: the window
// manager's title bar and borders come on top of it.
QSize fittedToScreen(const QWidget* frame, QSize designed) {
    const QScreen* screen = frame->screen();
    if (!screen) return designed;
    const QStyle* style = frame->style();
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const QSize decoration(2 * border, style->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * border);
    return designed.boundedTo(screen->availableGeometry().size() - decoration);
}

QString today() { return QDate::currentDate().toString(Qt::ISODate); }

}  // namespace

Tavimo::Tavimo(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Tavimo"));
    setWindowTitle(QStringLiteral("Tavimo"));
    setWindowIcon(applicationIcon());

    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    mdi_ = new QMdiArea(client);
    mdi_->setObjectName(QStringLiteral("MDIArea"));
    setCentralWidget(client);
    buildMenu();
    buildButtonBar();
    layout->addWidget(mdi_, 1);
    checkStatus_ = new CheckStatus;
    statusBar()->addWidget(checkStatus_, 1);

    // The timing window is larger than a laptop's screen: the work area scrolls.
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    // Where the user last left the frame; the first time, the design client area of
    // 10575 x 12765 twips below the menu, widened to hold the timing window with its
    // frame and the work area's vertical scroll bar, no larger than the screen. The
    // status bar takes its line from the bottom of the area.
    if (!restoreGeometry(rememberedFrameGeometry())) {
        const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
        const int timingWidth = twips(10350) + 2 * border + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const QSize designed(std::max(twips(10575), timingWidth), twips(12765) + menuBar()->sizeHint().height());
        resize(fittedToScreen(this, designed));
        if (size() != designed && screen()) move(screen()->availableGeometry().topLeft());
    }
    // Tab never leaves the focus out of view.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { followFocus(now); });
}

// The windows inside go before this one: no focus change may reach it by then.
Tavimo::~Tavimo() { disconnect(qApp, nullptr, this, nullptr); }

newSignal* Tavimo::newSignalDialog() const { return newSignal_ && !newSignal_->isHidden() ? newSignal_.data() : nullptr; }
Import* Tavimo::importDialog() const { return import_ && !import_->isHidden() ? import_.data() : nullptr; }
ImportNetwork* Tavimo::importNetworkDialog() const {
    return importNetwork_ && !importNetwork_->isHidden() ? importNetwork_.data() : nullptr;
}

void Tavimo::showStatusLine(const QString& line) {
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->showMessage(line);
}
Help* Tavimo::helpWindow() const { return help_; }

void Tavimo::buildMenu() {
    auto item = [this](QMenu* menu, const char* name, const QString& caption, const QKeySequence& key,
                       void (Tavimo::*handler)()) {
        auto* action = new QAction(caption, this);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(key);
        if (handler) connect(action, &QAction::triggered, this, handler);
        menu->addAction(action);
        return action;
    };
    auto separator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(QLatin1String(name));
    };
    auto submenu = [](QMenu* parent, const char* name, const QString& caption) {
        QMenu* menu = parent->addMenu(caption);
        menu->setObjectName(QLatin1String(name));
        menu->menuAction()->setObjectName(QLatin1String(name));
        return menu;
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    file->menuAction()->setObjectName(QStringLiteral("mnuFile"));
    item(file, "mnuFileNew", QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N), &Tavimo::mnuFileNew_Click);
    item(file, "mnuFileOpen", QStringLiteral("&Open"), QKeySequence(Qt::CTRL | Qt::Key_O), &Tavimo::mnuFileOpen_Click);
    recent_ = submenu(file, "mnuFileOpenRecent", QStringLiteral("Open &Recent"));
    showRecentFiles();
    separator(file, "mnuFileSeperatorOne");
    item(file, "mnuFileSave", QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S), &Tavimo::mnuFileSave_Click);
    item(file, "mnuFileSaveAs", QStringLiteral("Save As"), QKeySequence(), &Tavimo::mnuFileSaveAs_Click);
    separator(file, "mnuFileSeperatorTwo");
    QMenu* add = submenu(file, "mnuFileAddSignal", QStringLiteral("&Add Signal"));
    item(add, "mnuFileAddSignalBlank", QStringLiteral("Add &Blank Signal"), QKeySequence(Qt::CTRL | Qt::Key_B),
         &Tavimo::mnuFileAddSignalBlank_Click);
    item(add, "mnuFileAddSignalImport", QStringLiteral("&Import Signal From File"),
         QKeySequence(Qt::CTRL | Qt::Key_I), &Tavimo::mnuFileAddSignalImport_Click);
    item(add, "mnuFileAddSignalImportNetwork", QStringLiteral("Import From UTDF &Network File\u2026"),
         QKeySequence(Qt::CTRL | Qt::Key_U), &Tavimo::mnuFileAddSignalImportNetwork_Click);
    separator(file, "mnuFileSeperatorThree");
    QMenu* print = submenu(file, "mnuFilePrint", QStringLiteral("&Print"));
    item(print, "mnuFilePrintCurrent", QStringLiteral("Current Signal"), QKeySequence(),
         &Tavimo::mnuFilePrintCurrent_Click);
    // Seen but not chosen: kept for a signal report and a printer set-up to come.
    item(print, "mnuFilePrintReport", QStringLiteral("Report"), QKeySequence(), &Tavimo::mnuFilePrintReport_Click);
    item(print, "mnuFilePrintSetup", QStringLiteral("Setup"), QKeySequence(), nullptr)->setEnabled(false);
    QMenu* exportMenu = submenu(file, "mnuFileExport", QStringLiteral("E&xport"));
    item(exportMenu, "mnuFileExportChart", QStringLiteral("Chart…"), QKeySequence(), &Tavimo::mnuFileExportChart_Click);
    item(exportMenu, "mnuFileExportResults", QStringLiteral("Results (CSV)…"), QKeySequence(),
         &Tavimo::mnuFileExportResults_Click);
    separator(file, "mnuFileSeperatorFour");
    item(file, "mnuFileExit", QStringLiteral("&Exit"), QKeySequence(Qt::CTRL | Qt::Key_E), &Tavimo::mnuFileExit_Click);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    edit->menuAction()->setObjectName(QStringLiteral("mnuEdit"));
    // Their captions name the step ("Undo Split 3"); off while there is none.
    undoGroup_ = new QUndoGroup(this);
    QAction* undo = undoGroup_->createUndoAction(this, QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("mnuEditUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = undoGroup_->createRedoAction(this, QStringLiteral("&Redo"));
    redo->setObjectName(QStringLiteral("mnuEditRedo"));
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    edit->addActions({undo, redo});
    separator(edit, "mnuEditSeperatorOne");
    item(edit, "mnuEditCopyResults", QStringLiteral("&Copy Results"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
         &Tavimo::mnuEditCopyResults_Click);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    help->menuAction()->setObjectName(QStringLiteral("mnuHelp"));
    item(help, "mnuHelpread", QStringLiteral("Read Help"), QKeySequence(Qt::CTRL | Qt::Key_H),
         &Tavimo::mnuHelpread_Click);
    item(help, "mnuHelpAbout", QStringLiteral("&About Tavimo"), QKeySequence(), &Tavimo::mnuHelpAbout_Click);
}

void Tavimo::showRecentFiles() {
    recent_->clear();
    const QStringList files = recentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString& file = files[i];
        // "&1 main.tvm" for the first nine: a key each, as menus number their files.
        const QString number = i < 9 ? QStringLiteral("&%1 ").arg(i + 1) : QStringLiteral("1&0 ");
        QAction* entry = recent_->addAction(number + QFileInfo(file).fileName());
        entry->setObjectName(QStringLiteral("mnuFileOpenRecent%1").arg(i + 1));
        entry->setToolTip(QDir::toNativeSeparators(file));
        entry->setStatusTip(QDir::toNativeSeparators(file));
        connect(entry, &QAction::triggered, this, [this, file] { openProjectFile(file); });
    }
    recent_->setEnabled(!files.isEmpty());
}

void Tavimo::rememberProjectFile(const QString& path) {
    rememberRecentFile(path);
    rememberFolderOf(QStringLiteral("project"), path);
    showRecentFiles();
}

void Tavimo::buildButtonBar() {
    auto* bar = new QWidget(centralWidget());
    bar->setObjectName(QStringLiteral("Picture1"));
    bar->setFixedHeight(twips(450));
    static_cast<QVBoxLayout*>(centralWidget()->layout())->addWidget(bar);

    struct BarButton {
        const char* name;
        int left;
        QPixmap picture;
        QString hint;
        void (Tavimo::*handler)();
    };
    const BarButton buttons[] = {
        {"New", 120, newPagePicture(), QStringLiteral("New signal"), &Tavimo::New_Click},
        {"Command4", 520, openFolderPicture(), QStringLiteral("Open"), &Tavimo::Command4_Click},
        {"Command5", 920, floppyPicture(), QStringLiteral("Save"), &Tavimo::Command5_Click},
        {"Command6", 1320, printerPicture(), QStringLiteral("Print the current signal"), &Tavimo::Command6_Click},
    };
    QToolButton* previous = nullptr;
    for (const BarButton& b : buttons) {
        auto* button = new QToolButton(bar);
        button->setObjectName(QLatin1String(b.name));
        button->setIcon(QIcon(b.picture));
        button->setIconSize(b.picture.size());
        button->setToolTip(b.hint);
        button->setFocusPolicy(Qt::TabFocus);
        button->setGeometry(twipsRect(b.left, 50, 300, 300));
        connect(button, &QToolButton::clicked, this, b.handler);
        if (previous) setTabOrder(previous, button);
        previous = button;
    }
}

// ---- The one timing window ----

Form1* Tavimo::timingWindow() {
    discardClosedTimingWindow();
    return form_;
}

Form1* Tavimo::showTimingWindow() {
    Form1* form = timingWindow();
    if (!form) {
        form = new Form1;
        form_ = form;
        form->setWindowTitle(QStringLiteral("Timing/Phasing Data"));
        formFrame_ = mdi_->addSubWindow(new TimingWindowScroll(form));
        formFrame_->setObjectName(QStringLiteral("Form1Frame"));
        formFrame_->setAttribute(Qt::WA_DeleteOnClose);
        form->installEventFilter(this);
        // "Exit" answered Yes: a new signal is started while the old one goes.
        connect(form, &Form1::restartRequested, this, &Tavimo::showNewSignalDialog);
        connect(form, &Form1::checksChanged, checkStatus_, &CheckStatus::showChecks);
        // The warnings go with the signal they were found in.
        connect(form, &QObject::destroyed, checkStatus_, [status = checkStatus_] { status->showChecks({}, {}); });
        connect(form, &Form1::modifiedChanged, this, &Tavimo::showSignalInTitle);
        connect(form, &QObject::destroyed, this, &Tavimo::showSignalInTitle, Qt::QueuedConnection);
        connect(form, &Form1::resultsStaleChanged, this, &Tavimo::showResultsStale);
        connect(form, &QObject::destroyed, this, [this] { showResultsStale(false); }, Qt::QueuedConnection);
        connect(form, &Form1::resultsCopied, this,
                [this] { showStatusLine(QStringLiteral("Results copied to the clipboard")); });
        undoGroup_->addStack(form->undoStack());
        undoGroup_->setActiveStack(form->undoStack());
        // Edit > Copy Results, Undo and Redo carry the window's keys.
        form->setWindowKeysEnabled(false);
        form->setExitGuard([this] { return maySetSignalAside(); });
        formFrame_->installEventFilter(this);
        form->show();
        formFrame_->adjustSize();
        formFrame_->move(0, 0);
        showSignalInTitle();
    }
    if (formFrame_->isMinimized()) formFrame_->showNormal();
    formFrame_->show();
    mdi_->setActiveSubWindow(formFrame_);
    return form;
}

// The timing window closes itself on "Exit": once it (or its frame) is closed, the
// signal is gone and the next command starts a blank window.
void Tavimo::discardClosedTimingWindow() {
    const bool open = form_ && formFrame_ && !form_->isHidden() && !formFrame_->isHidden();
    if (open || (!form_ && !formFrame_)) return;
    QMdiSubWindow* frame = formFrame_;
    Form1* form = form_;
    form_ = nullptr;
    formFrame_ = nullptr;
    if (form) form->removeEventFilter(this);
    if (frame) {
        frame->hide();
        frame->deleteLater();  // takes the form with it
    } else if (form) {
        form->deleteLater();
    }
    showSignalInTitle();
}

void Tavimo::showSignalInTitle() {
    Form1* form = form_;
    if (!form || form->isHidden()) {
        setWindowTitle(QStringLiteral("Tavimo"));
        setWindowModified(false);
        return;
    }
    const QString file = QString::fromStdString(form->state().plan.projectFile);
    const QString name = file.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(file).fileName();
    setWindowTitle(name + QStringLiteral("[*] - Tavimo"));
    setWindowModified(form->isModified());
}

Form1* Tavimo::timingWindowForAnotherSignal() {
    if (!maySetSignalAside()) return nullptr;
    return showTimingWindow();
}

bool Tavimo::maySetSignalAside() {
    QPointer<Form1> form = timingWindow();
    if (!form || !form->isModified()) return true;
    const QString file = QString::fromStdString(form->state().plan.projectFile);
    const QString name = file.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(file).fileName();
    const Answer answer = dialogs().ask(
        this, Message{QStringLiteral("Save changes to %1?").arg(name), {}, Icon::Warning, Buttons::SaveDiscardCancel});
    if (answer == Answer::Discard) return true;
    // A signal without a file gets its name here, as Save As does.
    return answer == Answer::Save && save(false);
}

void Tavimo::followFocus(QWidget* focused) {
    Form1* form = form_;
    if (!focused || !form || !form->isAncestorOf(focused) || !formFrame_) return;
    if (auto* scroll = qobject_cast<QScrollArea*>(formFrame_->widget())) scroll->ensureWidgetVisible(focused, 8, 8);
    // The work area scrolls too where the frame is larger than the screen.
    const QRect field(focused->mapTo(mdi_->viewport(), QPoint()), focused->size());
    const QRect view = mdi_->viewport()->rect().adjusted(8, 8, -8, -8);
    auto follow = [](QScrollBar* bar, int start, int end, int viewStart, int viewEnd) {
        if (end > viewEnd) bar->setValue(bar->value() + std::min(end - viewEnd, start - viewStart));
        else if (start < viewStart) bar->setValue(bar->value() - (viewStart - start));
    };
    follow(mdi_->horizontalScrollBar(), field.left(), field.right(), view.left(), view.right());
    follow(mdi_->verticalScrollBar(), field.top(), field.bottom(), view.top(), view.bottom());
}

bool Tavimo::eventFilter(QObject* watched, QEvent* event) {
    // The form is hidden once more while ~QWidget runs, when it is a Form1 no longer:
    // only a live Form1 may be compared with form_, whose data() casts to one.
    if ((event->type() == QEvent::Close || event->type() == QEvent::Hide) && qobject_cast<Form1*>(watched) &&
        watched == form_.data())
        QTimer::singleShot(0, this, [this] { discardClosedTimingWindow(); });
    // The timing window's close button: unsaved changes are saved or given up first.
    if (event->type() == QEvent::Close && watched == formFrame_.data() && !maySetSignalAside()) {
        event->ignore();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Plan windows ----

QList<PlanWindow*> Tavimo::planWindows() const {
    QList<PlanWindow*> plans;
    for (QMdiSubWindow* frame : mdi_->subWindowList())
        if (auto* plan = qobject_cast<PlanWindow*>(frame->widget())) plans.append(plan);
    return plans;
}

PlanWindow* Tavimo::activePlanWindow() const {
    QMdiSubWindow* frame = mdi_->activeSubWindow();
    if (!frame) frame = mdi_->currentSubWindow();
    return frame ? qobject_cast<PlanWindow*>(frame->widget()) : nullptr;
}

PlanWindow* Tavimo::openPlanWindow(PlanProject project, const QString& path) {
    // One window a file: two would each save over the other's changes.
    if (!path.isEmpty())
        for (PlanWindow* plan : planWindows())
            if (QFileInfo(plan->filePath()) == QFileInfo(path)) {
                mdi_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(plan->parentWidget()));
                return plan;
            }
    auto* plan = new PlanWindow;
    plan->showProject(std::move(project), path);
    QMdiSubWindow* frame = mdi_->addSubWindow(plan);
    frame->setObjectName(QStringLiteral("PlanFrame"));
    frame->setAttribute(Qt::WA_DeleteOnClose);
    connect(plan, &PlanWindow::saved, this, &Tavimo::rememberProjectFile);
    connect(plan, &PlanWindow::statusLine, this, &Tavimo::showStatusLine);
    plan->show();
    frame->adjustSize();
    // The plan window is wider than the timing window: the frame grows to hold it where
    // the screen has room, and the work area scrolls where it has not.
    if (const QScreen* screen = this->screen(); screen && !isMaximized() && !isFullScreen()) {
        const QSize around = size() - mdi_->viewport()->size();
        const QSize wanted = size().expandedTo(frame->size() + around);
        if (wanted != size()) {
            resize(wanted.boundedTo(screen->availableGeometry().size()));
            if (!screen->availableGeometry().contains(frameGeometry()))
                move(screen->availableGeometry().topLeft());
        }
    }
    frame->resize(fittedToScreen(frame, frame->size()));
    frame->move(0, 0);
    mdi_->setActiveSubWindow(frame);
    // The keys go to the new window, even while the network dialog is in front: the
    // frame gives them back to the widget that had them once the dialog closes, and a
    // timing window that had them would come back on top of the plan just loaded.
    QWidget* first = plan;
    do first = first->nextInFocusChain();
    while (first != plan && !(plan->isAncestorOf(first) && first->isEnabled() && (first->focusPolicy() & Qt::TabFocus)));
    first->setFocus(Qt::OtherFocusReason);
    return plan;
}

// ---- Buttons and menu ----

void Tavimo::New_Click() { showNewSignalDialog(); }
void Tavimo::Command4_Click() { mnuFileOpen_Click(); }
void Tavimo::Command5_Click() { mnuFileSave_Click(); }
void Tavimo::Command6_Click() { mnuFilePrintCurrent_Click(); }
void Tavimo::mnuFileNew_Click() { New_Click(); }
void Tavimo::mnuFileAddSignalBlank_Click() { showNewSignalDialog(); }

void Tavimo::showNewSignalDialog() {
    // A dialog that was closed is on its way out; a new one starts empty.
    if (!newSignal_ || newSignal_->isHidden())
        newSignal_ = new newSignal([this] { return timingWindowForAnotherSignal(); }, this);
    newSignal_->show();
    newSignal_->raise();
    newSignal_->activateWindow();
}

void Tavimo::mnuFileAddSignalImport_Click() {
    if (!import_ || import_->isHidden()) import_ = new Import([this] { return timingWindowForAnotherSignal(); }, this);
    import_->show();
    import_->raise();
    import_->activateWindow();
}

void Tavimo::mnuFileAddSignalImportNetwork_Click() {
    if (!importNetwork_ || importNetwork_->isHidden()) {
        importNetwork_ = new ImportNetwork(
            [this] {
                Form1* form = timingWindowForAnotherSignal();
                // The first Load opens the timing window, perhaps under the dialog.
                if (form && importNetwork_ && coversTimingWindow(importNetwork_)) placeBesideTimingWindow(importNetwork_);
                return form;
            },
            [this](const QString& line) { showStatusLine(line); }, this);
        // The route's time-space diagram, a window of its own that outlives the dialog.
        importNetwork_->setShowCorridor([this](const std::vector<std::string>& ids) {
            if (importNetwork_ && importNetwork_->network())
                openCorridorWindow(importNetwork_, *importNetwork_->network(), importNetwork_->networkPath(), ids);
        });
        importNetwork_->setPlanWindow([this](const Signal& signal, const std::string& id) {
            openPlanWindow(PlanProject{{ProjectIntersection{id, signal}}, {}}, QString());
        });
        importNetwork_->restoreLastFile();
        placeBesideTimingWindow(importNetwork_);
    }
    importNetwork_->show();
    importNetwork_->raise();
    importNetwork_->activateWindow();
}

// A dialog the user goes back and forth with stands to the right of the timing
// window where the screen has room, so the loaded signal stays in view; on a narrow
// screen it keeps to the screen's right edge.
void Tavimo::placeBesideTimingWindow(QWidget* dialog) {
    const QScreen* screen = this->screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QSize size = dialog->size().expandedTo(dialog->sizeHint()).boundedTo(area.size());
    const QWidget* beside = formFrame_ ? static_cast<QWidget*>(formFrame_.data()) : mdi_;
    const int right = beside->mapToGlobal(QPoint(beside->width(), 0)).x();
    const int x = std::clamp(right, area.left(), area.right() + 1 - size.width());
    const int y = std::clamp(beside->mapToGlobal(QPoint(0, 0)).y(), area.top(), area.bottom() + 1 - size.height());
    dialog->resize(size);
    dialog->move(x, y);
}

bool Tavimo::coversTimingWindow(const QWidget* dialog) const {
    if (!formFrame_) return false;
    const QRect frame(formFrame_->mapToGlobal(QPoint(0, 0)), formFrame_->size());
    return dialog->frameGeometry().intersects(frame);
}

void Tavimo::mnuHelpread_Click() {
    if (!help_) help_ = new Help(this);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void Tavimo::mnuHelpAbout_Click() {
    tell(this,
         QStringLiteral("Tavimo %1\n\n"
                        "Force-offs and permissive windows of an actuated-coordinated signal, "
                        "for NEMA TS2 and Type 170 controllers.\n\n"
                        "Free software under the MIT License.")
             .arg(QStringLiteral(TAVIMO_VERSION)),
         QStringLiteral("About Tavimo"), Icon::Information);
}

void Tavimo::mnuFileExit_Click() { close(); }

void Tavimo::mnuEditCopyResults_Click() {
    if (PlanWindow* plan = activePlanWindow()) plan->copyResults();
    else if (Form1* form = timingWindow()) form->CopyResults_Click();
    else tell(this, QStringLiteral("No Signal to Copy!"));
}

void Tavimo::showResultsStale(bool stale) {
    if (stale) showStatusLine(kStaleLine);
    else if (statusBar()->currentMessage() == kStaleLine) statusBar()->clearMessage();
}

void Tavimo::closeEvent(QCloseEvent* event) {
    if (!maySetSignalAside()) {
        event->ignore();
        return;
    }
    for (PlanWindow* plan : planWindows())
        if (!plan->maySetAside()) {
            event->ignore();
            return;
        }
    for (CorridorWindow* corridor : findChildren<CorridorWindow*>())
        if (!corridor->maySetAside()) {
            event->ignore();
            return;
        }
    // The dialogs and the help window are windows of their own; they go with the
    // frame rather than outlive it.
    if (newSignal_) newSignal_->close();
    if (import_) import_->close();
    if (importNetwork_) importNetwork_->close();
    if (help_) help_->close();
    rememberFrameGeometry(saveGeometry());
    event->accept();
}

// ---- Open, Save, Save As ----

void Tavimo::mnuFileOpen_Click() {
    const QString path = dialogs().openFileNameIn(this, kOpenFilter, lastFolder(QStringLiteral("project")));
    if (path.isEmpty()) return;  // Cancel: nothing changes
    openProjectFile(path);
}

void Tavimo::openProjectFile(const QString& path) {
    // The file is read and checked whole before the window is touched. A Tavimo
    // project that holds a corridor opens as its time-space diagram, any other in a
    // plan window.
    if (QFileInfo(path).suffix().compare(QLatin1String(kPlanProjectExtension + 1), Qt::CaseInsensitive) == 0) {
        auto project = readPlanProjectFile(QFile::encodeName(path).toStdString());
        if (const std::string* why = std::get_if<std::string>(&project)) {
            tell(this, QString::fromStdString(*why), kFileError, Icon::Critical);
            return;
        }
        if (!std::get<PlanProject>(project).corridors.empty()) {
            if (openCorridorProject(this, path)) rememberProjectFile(path);
            return;
        }
        openPlanWindow(std::move(std::get<PlanProject>(project)), path);
        rememberProjectFile(path);
        return;
    }
    auto read = readProjectFile(path);
    if (const QString* why = std::get_if<QString>(&read)) {
        tell(this, *why, kFileError, Icon::Critical);
        return;
    }
    Form1* form = timingWindowForAnotherSignal();
    if (!form) return;
    if (const auto wrong = form->openSignal(std::get<ProjectValues>(read), path.toStdString()))
        tell(this, QStringLiteral("Unable to open %1: not a Tavimo signal (%2).").arg(path, QString::fromStdString(*wrong)),
             kFileError, Icon::Critical);
    else
        rememberProjectFile(path);
}

void Tavimo::mnuFileSave_Click() {
    if (PlanWindow* plan = activePlanWindow()) plan->save(false);
    else save(false);
}
void Tavimo::mnuFileSaveAs_Click() {
    if (PlanWindow* plan = activePlanWindow()) plan->save(true);
    else save(true);
}

bool Tavimo::save(bool saveAs) {
    QPointer<Form1> form = timingWindow();
    if (!form) {
        tell(this, QStringLiteral("No Signal to Save!"));
        return false;
    }
    WindowState state = form->state();
    auto encoded = encodeProjectFile(projectValuesOf(state.plan, saveAs));
    if (const QString* why = std::get_if<QString>(&encoded)) {
        tell(this, *why, kFileError, Icon::Critical);
        return false;
    }

    QString path = saveAs ? QString() : QString::fromStdString(state.plan.projectFile);
    if (path.isEmpty()) {
        path = dialogs().saveFileNameIn(this, kProjectFilter, lastFolder(QStringLiteral("project")));
        if (path.isEmpty()) {
            tell(this, QStringLiteral("You must select a proper file!"), kFileError, Icon::Information);
            return false;
        }
        // Open lists *.tvm only: a name without an extension gets it.
        path = withSuffix(path, QStringLiteral(".tvm"));
        // Remembered before writing: after a failed save, Save tries the same file
        // again, with a message each time, until Save As names another.
        if (!form) return false;
        state.plan.projectFile = path.toStdString();
        form->setState(state);
    }
    const QString failure = writeProjectFile(path, std::get<QByteArray>(encoded));
    if (!failure.isEmpty()) {
        tell(this, failure, kFileError, Icon::Critical);
        return false;
    }
    if (form) form->markUnmodified();
    rememberProjectFile(path);
    showStatusLine(QStringLiteral("Saved %1 in %2")
                       .arg(QFileInfo(path).fileName(), QDir::toNativeSeparators(QFileInfo(path).absolutePath())));
    return true;
}

// ---- Printing ----

void Tavimo::mnuFilePrintCurrent_Click() {
    if (PlanWindow* plan = activePlanWindow()) {
        plan->printReport();
        return;
    }
    QPointer<Form1> form = timingWindow();
    if (!form) {
        tell(this, QStringLiteral("No Signal to Print!"));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!dialogs().choosePrinter(this, printer)) {
        tell(this, QStringLiteral("Unable to Print!"));
        return;
    }
    const int copies = printer.copyCount();
    if (!form) {
        tell(this, QStringLiteral("Unable to Print!"));
        return;
    }
    const SignalPlan plan = form->state().plan;
    const QString header = printHeaderLine(plan, QString::fromStdString(plan.projectFile), today());
    if (!printWindow(form, printer, copies, header)) tell(this, QStringLiteral("Unable to Print!"));
}

void Tavimo::mnuFilePrintReport_Click() {
    if (PlanWindow* plan = activePlanWindow()) {
        plan->printReport();
        return;
    }
    const std::optional<CalculatedSignal> signal = calculatedSignalOrSay(QStringLiteral("No Signal to Print!"));
    if (!signal) return;
    QPrinter printer(QPrinter::HighResolution);
    // Offered as a PDF of the signal's own name beside its file. A ".pdf" name turns
    // the printer to PDF; with a real printer at hand it stays the dialog's choice.
    const QString reportFile = reportFileName(signal->state.plan);
    printer.setDocName(QFileInfo(reportFile).completeBaseName());
    if (QFileInfo(reportFile).isAbsolute()) {
        printer.setOutputFileName(reportFile);
        if (!QPrinterInfo::defaultPrinter().isNull()) printer.setOutputFormat(QPrinter::NativeFormat);
    }
    if (!dialogs().choosePrinter(this, printer)) return;  // Cancel: nothing printed, nothing to say
    // Each copy a page of its own, as the window's printout does.
    const int copies = std::max(1, printer.copyCount());
    printer.setCopyCount(1);
    const ReportPage page = reportPageOf(signal->state, controllerWorksheet(signal->state.plan, signal->outcome.values),
                                         QFileInfo(QString::fromStdString(signal->state.plan.projectFile)).fileName(),
                                         today());
    QList<ReportPage> pages;
    for (int i = 0; i < copies; ++i) pages.append(page);
    QPainter painter;
    const bool printed = painter.begin(&printer) && paintReports(painter, printer, pages) && painter.end() &&
                         printer.printerState() != QPrinter::Error;
    if (!printed) tell(this, QStringLiteral("Unable to Print!"));
}

// ---- Export ----

std::optional<CalculatedSignal> Tavimo::calculatedSignalOrSay(const QString& nothingToDo) {
    QPointer<Form1> form = timingWindow();
    std::optional<CalculatedSignal> signal = form ? calculatedSignal(form->state()) : std::nullopt;
    if (!signal) tell(this, form && form->resultsStale() ? QStringLiteral("Calculate first") : nothingToDo);
    return signal;
}

QString Tavimo::exportPath(const QString& filter, const QString& defaultSuffix) {
    QString path = dialogs().saveFileNameIn(this, filter, lastFolder(QStringLiteral("export")));
    if (path.isEmpty()) return path;
    path = withSuffix(path, defaultSuffix);
    rememberFolderOf(QStringLiteral("export"), path);
    return path;
}

void Tavimo::mnuFileExportChart_Click() {
    if (PlanWindow* plan = activePlanWindow()) {
        plan->exportChart();
        return;
    }
    const std::optional<CalculatedSignal> signal = calculatedSignalOrSay(QStringLiteral("No Signal to Export!"));
    if (!signal) return;
    // A name typed without an extension gets the vector picture.
    const QString path = exportPath(QStringLiteral("Chart (*.svg;*.png;*.pdf)|*.svg;*.png;*.pdf"), QStringLiteral(".svg"));
    if (path.isEmpty()) return;
    const QString failure = writeChartFile(path, {chartSheetOf(signal->state)});
    if (!failure.isEmpty()) tell(this, failure, kFileError, Icon::Critical);
}

void Tavimo::mnuFileExportResults_Click() {
    if (PlanWindow* plan = activePlanWindow()) {
        plan->exportResults();
        return;
    }
    const std::optional<CalculatedSignal> signal = calculatedSignalOrSay(QStringLiteral("No Signal to Export!"));
    if (!signal) return;
    const QString path = exportPath(QStringLiteral("Comma-Separated Values (*.csv)|*.csv"), QStringLiteral(".csv"));
    if (path.isEmpty()) return;
    // What the signal is, then exactly what tavimo-calc --format csv prints for it.
    const QString failure = writeWholeFile(path, QByteArray::fromStdString(resultsCsv(signal->state, signal->warnings)));
    if (!failure.isEmpty()) tell(this, failure, kFileError, Icon::Critical);
}

}  // namespace tavimo::ui
