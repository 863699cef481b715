// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <variant>

#include "io/project_file.h"
#include "io/utdf_values.h"
#include "model/new_signal.h"

namespace tavimo {

// The three ways a signal arrives in the timing window. Each starts from the window
// as designed (WindowState::fresh(): no positions, locks, results, chart labels or
// stacked Yield bars) and fills it, so nothing of the signal shown before survives
// into the new one, and the window holds exactly what tavimo-calc calculates.

// A signal opened from a project file, remembering `path` for Save; or why the
// values are no signal (validateProject).
std::variant<WindowState, std::string> openedSignal(const ProjectValues& values, const std::string& path);

// A signal imported from UTDF values with the controller ("Nema"/"one70") and mode
// ("Permissive"/"Yield") chosen in the import dialog, before it is calculated. It
// belongs to no project file: the first Save asks for a name.
WindowState importedSignal(const UtdfImport& values, const std::string& controller, const std::string& mode);

// A signal started by hand from the new-signal dialog's choices, waiting for the
// coordinated phases. It belongs to no project file.
WindowState startedSignal(const NewSignalChoice& choice);

}  // namespace tavimo
