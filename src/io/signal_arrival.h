// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <variant>

#include "io/project_file.h"
#include "io/utdf_values.h"
#include "model/new_signal.h"

namespace tavimo {

// The ways a signal arrives in the timing window. Each starts from the window
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

// An intersection of a network file, placed on the grid (standingOf in
// network_signal.h), with the controller and mode chosen, before it is calculated:
// phases at their positions with their times, locked phase order and movements,
// header and description. It belongs to no project file. An intersection that
// cannot be placed, or a time of the file that is no time, gives the reason instead.
struct NetworkStanding;
std::variant<WindowState, std::string> networkSignal(const NetworkStanding& standing, const std::string& controller,
                                                     const std::string& mode);

// A signal started by hand from the new-signal dialog's choices, waiting for the
// coordinated phases. It belongs to no project file.
WindowState startedSignal(const NewSignalChoice& choice);

}  // namespace tavimo
