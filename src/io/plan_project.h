// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "model/corridor_route.h"
#include "model/signal.h"

namespace tavimo {

// A Tavimo project (.tavimo): one or more intersections, each with a signal of any
// ring-barrier structure, in a JSON file of its own format name and version. The
// timing window's eight positions keep their .tvm file.
inline constexpr const char* kPlanProjectFormat = "tavimo-project";
inline constexpr int kPlanProjectVersion = 2;  // version 2 adds corridors; one without is written as 1
inline constexpr const char* kPlanProjectExtension = ".tavimo";

// A corridor of a few hundred signals takes a few megabytes; anything larger is some
// other file and is not read into memory.
constexpr std::size_t kLargestPlanProjectFile = std::size_t{16} << 20;

struct ProjectIntersection {
    std::string id;  // unique in the project, never empty: what links will name
    Signal signal;
};
inline bool operator==(const ProjectIntersection& a, const ProjectIntersection& b) {
    return a.id == b.id && a.signal == b.signal;
}

// A corridor kept in the project: the street, both directions of travel along its
// signals (the way back through the same signals in reverse order) with the links
// driven, and each signal's plan on the master clock, with the offsets as set.
struct ProjectCorridor {
    std::string street;
    CorridorRoute there, back;
};
inline bool operator==(const ProjectCorridor& a, const ProjectCorridor& b) {
    return a.street == b.street && a.there == b.there && a.back == b.back;
}

// Version 1 holds intersections only, with an empty list of links. Version 2 also
// holds corridors, and in `links` every link they drive, each once.
struct PlanProject {
    std::vector<ProjectIntersection> intersections;
    std::vector<ProjectCorridor> corridors;
};

// The file's text: JSON indented by two, every time written as its shortest text, so
// that it reads back as the same single-precision value.
std::string formatPlanProject(const PlanProject& project);

// The project a text holds, checked whole: or what is wrong with it, naming the
// field by its JSON pointer ("/intersections/0/signal/phases/2/timing/split is -1,
// not a time of 0 or more"). The cycle's seconds are read from its text.
std::variant<PlanProject, std::string> parsePlanProject(std::string_view text);

// Reads a project file whole, within kLargestPlanProjectFile: the project, or a
// message naming the file and what is wrong ("<file> is not a Tavimo project: ...").
std::variant<PlanProject, std::string> readPlanProjectFile(const std::string& path);

// Writes the project atomically, only when it reads back equal: else a message
// that names what the file could not hold, and the old file stays as it was.
std::optional<std::string> writePlanProjectFile(const std::string& path, const PlanProject& project);

}  // namespace tavimo
