// SPDX-License-Identifier: MIT
#include "ui/timing/form1.h"

#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QShortcut>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>

#include "calc/calculated_signal.h"
#include "calc/local_time.h"
#include "output/results_table.h"
#include "calc/window_calculation.h"
#include "io/project_file.h"
#include "io/signal_arrival.h"
#include "model/form_reset.h"
#include "model/movement_pools.h"
#include "model/phase_order.h"
#include "ui/common/dialogs.h"
#include "ui/timing/pick_list.h"
#include "ui/common/twips.h"

namespace tavimo::ui {

namespace {

// Every input of a signal as one text: what Save and Save As would write, and the
// walk and flash don't walk times, which the file does not hold but the user typed.
// A calculation hiding the row of a position without a phase changes no input.
std::string inputsOf(SignalPlan plan) {
    for (Position& p : plan.positions) p.rowVisible = true;
    std::string inputs = formatProject(projectValuesOf(plan, true)) + plan.controlText + '\n';
    for (const Position& p : plan.positions) inputs += p.walk + '\t' + p.flash + '\n';
    return inputs;
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Timing/Phasing Data"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xe0, 0xe0, 0xe0));
    setPalette(palette);
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    setFixedSize(twips(10350), twips(11505));
    undo_ = new QUndoStack(this);

    buildHeader();
    buildChart();
    buildInputs();
    buildOutputs();
    buildFooter();
    setState(WindowState::fresh());
    wireReactions();
    markUnmodified();
}

Form1::~Form1() = default;

void Form1::wireReactions() {
    wireUndo();
    connect(calculate_, &QPushButton::clicked, this, &Form1::Calculate_Click);
    connect(reset_, &QPushButton::clicked, this, &Form1::Reset_Click);
    connect(exit_, &QPushButton::clicked, this, &Form1::Exit_Click);
    connect(resetMove_, &QPushButton::clicked, this, &Form1::ResetMove_Click);
    connect(copyResults_, &QPushButton::clicked, this, &Form1::CopyResults_Click);
    copyKey_ = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this);
    copyKey_->setContext(Qt::WindowShortcut);
    connect(copyKey_, &QShortcut::activated, this, &Form1::CopyResults_Click);

    for (int k = 1; k <= kPositions; ++k) {
        PickList* phase = phase_[k - 1];
        connect(phase, &PickList::chosen, this, [this, k] { Phase_Click(k); });
        focusReactions_.push_back({phase, [this, k](bool gained) {
                                       gained ? Phase_GotFocus(k) : Phase_LostFocus(k);
                                   }});
        PickList* movement = columns_[k - 1].movement;
        connect(movement, &PickList::chosen, this, [this, k] { ImageCombo_Click(k); });
        focusReactions_.push_back({movement, [this, k](bool gained) {
                                       gained ? ImageCombo_GotFocus(k) : ImageCombo_LostFocus(k);
                                   }});
        for (QLineEdit* field : columns_[k - 1].timing())
            focusReactions_.push_back({field, [this, field](bool gained) {
                                           if (gained) timingField_GotFocus(field);
                                       }});
    }
    focusReactions_.push_back({control_, [this](bool gained) {
                                   if (!gained) control_LostFocus();
                               }});
    for (auto& entry : focusReactions_) entry.first->installEventFilter(this);

    // Toggled covers the mouse and the arrow keys; writing the state is no choice.
    for (int i = 0; i < 2; ++i)
        connect(mode_[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && !applying_) Mode_Click(i);
        });
    connect(cycleLength_, &QLineEdit::textChanged, this, [this] { cycleLength_Change(); });
    connect(scroll_, &QScrollBar::valueChanged, this, &Form1::HScroll1_Change);

    // Typing and picking that runs no reaction still changes the signal.
    for (QLineEdit* field : findChildren<QLineEdit*>())
        connect(field, &QLineEdit::textChanged, this, [this] {
            if (!applying_) refreshModified();
        });
    for (PickList* list : findChildren<PickList*>())
        connect(list, &PickList::chosen, this, [this] {
            if (!applying_) refreshModified();
        });
}

void Form1::markUnmodified() {
    savedInputs_ = inputsOf(state().plan);
    refreshModified();
}

void Form1::refreshModified() {
    const SignalPlan plan = state().plan;
    const std::string inputs = inputsOf(plan);
    const bool results = std::any_of(plan.positions.begin(), plan.positions.end(), [](const Position& p) {
        return !p.force.empty() || !p.pps.empty() || !p.ppe.empty();
    });
    const bool stale = (results || awaitingCalculation_) && inputs != calculatedInputs_;
    if (stale != resultsStale_) showResultsStale(stale);
    const bool modified = inputs != savedInputs_;
    if (modified == isWindowModified() && plan.projectFile == shownFile_) return;
    setWindowModified(modified);
    shownFile_ = plan.projectFile;
    Q_EMIT modifiedChanged();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (qobject_cast<QLineEdit*>(watched)) {
        if (takeUndoKey(event)) return true;
        if (event->type() == QEvent::FocusOut) ++typing_;  // the field is left: its typing is one step
    }
    const bool in = event->type() == QEvent::FocusIn, out = event->type() == QEvent::FocusOut;
    if ((in || out) && !applying_) {
        // A drop-down list opening or another window taking over is no leaving of the
        // field: the choice is still being made.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            for (auto& entry : focusReactions_)
                if (entry.first == watched) {
                    entry.second(in);
                    break;
                }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::showResultsStale(bool stale) {
    resultsStale_ = stale;
    // Grey as a disabled field's text, while the field can still be selected and copied.
    const QPalette plain;
    const QColor text = plain.color(stale ? QPalette::Disabled : QPalette::Active, QPalette::Text);
    for (const Column& c : columns_)
        for (QLineEdit* result : c.results()) {
            QPalette p = result->palette();
            p.setColor(QPalette::Text, text);
            result->setPalette(p);
        }
    showOffsets(state());
    Q_EMIT resultsStaleChanged(stale);
}

void Form1::react(const std::function<void(WindowState&)>& reaction) {
    WindowState s = state();
    reaction(s);
    setState(s);
}

void Form1::focusPhase(int position) {
    if (position < 1 || position > kPositions) return;
    PickList* phase = phase_[position - 1];
    if (phase->isHidden() || !phase->isEnabled()) return;
    // The pull-down is pointed out to the user, as focus moved by the keyboard is:
    // the style then draws it marked.
    window()->setAttribute(Qt::WA_KeyboardFocusChange);
    phase->setFocus(Qt::OtherFocusReason);
}

// ---- Signals arriving ----

std::optional<std::string> Form1::openSignal(const ProjectValues& values, const std::string& path) {
    auto opened = openedSignal(values, path);
    if (const auto* wrong = std::get_if<std::string>(&opened)) return *wrong;
    // A file holds no results: they are to be calculated.
    calculatedInputs_.clear();
    awaitingCalculation_ = true;
    setState(std::get<WindowState>(opened));
    clearChecks();
    markUnmodified();
    forgetEdits();
    return std::nullopt;
}

void Form1::importSignal(const UtdfImport& values, const std::string& controller, const std::string& mode) {
    awaitingCalculation_ = false;
    setState(importedSignal(values, controller, mode));
    Calculate_Click();
    markUnmodified();
    forgetEdits();
}

void Form1::importNetworkSignal(const WindowState& placed) {
    awaitingCalculation_ = false;
    setState(placed);
    Calculate_Click();
    markUnmodified();
    forgetEdits();
}

void Form1::newSignal(const NewSignalChoice& choice) {
    awaitingCalculation_ = false;
    setState(startedSignal(choice));
    clearChecks();
    markUnmodified();
    forgetEdits();
    focusPhase(choice.focusPosition());
}

// ---- Phase order and movements ----

void Form1::Phase_GotFocus(int k) { react([k](WindowState& s) { phaseFocusGained(s, k); }); }
void Form1::Phase_LostFocus(int k) { react([k](WindowState& s) { phaseFocusLost(s, k); }); }
void Form1::Phase_Click(int k) { react([k](WindowState& s) { phaseChosen(s, k); }); }

void Form1::ImageCombo_GotFocus(int k) { react([k](WindowState& s) { movementFocusGained(s.plan, k); }); }
void Form1::ImageCombo_LostFocus(int k) { react([k](WindowState& s) { movementFocusLost(s.plan, k); }); }
void Form1::ImageCombo_Click(int k) { react([k](WindowState& s) { movementChosen(s.plan, k); }); }

void Form1::ResetMove_Click() { react([](WindowState& s) { resetMovements(s.plan); }); }

// ---- Header fields ----

void Form1::Mode_Click(int index) {
    react([index](WindowState& s) { s.plan.mode = index == 1 ? tag::kPermissive : tag::kYield; });
}

void Form1::control_LostFocus() {
    react([](WindowState& s) {
        // Any other text (a file writes "Nema") leaves the controller type as it is.
        if (auto controller = controllerOfListItem(s.plan.controlText)) s.plan.controller = *controller;
    });
}

void Form1::cycleLength_Change() {
    if (applying_) return;
    react([](WindowState& s) { s.plan.cycleCopy = s.plan.cycleLength; });
}

void Form1::timingField_GotFocus(QLineEdit* field) {
    // After the click or Tab that brought the focus has placed the cursor: typing then
    // replaces a value of up to three characters at once.
    QTimer::singleShot(0, field, [field] {
        if (field->hasFocus()) field->setSelection(0, 3);
    });
}

void Form1::HScroll1_Change(int value) {
    if (applying_) return;
    react([value](WindowState& s) { moveLocalTimeCursor(s, static_cast<float>(value)); });
}

// ---- Commands ----

void Form1::Calculate_Click() {
    WindowState s = state();
    const CheckedRun run = calculateAndCheckWindow(s);
    const CalcOutcome& outcome = run.outcome;
    if (outcome.stop == CalcStop::Completed) {
        calculatedInputs_ = inputsOf(s.plan);
        awaitingCalculation_ = false;
    }
    setState(s);
    clearChecks();
    if (outcome.stop == CalcStop::Completed) {
        showChecks(run.warnings, warningSummary(run.warnings));
    } else if (outcome.stop == CalcStop::PhaseError) {
        std::string summary = "Phase Error:";
        for (std::size_t i = 0; i < run.phaseError.size(); ++i)
            summary += (i ? "; " : " ") + run.phaseError[i].text;
        showChecks(run.phaseError, summary);
    }
    if (outcome.message) {
        tell(this, QString::fromStdString(outcome.message->text), QString::fromStdString(outcome.message->title),
             outcome.message->warningIcon ? Icon::Warning : Icon::None);
    }
    if (outcome.focusCycleLength) cycleLength_->setFocus(Qt::OtherFocusReason);
}

void Form1::Reset_Click() {
    const Answer answer = dialogs().ask(this, Message{QStringLiteral("Are you sure you want to reset the form?"),
                                                      QStringLiteral("Reset Form?"), Icon::None, Buttons::OkCancel});
    if (answer != Answer::Ok) return;
    react([](WindowState& s) { resetForm(s); });
    clearChecks();
    forgetEdits();  // the reset form is where a new signal starts
    focusPhase(coordinatedFocusPosition(state_.plan.arrangement));
    tell(this, QStringLiteral("Please Choose Coordinated Phase(s)!"));
}

void Form1::CopyResults_Click() {
    const std::optional<CalculatedSignal> signal = calculatedSignal(state());
    if (!signal) {
        tell(this, resultsStale_ ? QStringLiteral("Calculate first") : QStringLiteral("No Signal to Copy!"));
        return;
    }
    QGuiApplication::clipboard()->setText(QString::fromStdString(resultsTable(signal->state)));
    Q_EMIT resultsCopied();
}

void Form1::Exit_Click() {
    // Unsaved changes are saved or given up first; Cancel there keeps everything.
    QPointer<Form1> guarded(this);
    if (exitGuard_ && !exitGuard_()) return;
    if (!guarded) return;
    const Answer answer =
        dialogs().ask(this, Message{QStringLiteral("Restart Project?"), {}, Icon::None, Buttons::YesNoCancel});
    if (answer != Answer::Yes && answer != Answer::No) return;
    QPointer<Form1> self(this);
    if (answer == Answer::Yes) Q_EMIT restartRequested();
    if (!self) return;
    // Closing discards the signal; the next save must not write to the old file.
    react([](WindowState& s) { s.plan.projectFile.clear(); });
    close();
}

}  // namespace tavimo::ui
