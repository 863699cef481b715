// SPDX-License-Identifier: MIT
#include "cli/calc_network.h"

#include <algorithm>
#include <deque>
#include <cerrno>

#include "calc/window_calculation.h"
#include "cli/calc_corridors.h"
#include "cli/calc_messages.h"
#include "cli/calc_route.h"
#include "cli/draw_request.h"
#include "cli/network_plan_run.h"
#include "io/network_corridor.h"
#include "io/network_signal.h"
#include "io/signal_arrival.h"
#include "io/utdf_network.h"
#include "io/utf8.h"
#include "calc/signal_offsets.h"
#include "output/offset_results.h"
#include "output/results_forms.h"

namespace tavimo::cli {

namespace {

constexpr int kAllCalculated = 0;
constexpr int kSomeFailed = 1;

// One intersection's run: the calculated window, or the reason it has none.
struct NetworkRun {
    const NetworkIntersection* intersection = nullptr;
    bool calculated = false;
    WindowState state;
    CalcOutcome outcome;  // of a calculated run: what its chart and report are drawn from
    NetworkAgreement agreement;
    std::string note;  // the reason it failed, or what the user must know besides agreement
    std::vector<TimingWarning> warnings;  // what a controller cannot run as calculated
    // A plan the eight positions cannot hold, calculated as its ring-barrier plan.
    std::optional<PlanRun> plan;
};

NetworkRun runOne(const NetworkIntersection& x, const CalcOptions& options) {
    NetworkRun run;
    run.intersection = &x;
    const NetworkStanding standing = standingOf(x);
    // The grid's plans as the timing window times them; an actuated-coordinated plan
    // it cannot hold, as its own rings and barriers.
    if (!standing.placement && standing.planWindow && !standing.notCoordinated) {
        run.plan = runPlan(standing, options);
        run.calculated = run.plan->calculated;
        run.note = run.plan->note;
        for (const PlanWarning& w : run.plan->warnings) run.warnings.push_back({w.text, "", {}});
        return run;
    }
    auto imported = networkSignal(standing, options.controller.value_or(defaultControllerOf(x)),
                                  options.mode.value_or(tag::kPermissive));
    if (auto* reason = std::get_if<std::string>(&imported)) {
        run.note = *reason;
        return run;
    }
    run.state = std::move(std::get<WindowState>(imported));
    CheckedRun checked = calculateAndCheckWindow(run.state);
    const NetworkVerdict verdict = verdictOf(standing, runFailure(checked.outcome), forceOffsOf(checked.outcome),
                                             run.state.plan.controller == tag::kType170);
    run.note = verdict.note;
    if (!verdict.calculated) return run;
    run.calculated = true;
    run.outcome = std::move(checked.outcome);
    run.warnings = std::move(checked.warnings);
    run.agreement = verdict.agreement;
    for (int phase : run.agreement.withoutYield) {
        const std::string label = "\xCE\xA6" + std::to_string(phase);
        std::vector<FieldMark> marks;
        for (int k = 1; k <= kPositions; ++k)
            if (run.state.plan.at(k).phase == std::to_string(phase)) marks.push_back({k, CheckedField::Phase});
        run.warnings.push_back({label + ": the file has no Yield for it, so its force-off was not compared",
                                label + " not compared with the file", marks});
    }
    return run;
}

void printList(const std::vector<const NetworkIntersection*>& chosen, OutputFormat format, std::ostream& out) {
    if (format == OutputFormat::Csv) out << "intersection,description,control_type,cycle_length,note,window\n";
    Json list = Json::array();
    for (const NetworkIntersection* x : chosen) {
        const NetworkStanding standing = standingOf(*x);
        const std::string description = networkDescription(*x), note = standing.holdability();
        const std::string window = standing.window();
        const std::string type = controlTypeName(x->controlType);
        switch (format) {
        case OutputFormat::Csv:
            out << x->id << ',' << csvField(description) << ',' << csvField(type) << ',' << csvField(x->cycleLength)
                << ',' << csvField(note) << ',' << csvField(window) << '\n';
            break;
        case OutputFormat::Json:
            list.push_back(Json{{"intersection", jsonNumber(x->id)}, {"description", description},
                                {"control_type", type}, {"cycle_length", jsonNumber(x->cycleLength)}, {"note", note},
                                {"window", window.empty() ? Json(nullptr) : Json(window)}});
            break;
        case OutputFormat::Table:
            out << printableText(description) << " | " << printableText(type) << " | cycle "
                << printableText(x->cycleLength) << " | " << printableText(note) << " | "
                << (window.empty() ? "no window" : window) << '\n';
            break;
        }
    }
    if (format == OutputFormat::Json) printJson(list, out);
}

// The forms are written one intersection at a time, as each is calculated, so a
// large network never holds every calculated window at once. A json element is
// indented as it would be inside the whole array.
void printRunsHead(OutputFormat format, std::ostream& out) {
    if (format == OutputFormat::Csv) {
        out << "intersection";
        for (const char* name : kCsvNames) out << ',' << name;
        out << ",file_force_off,note,warnings,ring,barrier" << kOffsetCsvHead << '\n';
    }
}

void printJsonElement(const Json& element, bool first, std::ostream& out) {
    out << (first ? "[\n  " : ",\n  ");
    const std::string text = element.dump(2, ' ', false, Json::error_handler_t::replace);
    for (char c : text) {
        out << c;
        if (c == '\n') out << "  ";
    }
}

// The offset of a run in every reference: as calculated, or the file's own alone.
std::optional<SignalOffsets> offsetsOf(const NetworkRun& run) {
    if (run.calculated && run.plan) return signalOffsetsOf(run.plan->signal, run.plan->plan);
    if (run.calculated) return windowOffsetsOf(run.state);
    if (const std::optional<Offset> file = fileOffsetOf(*run.intersection)) return SignalOffsets{*file, std::nullopt};
    return std::nullopt;
}

void printRun(const NetworkRun& run, bool first, OutputFormat format, std::ostream& out) {
    const std::string& id = run.intersection->id;
    switch (format) {
    case OutputFormat::Table:
        if (!first) out << '\n';
        out << "Intersection " << printableText(networkDescription(*run.intersection)) << '\n';
        if (run.calculated && run.plan) printPlanTable(*run.plan, out);
        else if (run.calculated) printTable(run.state, out);
        out << printableText(run.note) << '\n';
        for (const TimingWarning& w : run.warnings) out << "warning: " << printableText(w.text) << '\n';
        break;
    case OutputFormat::Csv:
        if (!run.calculated) {
            out << id << ",,,,,,,,,,,," << csvField(run.note) << ",,," << offsetCsvFields(offsetsOf(run)) << '\n';
            break;
        }
        if (run.plan) {
            printPlanCsv(id, *run.plan, out);
            break;
        }
        {
            const std::string offsets = offsetCsvFields(offsetsOf(run));
            for (int k = 1; k <= kPositions; ++k) {
                out << id;
                for (const std::string& text : columnOf(run.state.plan, k)) out << ',' << csvField(text);
                out << ',' << csvField(run.agreement.fileForceOff[k - 1]) << ',' << csvField(run.note) << ','
                    << csvWarnings(run.warnings, k) << ',' << ringOfPosition(k) << ',' << barrierOfPosition(k)
                    << offsets << '\n';
            }
        }
        break;
    case OutputFormat::Json:
        if (run.calculated && run.plan) {
            printJsonElement(planRunJson(id, *run.plan), first, out);
        } else if (run.calculated) {
            const JsonIntersection extra{id, run.agreement.agrees, run.note, run.agreement.fileForceOff};
            printJsonElement(signalJson(run.state, &extra, &run.warnings), first, out);
        } else {
            Json element{{"intersection", jsonNumber(id)},
                         {"description", networkDescription(*run.intersection)},
                         {"note", run.note}};
            addOffsetJson(element, offsetsOf(run));
            printJsonElement(element, first, out);
        }
        break;
    }
}

void printRunsTail(OutputFormat format, bool none, std::ostream& out) {
    if (format == OutputFormat::Json) out << (none ? "[]\n" : "\n]\n");
}

}  // namespace

int runNetwork(const CalcOptions& options, std::ostream& out, std::ostream& err) {
    auto read = readUtdfNetwork(*options.network);
    if (const auto* failure = std::get_if<UtdfError>(&read)) {
        tell(err, failure->message);
        return kUsageOrFile;
    }
    const UtdfNetwork& network = std::get<UtdfNetwork>(read);

    std::vector<const NetworkIntersection*> chosen;
    for (const std::string& id : options.intersections) {
        const NetworkIntersection* x = network.find(id);
        if (!x) {
            tell(err, "intersection " + id + " is not in \"" + *options.network + "\"");
            return kUsageOrFile;
        }
        chosen.push_back(x);
    }
    if (options.intersections.empty())
        for (const NetworkIntersection& x : network.intersections)
            if (x.hasTimeplan) chosen.push_back(&x);

    if (chosen.empty()) {
        tell(err, "the UTDF file \"" + *options.network + "\" has no intersection with a timing plan");
        return kUsageOrFile;
    }
    if (options.corridor) return runCorridor(options, network, out, err);
    if (options.listCorridors) {
        errno = 0;
        printCorridors(network, options.format, out);
        return printed(out, err);
    }
    if (options.list) {
        errno = 0;
        printList(chosen, options.format, out);
        return printed(out, err);
    }
    // Only what comes after the results is kept: the warnings, and the calculated
    // windows when a chart or report is to be drawn from them.
    const bool drawing = options.chartPath || options.reportPath;
    const bool printing = !drawsToStandardOutput(options);
    std::vector<std::string> warningLines;
    // Kept where they stand while more are added: the request points at them.
    std::deque<CalculatedSignal> signals;
    std::deque<PlanRun> plans;
    std::vector<DrawnSignal> drawn;
    bool allCalculated = true;
    errno = 0;
    if (printing) printRunsHead(options.format, out);
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        NetworkRun run = runOne(*chosen[i], options);
        allCalculated = allCalculated && run.calculated;
        if (printing) printRun(run, i == 0, options.format, out);
        for (const TimingWarning& w : run.warnings)
            warningLines.push_back("warning: " + run.intersection->id + ": " + printableText(w.text) + '\n');
        // The chart and report of the grid's plans, and of the plans off it.
        if (drawing && run.calculated && run.plan) {
            const PlanRun& plan = plans.emplace_back(std::move(*run.plan));
            drawn.push_back({run.intersection->id, nullptr, "", &plan.signal, &plan.plan});
        } else if (drawing && run.calculated) {
            signals.push_back({std::move(run.state), std::move(run.outcome), {}});
            drawn.push_back({run.intersection->id, &signals.back(), ""});
        }
    }
    if (printing) {
        printRunsTail(options.format, chosen.empty(), out);
        if (const int status = printed(out, err); status != kPrinted) return status;
    }
    for (const std::string& line : warningLines) err << line;
    const bool warned = !warningLines.empty();

    // Every intersection calculated gets its chart (FILE-<INTID>.svg, or a page of the
    // PDF) and its report page.
    if (drawing && !drawn.empty()) {
        DrawRequest request{options.chartPath.value_or(""), options.reportPath.value_or(""), std::move(drawn), {}, nullptr};
        if (const std::string failed = drawWithLibrary(request, out); !failed.empty()) {
            tell(err, failed);
            return kUsageOrFile;
        }
    }

    return allCalculated && !(options.strict && warned) ? kAllCalculated : kSomeFailed;
}

}  // namespace tavimo::cli
