// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>

#include "calc/calculation.h"
#include "model/signal.h"

namespace tavimo {

// The timing window's record read as a signal, by the rules "Calculate" has always
// read it with: a position counts when its phase is chosen and its split typed, and
// then its four times must be numbers in range; the cycle length's number, where it
// is one, must be in range too.
struct SignalReading {
    std::optional<Signal> signal;         // none when a number stops the run
    std::optional<CalcMessage> message;   // why not: the window's message
    // The positions whose enabled split field and counted phase disagree (a Phase
    // Error); the signal is read all the same, but not calculated.
    std::array<bool, 8> phaseErrorAt{};
    bool phaseError() const;
};

SignalReading readSignal(const CalcInput& input);

}  // namespace tavimo
