// SPDX-License-Identifier: MIT
#include "cli/calc_project.h"

#include <algorithm>
#include <cctype>
#include <cerrno>

#include "cli/calc_messages.h"
#include "cli/draw_request.h"
#include "io/plan_project.h"
#include "io/utf8.h"
#include "output/project_results.h"

namespace tavimo::cli {

namespace {

constexpr int kAllCalculated = 0;
constexpr int kSomeFailed = 1;

}  // namespace

bool isPlanProjectPath(const std::string& path) {
    const std::string ext = kPlanProjectExtension;
    if (path.size() < ext.size()) return false;
    return std::equal(ext.begin(), ext.end(), path.end() - static_cast<std::ptrdiff_t>(ext.size()),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

int runPlanProject(const CalcOptions& options, std::ostream& out, std::ostream& err) {
    auto read = readPlanProjectFile(options.planPath);
    if (const auto* why = std::get_if<std::string>(&read)) {
        tell(err, *why);
        return kUsageOrFile;
    }
    PlanProject& project = std::get<PlanProject>(read);
    // The options override the file's choices for every intersection.
    for (ProjectIntersection& x : project.intersections) {
        if (options.controller)
            x.signal.controller = *options.controller == tag::kType170 ? Controller::Type170 : Controller::NemaTs2;
        if (options.mode) x.signal.mode = *options.mode == tag::kYield ? SignalMode::Yield : SignalMode::Permissive;
    }
    std::vector<ProjectRun> runs;
    for (const ProjectIntersection& x : project.intersections) runs.push_back(runProjectIntersection(x.id, x.signal));

    // A chart or report on standard output takes the place of the results.
    if (!drawsToStandardOutput(options)) {
        errno = 0;
        printProjectRuns(runs, options.format, out);
        if (const int status = printed(out, err); status != kPrinted) return status;
    }
    // As for a network: an intersection not calculated has its reason in the results.
    bool allCalculated = true, warned = false;
    for (const ProjectRun& run : runs) {
        allCalculated = allCalculated && run.calculated();
        for (const std::string& w : run.warnings) {
            err << "warning: " << printableText(run.id + ": " + w) << '\n';
            warned = true;
        }
    }
    // Every intersection calculated gets its chart (FILE-<id>.svg where the project
    // holds several, or a page of the PDF) and its report page.
    if (options.chartPath || options.reportPath) {
        DrawRequest request{options.chartPath.value_or(""), options.reportPath.value_or(""), {}, {}, nullptr};
        for (const ProjectRun& run : runs)
            if (run.calculated())
                request.calculated.push_back({runs.size() > 1 ? run.id : std::string(), nullptr, options.planPath,
                                              run.signal, &run.calculation});
        if (request.calculated.empty()) {
            tell(err, "no intersection of the project was calculated: nothing to draw");
            return kSomeFailed;
        }
        if (const std::string failed = drawWithLibrary(request, out); !failed.empty()) {
            tell(err, failed);
            return kUsageOrFile;
        }
    }
    return allCalculated && !(options.strict && warned) ? kAllCalculated : kSomeFailed;
}

}  // namespace tavimo::cli
