// SPDX-License-Identifier: MIT
#include "cli/calc_network.h"

#include <algorithm>
#include <cerrno>

#include "calc/window_calculation.h"
#include "cli/calc_messages.h"
#include "cli/draw_request.h"
#include "io/utdf_network.h"
#include "io/utf8.h"
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
};

std::string stopReason(CalcStop stop) {
    if (stop == CalcStop::ZeroRingCycle) return "no position of either ring has a split: nothing to calculate";
    return "the calculation stopped early";
}

NetworkRun runOne(const NetworkIntersection& x, const CalcOptions& options) {
    NetworkRun run;
    run.intersection = &x;
    auto imported = importNetworkIntersection(x, options.controller.value_or(defaultControllerOf(x)),
                                              options.mode.value_or(tag::kPermissive));
    if (auto* reason = std::get_if<std::string>(&imported)) {
        run.note = *reason;
        return run;
    }
    run.state = std::move(std::get<WindowState>(imported));
    CheckedRun checked = calculateAndCheckWindow(run.state);
    const CalcOutcome& outcome = checked.outcome;
    if (outcome.message) {
        run.note = outcome.message->text;
        return run;
    }
    if (outcome.stop != CalcStop::Completed) {
        run.note = stopReason(outcome.stop);
        return run;
    }
    run.calculated = true;
    run.outcome = outcome;
    run.warnings = std::move(checked.warnings);
    run.agreement = agreementWith(x, run.state);
    for (int phase : run.agreement.withoutYield) {
        const std::string label = "\xCE\xA6" + std::to_string(phase);
        std::vector<FieldMark> marks;
        for (int k = 1; k <= kPositions; ++k)
            if (run.state.plan.at(k).phase == std::to_string(phase)) marks.push_back({k, CheckedField::Phase});
        run.warnings.push_back({label + ": the file has no Yield for it, so its force-off was not compared",
                                label + " not compared with the file", marks});
    }
    const auto unusual = notCoordinatedReason(x);
    run.note = unusual ? *unusual + "; " + run.agreement.line : run.agreement.line;
    return run;
}

std::string holdableText(const NetworkIntersection& x) {
    auto placing = placeIntersection(x);
    if (auto* reason = std::get_if<std::string>(&placing)) return *reason;
    if (const auto unusual = notCoordinatedReason(x)) return *unusual;
    return "can be imported";
}

void printList(const std::vector<const NetworkIntersection*>& chosen, OutputFormat format, std::ostream& out) {
    if (format == OutputFormat::Csv) out << "intersection,description,control_type,cycle_length,note\n";
    Json list = Json::array();
    for (const NetworkIntersection* x : chosen) {
        const std::string description = networkDescription(*x), note = holdableText(*x);
        const std::string type = controlTypeName(x->controlType);
        switch (format) {
        case OutputFormat::Csv:
            out << x->id << ',' << csvField(description) << ',' << csvField(type) << ',' << csvField(x->cycleLength)
                << ',' << csvField(note) << '\n';
            break;
        case OutputFormat::Json:
            list.push_back(Json{{"intersection", jsonNumber(x->id)}, {"description", description},
                                {"control_type", type}, {"cycle_length", jsonNumber(x->cycleLength)}, {"note", note}});
            break;
        case OutputFormat::Table:
            out << printableText(description) << " | " << printableText(type) << " | cycle "
                << printableText(x->cycleLength) << " | " << printableText(note) << '\n';
            break;
        }
    }
    if (format == OutputFormat::Json) printJson(list, out);
}

void printRuns(const std::vector<NetworkRun>& runs, OutputFormat format, std::ostream& out) {
    if (format == OutputFormat::Csv) {
        out << "intersection";
        for (const char* name : kCsvNames) out << ',' << name;
        out << ",file_force_off,note,warnings\n";
    }
    Json list = Json::array();
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const NetworkRun& run = runs[i];
        const std::string& id = run.intersection->id;
        switch (format) {
        case OutputFormat::Table:
            if (i > 0) out << '\n';
            out << "Intersection " << printableText(networkDescription(*run.intersection)) << '\n';
            if (run.calculated) printTable(run.state, out);
            out << printableText(run.note) << '\n';
            for (const TimingWarning& w : run.warnings) out << "warning: " << printableText(w.text) << '\n';
            break;
        case OutputFormat::Csv:
            if (!run.calculated) {
                out << id << ",,,,,,,,,,,," << csvField(run.note) << ",\n";
                break;
            }
            for (int k = 1; k <= kPositions; ++k) {
                out << id;
                for (const std::string& text : columnOf(run.state.plan, k)) out << ',' << csvField(text);
                out << ',' << csvField(run.agreement.fileForceOff[k - 1]) << ',' << csvField(run.note) << ','
                    << csvWarnings(run.warnings, k) << '\n';
            }
            break;
        case OutputFormat::Json:
            if (run.calculated) {
                const JsonIntersection extra{id, run.agreement.agrees, run.note, run.agreement.fileForceOff};
                list.push_back(signalJson(run.state, &extra, &run.warnings));
            } else {
                list.push_back(Json{{"intersection", jsonNumber(id)},
                                    {"description", networkDescription(*run.intersection)},
                                    {"note", run.note}});
            }
            break;
        }
    }
    if (format == OutputFormat::Json) printJson(list, out);
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
    if (options.list) {
        errno = 0;
        printList(chosen, options.format, out);
        return printed(out, err);
    }
    std::vector<NetworkRun> runs;
    runs.reserve(chosen.size());
    bool allCalculated = true;
    for (const NetworkIntersection* x : chosen) {
        runs.push_back(runOne(*x, options));
        allCalculated = allCalculated && runs.back().calculated;
    }
    if (!drawsToStandardOutput(options)) {
        errno = 0;
        printRuns(runs, options.format, out);
        if (const int status = printed(out, err); status != kPrinted) return status;
    }
    bool warned = false;
    for (const NetworkRun& run : runs)
        for (const TimingWarning& w : run.warnings) {
            err << "warning: " << run.intersection->id << ": " << printableText(w.text) << '\n';
            warned = true;
        }

    // Every intersection calculated gets its chart (FILE-<INTID>.svg, or a page of the
    // PDF) and its report page.
    if (options.chartPath || options.reportPath) {
        std::vector<CalculatedSignal> signals;
        for (const NetworkRun& run : runs)
            if (run.calculated) signals.push_back({run.state, run.outcome, {}});
        DrawRequest request{options.chartPath.value_or(""), options.reportPath.value_or(""), {}};
        std::size_t next = 0;
        for (const NetworkRun& run : runs)
            if (run.calculated) request.calculated.push_back({run.intersection->id, &signals[next++], ""});
        if (!request.calculated.empty())
            if (const std::string failed = drawWithLibrary(request, out); !failed.empty()) {
                tell(err, failed);
                return kUsageOrFile;
            }
    }

    return allCalculated && !(options.strict && warned) ? kAllCalculated : kSomeFailed;
}

}  // namespace tavimo::cli
