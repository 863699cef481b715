// SPDX-License-Identifier: MIT
#include "io/signal_arrival.h"

#include "io/utdf_import.h"

#include "window_fill.h"

namespace tavimo {

std::variant<WindowState, std::string> openedSignal(const ProjectValues& values, const std::string& path) {
    if (std::optional<std::string> wrong = validateProject(values)) return *wrong;
    WindowState state = WindowState::fresh();
    openProjectInto(state, values, path);
    return state;
}

WindowState importedSignal(const UtdfImport& values, const std::string& controller, const std::string& mode) {
    WindowState state = WindowState::fresh();
    importInto(state, values, controller, mode);
    return state;
}

WindowState startedSignal(const NewSignalChoice& choice) {
    WindowState state = WindowState::fresh();
    applyNewSignal(state, choice);
    return state;
}

}  // namespace tavimo
