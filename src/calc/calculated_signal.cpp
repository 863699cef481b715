// SPDX-License-Identifier: MIT
#include "calc/calculated_signal.h"

#include <utility>

namespace tavimo {

std::optional<CalculatedSignal> calculatedSignal(const WindowState& window) {
    CalculatedSignal signal{window, {}, {}};
    CheckedRun run = calculateAndCheckWindow(signal.state);
    signal.outcome = std::move(run.outcome);
    signal.warnings = std::move(run.warnings);
    if (signal.outcome.stop != CalcStop::Completed || signal.outcome.message) return std::nullopt;
    for (int k = 0; k < kPositions; ++k) {
        const Position &shown = window.plan.positions[k], &now = signal.state.plan.positions[k];
        if (shown.force != now.force || shown.pps != now.pps || shown.ppe != now.ppe) return std::nullopt;
    }
    return signal;
}

}  // namespace tavimo
