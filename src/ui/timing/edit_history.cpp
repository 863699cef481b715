// SPDX-License-Identifier: MIT
#include "ui/timing/edit_history.h"

#include <stdexcept>

namespace tavimo::ui {

std::string& valueIn(SignalPlan& plan, Editable value) {
    if (value.position >= 1 && value.position <= kPositions) {
        Position& p = plan.at(value.position);
        switch (value.kind) {
            case Editable::Split: return p.split;
            case Editable::Green: return p.green;
            case Editable::Amber: return p.amber;
            case Editable::Red: return p.red;
            case Editable::Walk: return p.walk;
            case Editable::Flash: return p.flash;
            default: break;
        }
    }
    switch (value.kind) {
        case Editable::CycleLength: return plan.cycleLength;
        case Editable::Description: return plan.description;
        case Editable::ControllerText: return plan.controlText;
        case Editable::Controller: return plan.controller;
        case Editable::Mode: return plan.mode;
        default: break;
    }
    // A timing input without a position is a fault of the caller: it is refused loudly.
    throw std::out_of_range("no such value of the timing window");
}

bool sameEditables(const SignalPlan& a, const SignalPlan& b) {
    for (int k = 0; k < kPositions; ++k) {
        const Position &p = a.positions[k], &q = b.positions[k];
        if (p.split != q.split || p.green != q.green || p.amber != q.amber || p.red != q.red || p.walk != q.walk ||
            p.flash != q.flash)
            return false;
    }
    // The controller tag is left out: it follows the pull-down's text when the user
    // leaves the pull-down, and a step records it with that text.
    return a.cycleLength == b.cycleLength && a.description == b.description && a.controlText == b.controlText &&
           a.mode == b.mode;
}

EditStep::EditStep(std::vector<ValueChange> changes, int typing, Apply apply)
    : changes_(std::move(changes)), typing_(typing), apply_(std::move(apply)) {
    setText(changes_.empty() ? QString() : stepName(changes_.front().value));
}

void EditStep::redo() {
    if (done_) {
        done_ = false;
        return;
    }
    apply_(changes_, false);
}

bool EditStep::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const EditStep*>(other);
    if (next->typing_ != typing_ || changes_.size() != 1 || next->changes_.size() != 1 ||
        !(next->changes_.front().value == changes_.front().value))
        return false;
    changes_.front().after = next->changes_.front().after;
    setObsolete(changes_.front().after == changes_.front().before);
    return true;
}

QString stepName(Editable value) {
    const int k = value.position;
    switch (value.kind) {
        case Editable::Split: return QStringLiteral("Split %1").arg(k);
        case Editable::Green: return QStringLiteral("Min Green %1").arg(k);
        case Editable::Amber: return QStringLiteral("Amber %1").arg(k);
        case Editable::Red: return QStringLiteral("All Red %1").arg(k);
        case Editable::Walk: return QStringLiteral("Walk %1").arg(k);
        case Editable::Flash: return QStringLiteral("Flash Don't Walk %1").arg(k);
        case Editable::CycleLength: return QStringLiteral("Cycle Length");
        case Editable::Description: return QStringLiteral("Intersection");
        case Editable::ControllerText:
        case Editable::Controller: return QStringLiteral("Controller Type");
        case Editable::Mode: return QStringLiteral("Mode");
    }
    return {};
}

}  // namespace tavimo::ui
