// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calc/timing_checks.h"
#include "model/window_state.h"
#include "ui/timing/edit_history.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QShortcut;
class QUndoStack;

namespace tavimo {
struct NewSignalChoice;
struct ProjectValues;
struct UtdfImport;
}  // namespace tavimo

namespace tavimo::ui {

class ChartView;
class PickList;

// The timing window "Timing/Phasing Data": one signal's phase order, movements,
// timing inputs and results, with the ring-barrier chart. The window is a view of a
// WindowState: state() reads it, setState() writes every control without running any
// reaction, and each user event runs a core reaction on the state and writes it back.
//
// Controls carry the design's names. Single controls are found by object name
// ("Phase1".."Phase8", "cycleLength", "control", "IntDes", "Calculate", "Reset",
// "Exit", "CopyResults", "ResetMove", "HScroll1", the offset line "offsets", and the
// chart view "chart", whose drawn elements keep the design's names: see chart_view.h).
// Control arrays share one object name and carry their element number in the dynamic
// property "index" (see control_array.h):
// "ImageCombo", "split", "green", "amber", "red", "walk", "flash", "force", "pps",
// "ppe" (1..8), "Phasepic1" (0..15) and "Mode" (0 "Yield", 1 "Permissive").
class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    WindowState state() const;
    void setState(const WindowState& state);

    // Gives the focus to Phase<position> if it is shown and enabled.
    void focusPhase(int position);

    // A signal that arrives replaces the one shown as a whole: the window starts from
    // its designed state, so no position, lock, result or remembered file of the
    // earlier signal is left over.
    // Open: the project file's signal, remembering `path` for Save. Nothing changes
    // and the reason is returned when the values are no signal.
    std::optional<std::string> openSignal(const ProjectValues& values, const std::string& path);
    // Import: the UTDF signal with the dialog's controller and mode, then calculated.
    void importSignal(const UtdfImport& values, const std::string& controller, const std::string& mode);
    // Network import: an intersection already placed on a blank window by the core
    // (networkSignal), then calculated.
    void importNetworkSignal(const WindowState& placed);
    // New: the dialog's header, waiting for the coordinated phases (focus on the first).
    void newSignal(const NewSignalChoice& choice);

    // Takes the warning look off every field: a new signal carries no warnings of the
    // last one.
    void clearChecks();

    // Whether the signal differs from what was last opened, saved, imported or started:
    // any input a user can type or pick, not the results. Shown by isWindowModified().
    bool isModified() const { return isWindowModified(); }
    // The signal as it stands is the one its file now holds (after a save).
    void markUnmodified();
    // Asked by Exit before anything else; false (the user cancelled) keeps the window.
    void setExitGuard(std::function<bool()> guard) { exitGuard_ = std::move(guard); }

    // Whether the results shown (or the lack of them, after Open) come from other
    // inputs than those shown: they are then greyed until the next Calculate.
    bool resultsStale() const { return resultsStale_; }
    // The window's own Ctrl+Shift+C, Ctrl+Z and Ctrl+Shift+Z, off where menu items
    // carry the keys.
    void setWindowKeysEnabled(bool enabled);

    // The edits of the signal shown, for Undo and Redo. Every timing input and header
    // value typed or picked is a step; a signal that arrives starts it empty.
    QUndoStack* undoStack() const { return undo_; }

public Q_SLOTS:
    void Calculate_Click();
    void Reset_Click();
    void ResetMove_Click();
    void Exit_Click();
    // The results as a tab-separated table on the clipboard (also Ctrl+Shift+C).
    void CopyResults_Click();

Q_SIGNALS:
    // "Exit" answered Yes: emitted before the window closes.
    void restartRequested();
    // isModified() or the signal's file changed.
    void modifiedChanged();
    // resultsStale() changed.
    void resultsStaleChanged(bool stale);
    // Copy Results put the table on the clipboard.
    void resultsCopied();

    // What the last Calculate found: a one-line summary and every warning, one a
    // line; both empty when there is nothing to tell.
    void checksChanged(const QString& summary, const QString& details);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One position's column of fields in the inputs and outputs panels.
    struct Column {
        PickList* movement = nullptr;
        QLineEdit *split = nullptr, *green = nullptr, *amber = nullptr, *red = nullptr, *walk = nullptr,
                  *flash = nullptr, *force = nullptr, *pps = nullptr, *ppe = nullptr;
        std::array<QLineEdit*, 6> timing() const { return {split, green, amber, red, walk, flash}; }
        std::array<QLineEdit*, 3> results() const { return {force, pps, ppe}; }
    };

    void buildHeader();
    void buildChart();
    void buildInputs();
    void buildOutputs();
    void buildFooter();
    void wireReactions();
    void wireUndo();

    // Records an edit of the user's: the values' texts before it are those of
    // edited_, which then takes the new ones. `typing`: keys typed into one field.
    void recordEdit(const std::vector<std::pair<Editable, std::string>>& values, bool typing);
    // Writes the texts of a step back, as the reactions to the same edits would.
    void applyEdit(const std::vector<ValueChange>& changes, bool undo);
    // The signal shown is the start of a new history.
    void forgetEdits();
    // Undo and Redo keys in a text box run the window's Undo and Redo.
    bool takeUndoKey(QEvent* event);

    // Runs a core reaction on the window's state and shows the result.
    void react(const std::function<void(WindowState&)>& reaction);
    // Compares the inputs with those last opened, saved or started, and with those
    // the results shown were calculated from.
    void refreshModified();
    void showResultsStale(bool stale);
    // The line under the results: the offset in every reference, the plan's own marked.
    void showOffsets(const WindowState& state);

    void Phase_GotFocus(int position);
    void Phase_LostFocus(int position);
    void Phase_Click(int position);
    void ImageCombo_GotFocus(int position);
    void ImageCombo_LostFocus(int position);
    void ImageCombo_Click(int position);
    void Mode_Click(int index);
    void control_LostFocus();
    void cycleLength_Change();
    void timingField_GotFocus(QLineEdit* field);
    void HScroll1_Change(int value);

    // Gives each field a warning points at the amber look, with the warnings as its
    // tooltip, and tells the frame the summary.
    void showChecks(const std::vector<TimingWarning>& warnings, const std::string& summary);
    QWidget* checkedField(const FieldMark& mark) const;

    WindowState state_;
    bool applying_ = false;  // setState is writing the controls: no reactions
    std::string savedInputs_;  // inputsOf() the signal as last opened, saved or started
    std::string shownFile_;    // the file the last modifiedChanged() told of
    std::function<bool()> exitGuard_;
    std::string calculatedInputs_;      // inputsOf() the signal at the last completed Calculate
    bool awaitingCalculation_ = false;  // opened, not yet calculated
    bool resultsStale_ = false;
    QShortcut* copyKey_ = nullptr;
    QShortcut* undoKey_ = nullptr;
    QShortcut* redoKey_ = nullptr;
    QUndoStack* undo_ = nullptr;
    SignalPlan edited_;  // the editable values as the last step left them
    int typing_ = 0;     // the run of keys in one field; a new one when a field is left

    QLineEdit* intDes_ = nullptr;
    QGroupBox* chartFrame_ = nullptr;
    QGroupBox* inputs_ = nullptr;
    QGroupBox* outputs_ = nullptr;
    std::array<PickList*, 8> phase_{};
    ChartView* chart_ = nullptr;
    QScrollBar* scroll_ = nullptr;
    QPushButton* resetMove_ = nullptr;
    std::array<Column, 8> columns_{};
    std::array<QLabel*, 16> pictures_{};
    QLineEdit* cycleLength_ = nullptr;
    std::array<QRadioButton*, 2> mode_{};
    PickList* control_ = nullptr;
    QPushButton* calculate_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* exit_ = nullptr;
    QPushButton* copyResults_ = nullptr;
    QLabel* offsets_ = nullptr;

    // Fields with the warning look, with the hint each had before.
    std::vector<std::pair<QWidget*, QString>> marked_;

    // Focus reactions by control: true for focus gained, false for focus lost.
    std::vector<std::pair<QObject*, std::function<void(bool)>>> focusReactions_;
};

}  // namespace tavimo::ui
