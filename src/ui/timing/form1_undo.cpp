// SPDX-License-Identifier: MIT
// Undo and Redo of what the user types and picks in the timing window.
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QShortcut>
#include <QUndoStack>

#include "ui/timing/form1.h"
#include "ui/timing/pick_list.h"

namespace tavimo::ui {

namespace {
const QKeySequence kUndoKey(Qt::CTRL | Qt::Key_Z);
const QKeySequence kRedoKey(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
}  // namespace

// Connected before the reactions: an edit is recorded before a reaction to it writes
// the window's state, which would otherwise look like a change of the program's.
void Form1::wireUndo() {
    undoKey_ = new QShortcut(kUndoKey, this);
    redoKey_ = new QShortcut(kRedoKey, this);
    for (QShortcut* key : {undoKey_, redoKey_}) key->setContext(Qt::WindowShortcut);
    connect(undoKey_, &QShortcut::activated, undo_, &QUndoStack::undo);
    connect(redoKey_, &QShortcut::activated, undo_, &QUndoStack::redo);

    auto typed = [this](QLineEdit* field, Editable value) {
        connect(field, &QLineEdit::textChanged, this, [this, value](const QString& text) {
            if (!applying_) recordEdit({{value, text.toStdString()}}, true);
        });
    };
    for (int k = 1; k <= kPositions; ++k) {
        const auto timing = columns_[k - 1].timing();
        for (int i = 0; i < 6; ++i) typed(timing[i], Editable{static_cast<Editable::Kind>(Editable::Split + i), k});
    }
    typed(cycleLength_, Editable{Editable::CycleLength});
    typed(intDes_, Editable{Editable::Description});

    // A pick of the controller records the tag that leaving the pull-down gives it.
    connect(control_, &PickList::chosen, this, [this] {
        if (applying_) return;
        const std::string text = control_->text().toStdString();
        recordEdit({{Editable{Editable::ControllerText}, text},
                    {Editable{Editable::Controller}, controllerOfListItem(text).value_or(edited_.controller)}},
                   false);
    });
    for (int i = 0; i < 2; ++i)
        connect(mode_[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && !applying_) recordEdit({{Editable{Editable::Mode}, i == 1 ? tag::kPermissive : tag::kYield}}, false);
        });

    for (QLineEdit* field : findChildren<QLineEdit*>()) field->installEventFilter(this);
}

void Form1::setWindowKeysEnabled(bool enabled) {
    for (QShortcut* key : {copyKey_, undoKey_, redoKey_}) key->setEnabled(enabled);
}

void Form1::recordEdit(const std::vector<std::pair<Editable, std::string>>& values, bool typing) {
    std::vector<ValueChange> changes;
    for (const auto& [value, text] : values) {
        std::string& known = valueIn(edited_, value);
        if (known != text) changes.push_back({value, known, text});
        known = text;
    }
    if (changes.empty()) return;
    undo_->push(new EditStep(std::move(changes), typing ? typing_ : -1,
                             [this](const std::vector<ValueChange>& c, bool undo) { applyEdit(c, undo); }));
}

void Form1::applyEdit(const std::vector<ValueChange>& changes, bool undo) {
    ++typing_;  // keys typed next are a step of their own
    for (const ValueChange& c : changes) valueIn(edited_, c.value) = undo ? c.before : c.after;
    // What the reactions to typing and clicking do: the cycle length keeps the
    // timer's copy, an option sets the mode, the controller's text comes with its tag.
    react([&](WindowState& s) {
        for (const ValueChange& c : changes) {
            const std::string& text = undo ? c.before : c.after;
            if (c.value.kind == Editable::CycleLength) s.plan.setCycleLength(text);
            else valueIn(s.plan, c.value) = text;
        }
    });
}

void Form1::forgetEdits() {
    undo_->clear();
    edited_ = state_.plan;
    ++typing_;
}

bool Form1::takeUndoKey(QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    const bool undo = key->matches(QKeySequence::Undo) || pressed == kUndoKey;
    const bool redo = !undo && (key->matches(QKeySequence::Redo) || pressed == kRedoKey);
    if (!undo && !redo) return false;
    // A text box's own undo knows only its own typing and would be recorded as one
    // more edit: the key is taken here, before any menu shortcut, and runs the
    // window's undo, the same wherever the focus stands.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (undo) undo_->undo();
    else undo_->redo();
    return true;
}

}  // namespace tavimo::ui
