// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/window_state.h"

namespace tavimo {

// The values of a project file (.tvm), all texts exactly as they stand in the file.
// Seven lines by position: movements, splits, minGreen, amber, red, order, misc.
struct ProjectValues {
    std::array<std::string, 8> movements, splits, minGreens, ambers, reds, order;
    std::string cycleLength, arrangement, controller, mode, description;
};

// Cuts the file's text into values. Lines end at CR LF, CR or LF; the keywords are
// never looked at; missing lines and values are empty.
ProjectValues parseProject(std::string_view text);

// The seven lines of a project file, each ended by CR LF.
std::string formatProject(const ProjectValues& values);

// Why a project file cannot be opened as a signal, or nothing when it can: an
// arrangement other than "Lead"/"Lag", a controller other than "Nema"/"one70", a mode
// other than "Permissive"/"Yield", or an order value at a position with a split that
// is neither empty nor "1".."8", or repeats a phase.
std::optional<std::string> validateProject(const ProjectValues& values);

// Why the values cannot be written so that they read back the same, or nothing when
// they can: a comma in any value but the description would shift the later values
// of its line, and a line break in any value would split the file's lines.
std::optional<std::string> unstorableValue(const ProjectValues& values);

// The values Save (saveAs false) or Save As (saveAs true) writes for the window.
ProjectValues projectValuesOf(const SignalPlan& plan, bool saveAs);

}  // namespace tavimo
