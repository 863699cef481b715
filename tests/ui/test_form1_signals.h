// SPDX-License-Identifier: MIT
// Signals for the timing window tests, built as the window would hold them after the
// user entered them by hand.
#pragma once

#include <string>

#include "model/phase_order.h"
#include "model/window_state.h"

namespace tavimo::ui::test {

struct Row {
    const char* phase;
    const char* movement;
    const char* split;
    const char* green;
    const char* amber;
    const char* red;
};

WindowState signalOf(const char* arrangement, const char* controller, const char* mode, const char* cycle,
                     const Row (&rows)[8]);

// Dual Lead: left turns 1, 3, 5, 7 lead the through phases 2, 4, 6, 8.
WindowState leadSignal(const char* controller = tag::kNema, const char* mode = tag::kPermissive);

// Dual Lag: the coordinated phases 2 and 6 start the cycle, the left turns follow.
WindowState lagSignal(const char* controller = tag::kNema, const char* mode = tag::kPermissive);

// A project file as Open puts it into a blank window; an empty state when it cannot be read.
WindowState fileSignal(const std::string& path);

}  // namespace tavimo::ui::test
