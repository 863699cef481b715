// SPDX-License-Identifier: MIT
#include "cli/calc_command.h"

#include <cerrno>
#include <utility>

#include "calc/window_calculation.h"
#include "cli/calc_messages.h"
#include "cli/calc_network.h"
#include "cli/calc_options.h"
#include "cli/calc_project.h"
#include "cli/draw_request.h"
#include "io/project_read.h"
#include "io/signal_arrival.h"
#include "io/utf8.h"
#include "io/utdf_readers.h"
#include "output/results_forms.h"
#include "tavimo_version.h"

namespace tavimo::cli {

namespace {

constexpr int kCheckFailed = 1;
constexpr int kStoppedSilently = 3;

// Opens a project file as "Open" does, with the window's reader and its words; a
// message on failure.
std::optional<std::string> openProject(const std::string& path, WindowState& state) {
    auto read = readProjectFile(path);
    if (const std::string* why = std::get_if<std::string>(&read)) return *why;
    auto opened = openedSignal(std::get<ProjectValues>(read), path);
    if (const auto* problem = std::get_if<std::string>(&opened)) return path + ": " + *problem;
    state = std::get<WindowState>(std::move(opened));
    return std::nullopt;
}

// The options override what the file says, as if the user had chosen them in the
// window before pressing "Calculate".
void applyChoices(const CalcOptions& options, SignalPlan& plan) {
    if (options.controller) plan.setController(*options.controller, SignalPlan::NemaShown::ListItem);
    if (options.mode) plan.mode = *options.mode;
}

}  // namespace

int runCalc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = parseCalcOptions(args);
    if (const auto* usage = std::get_if<UsageError>(&parsed)) {
        err << "tavimo-calc: " << printableText(usage->message) << '\n' << kUsage << "Try 'tavimo-calc --help' for more.\n";
        return kUsageOrFile;
    }
    const CalcOptions& options = std::get<CalcOptions>(parsed);
    if (options.help) {
        errno = 0;
        out << kUsage << '\n' << kHelp;
        return printed(out, err);
    }
    if (options.version) {
        errno = 0;
        out << "tavimo-calc " TAVIMO_VERSION "\n";
        return printed(out, err);
    }

    if (options.network) return runNetwork(options, out, err);
    if (!options.utdf && isPlanProjectPath(options.planPath)) return runPlanProject(options, out, err);

    WindowState state = WindowState::fresh();
    if (options.utdf) {
        const auto& files = *options.utdf;
        auto read = readUtdfFiles(files[0], files[1], files[2]);
        if (const auto* failure = std::get_if<UtdfError>(&read)) {
            tell(err, failure->message);
            return kUsageOrFile;
        }
        state = importedSignal(std::get<UtdfImport>(read), options.controller.value_or(tag::kNema),
                               options.mode.value_or(tag::kPermissive));
    } else {
        if (const auto failure = openProject(options.planPath, state)) {
            tell(err, *failure);
            return kUsageOrFile;
        }
        applyChoices(options, state.plan);
    }

    const CheckedRun run = calculateAndCheckWindow(state);
    const CalcOutcome& outcome = run.outcome;

    if (outcome.message) {
        // The window's words, with the file they are about.
        if (!options.utdf) err << "tavimo-calc: " << printableText(options.planPath) << ": ";
        err << printableText(outcome.message->text) << '\n';
        return kCheckFailed;
    }
    // Every failed check carries its message; the one silent stop is a plan without a split.
    if (outcome.stop == CalcStop::ZeroRingCycle) {
        err << "tavimo-calc: no position of either ring has a split: nothing to calculate\n";
        return kStoppedSilently;
    }
    const std::vector<TimingWarning>& warnings = run.warnings;
    if (!drawsToStandardOutput(options)) {
        errno = 0;
        printResults(state, options.format, out, warnings);
        if (const int status = printed(out, err); status != kPrinted) return status;
    }
    for (const TimingWarning& w : warnings) err << "warning: " << printableText(w.text) << '\n';
    if (options.chartPath || options.reportPath) {
        const CalculatedSignal signal{state, outcome, warnings};
        DrawRequest request{options.chartPath.value_or(""), options.reportPath.value_or(""),
                            {{"", &signal, options.utdf ? "" : options.planPath}}, {}, nullptr};
        if (const std::string failed = drawWithLibrary(request, out); !failed.empty()) {
            tell(err, failed);
            return kUsageOrFile;
        }
    }
    return options.strict && !warnings.empty() ? kCheckFailed : kPrinted;
}

}  // namespace tavimo::cli
