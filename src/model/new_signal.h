// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "model/phase_order.h"
#include "model/window_state.h"

namespace tavimo {

// What the user chose in the new-signal dialog.
struct NewSignalChoice {
    std::string description;
    std::string cycleLength;  // as typed, never converted here
    bool lead = true;         // Dual Lead, else Dual Lag
    bool nema = true;         // Nema TS2, else Type 170
    bool permissive = true;   // Permissive, else Yield
    std::string createdBy{};
    // Counted to the controller's local zero: the start of coordinated green under NEMA
    // TS2, of coordinated yellow under Type 170. None where the field was left empty.
    std::optional<float> offset{};

    // The coordinated pull-down that takes the focus: position 2 under Lead (2 and 6
    // are coordinated), position 1 under Lag (1 and 5).
    int focusPosition() const { return coordinatedFocusPosition(lead ? tag::kLead : tag::kLag); }
};

// The offset typed into the dialog: none for an empty field, else a number of 0 or
// more and, where the cycle length is a number, below it; the dialog's message
// otherwise.
std::variant<std::optional<float>, std::string> readNewOffset(const std::string& offset,
                                                               const std::string& cycleLength);

// Writes a new signal's header into the timing window and leaves it waiting for the
// coordinated phases: controller, mode, cycle length, arrangement with its output
// layout, only the two coordinated pull-downs enabled, the description and fresh
// movement lists ("Reset Movements"). Phase-order texts, timings, locks, pictures and
// results stay as the window has them. The creator and the offset are kept with the
// signal, the offset counted to the chosen controller's reference. Giving the focus
// to the first coordinated pull-down (focusPosition) is the window's part.
void applyNewSignal(WindowState& state, const NewSignalChoice& choice);

}  // namespace tavimo
