// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QUndoCommand>

#include <functional>
#include <string>
#include <vector>

#include "model/signal_plan.h"

namespace tavimo::ui {

// The values of a signal that the user types or picks in the timing window and that
// Edit > Undo brings back: the six timing inputs of each position and the header.
// The phase order and the movements are none of them: their pull-downs run reactions
// of their own (locks, lists, pictures) that no undo can replay.
struct Editable {
    enum Kind { Split, Green, Amber, Red, Walk, Flash, CycleLength, Description, ControllerText, Controller, Mode };
    Kind kind;
    int position = 0;  // 1..8 for the timing inputs, else 0

    bool operator==(const Editable& o) const { return kind == o.kind && position == o.position; }
};

// The plan's text of `value`.
std::string& valueIn(SignalPlan& plan, Editable value);
// Whether the editable values of the two plans are the same.
bool sameEditables(const SignalPlan& a, const SignalPlan& b);

// One value changed by an edit.
struct ValueChange {
    Editable value;
    std::string before, after;
};

// One undo step: the values one edit changed. Keys typed into one field, from the
// first until the field is left, are one step: Undo then brings back the text the
// field had before, not one character at a time. A step that merges back to where it
// began is dropped.
class EditStep : public QUndoCommand {
public:
    // Writes the changes' `before` (undo) or `after` (redo) texts into the window.
    using Apply = std::function<void(const std::vector<ValueChange>&, bool undo)>;

    // `typing` numbers the run of keys the edit belongs to; -1 for a pick or a click,
    // which is a step of its own.
    EditStep(std::vector<ValueChange> changes, int typing, Apply apply);

    void undo() override { apply_(changes_, true); }
    // The edit is on screen when the step is pushed: only a later redo writes it.
    void redo() override;
    int id() const override { return typing_ < 0 ? -1 : 1; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    std::vector<ValueChange> changes_;
    int typing_;
    Apply apply_;
    bool done_ = true;
};

// What the menu calls a step: "Split 3", "Cycle Length", "Controller Type", ...
QString stepName(Editable value);

}  // namespace tavimo::ui
