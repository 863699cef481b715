// SPDX-License-Identifier: MIT
// A project file read whole within its size limit, and written whole or not at all.
#include "io/atomic_file.h"
#include "io/file_read.h"
#include "io/plan_project.h"

namespace tavimo {

std::variant<PlanProject, std::string> readPlanProjectFile(const std::string& path) {
    auto read = readRegularFile(path, kLargestPlanProjectFile);
    if (const auto* failure = std::get_if<FileReadFailure>(&read))
        return "Unable to open " + path + ": " + failure->reason + ".";
    auto project = parsePlanProject(std::get<std::string>(read));
    if (const auto* why = std::get_if<std::string>(&project)) return path + " is not a Tavimo project: " + *why + ".";
    return project;
}

std::optional<std::string> writePlanProjectFile(const std::string& path, const PlanProject& project) {
    const std::string text = formatPlanProject(project);
    // What would not open again, or open as another signal, is never written: a save
    // that seems to work and a file that then loses the plan are worse than a refusal.
    const auto back = parsePlanProject(text);
    if (const auto* why = std::get_if<std::string>(&back))
        return "cannot write " + path + ": the project could not be opened again: " + *why + ".";
    const auto& read = std::get<PlanProject>(back).intersections;
    for (std::size_t i = 0; i < project.intersections.size(); ++i)
        if (i >= read.size() || !(read[i] == project.intersections[i]))
            return "cannot write " + path + ": intersection \"" + project.intersections[i].id +
                   "\" would not read back as it is.";
    const auto& corridors = std::get<PlanProject>(back).corridors;
    if (!(corridors == project.corridors)) return "cannot write " + path + ": a corridor would not read back as it is.";
    if (const auto failure = writeFileAtomically(path, text)) return failure->message() + ".";
    return std::nullopt;
}

}  // namespace tavimo
