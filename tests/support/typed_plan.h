// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>

#include "calc/calculation.h"

namespace tavimo::test {

// A plan as a timing sheet lists it, row by row: eight values a line, "-" for a blank
// field. A row with a split has its phase (Lead: phase n at position n; Lag: the
// coordinated phases 2 and 6 first in their rings) and its movement chosen, so its
// times are enabled; a row without one has neither.
struct TypedPlan {
    std::string arrangement = "Lead", controller = "Nema", mode = "Permissive", cycle = "100";
    std::string splits = "15 45 20 20 15 45 20 20", greens = "5 10 8 8 5 10 8 8";
    std::string ambers = "4 4 4 4 4 4 4 4", reds = "1 1 1 1 1 1 1 1";
};

// The eight fields of a row ("-" becomes an empty text).
std::array<std::string, 8> rowTexts(const std::string& line);

// The calculation's input for a typed plan, on a window laid out as designed.
CalcInput calcInput(const TypedPlan& plan);

}  // namespace tavimo::test
