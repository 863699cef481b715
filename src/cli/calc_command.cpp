// SPDX-License-Identifier: MIT
#include "cli/calc_command.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#include "calc/window_calculation.h"
#include "cli/calc_network.h"
#include "cli/calc_options.h"
#include "cli/calc_output.h"
#include "cli/draw_request.h"
#include "io/signal_arrival.h"
#include "tavimo_version.h"

namespace tavimo::cli {

namespace {

constexpr int kPrinted = 0;
constexpr int kCheckFailed = 1;
constexpr int kUsageOrFile = 2;
constexpr int kStoppedSilently = 3;

std::optional<std::string> readWhole(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return bytes.str();
}

// Opens a project file as "Open" does; a message on failure.
std::optional<std::string> openProject(const std::string& path, WindowState& state) {
    const auto bytes = readWhole(path);
    if (!bytes) return path + ": cannot be read";
    auto opened = openedSignal(parseProject(fromWindows1252(*bytes)), path);
    if (const auto* problem = std::get_if<std::string>(&opened)) return path + ": " + *problem;
    state = std::get<WindowState>(std::move(opened));
    return std::nullopt;
}

// The options override what the file says, as if the user had chosen them in the
// window before pressing "Calculate".
void applyChoices(const CalcOptions& options, SignalPlan& plan) {
    if (options.controller) {
        plan.controller = *options.controller;
        plan.controlText = *options.controller == tag::kNema ? "NEMA" : "170";
    }
    if (options.mode) plan.mode = *options.mode;
}

std::string silentStopReason(CalcStop stop) {
    if (stop == CalcStop::ZeroRingCycle) return "no position of either ring has a split: nothing to calculate";
    return "the calculation stopped early";
}

}  // namespace

int runCalc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = parseCalcOptions(args);
    if (const auto* usage = std::get_if<UsageError>(&parsed)) {
        err << "tavimo-calc: " << usage->message << '\n' << kUsage << "Try 'tavimo-calc --help' for more.\n";
        return kUsageOrFile;
    }
    const CalcOptions& options = std::get<CalcOptions>(parsed);
    if (options.help) {
        out << kUsage << '\n' << kHelp;
        return kPrinted;
    }
    if (options.version) {
        out << "tavimo-calc " TAVIMO_VERSION "\n";
        return kPrinted;
    }

    if (options.network) return runNetwork(options, out, err);

    WindowState state = WindowState::fresh();
    if (options.utdf) {
        const auto& files = *options.utdf;
        auto read = readUtdfFiles(files[0], files[1], files[2]);
        if (const auto* failure = std::get_if<UtdfError>(&read)) {
            err << "tavimo-calc: " << failure->message << '\n';
            return kUsageOrFile;
        }
        state = importedSignal(std::get<UtdfImport>(read), options.controller.value_or(tag::kNema),
                               options.mode.value_or(tag::kPermissive));
    } else {
        if (const auto failure = openProject(options.planPath, state)) {
            err << "tavimo-calc: " << *failure << '\n';
            return kUsageOrFile;
        }
        applyChoices(options, state.plan);
    }

    const CheckedRun run = calculateAndCheckWindow(state);
    const CalcOutcome& outcome = run.outcome;

    if (outcome.message) {
        err << outcome.message->text << '\n';
        return kCheckFailed;
    }
    switch (outcome.stop) {
    case CalcStop::Completed: {
        const std::vector<TimingWarning>& warnings = run.warnings;
        printResults(state, options.format, out, warnings);
        for (const TimingWarning& w : warnings) err << "warning: " << w.text << '\n';
        if (options.chartPath || options.reportPath) {
            const CalculatedSignal signal{state, outcome, warnings};
            DrawRequest request{options.chartPath.value_or(""), options.reportPath.value_or(""),
                                {{"", &signal, options.utdf ? "" : options.planPath}}};
            if (const std::string failed = drawWithLibrary(request); !failed.empty()) {
                err << "tavimo-calc: " << failed << '\n';
                return kUsageOrFile;
            }
        }
        return options.strict && !warnings.empty() ? kCheckFailed : kPrinted;
    }
    case CalcStop::ZeroRingCycle:
        err << "tavimo-calc: " << silentStopReason(outcome.stop) << '\n';
        return kStoppedSilently;
    default:
        // Every failed check carries its message; this is a stop without one.
        err << "tavimo-calc: " << silentStopReason(outcome.stop) << '\n';
        return kCheckFailed;
    }
}

}  // namespace tavimo::cli
