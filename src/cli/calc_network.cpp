// SPDX-License-Identifier: MIT
#include "cli/calc_network.h"

#include <algorithm>

#include "calc/window_calculation.h"
#include "cli/calc_output.h"
#include "cli/draw_request.h"
#include "io/network_signal.h"
#include "io/signal_arrival.h"
#include "io/utdf_network.h"

namespace tavimo::cli {

namespace {

constexpr int kAllCalculated = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsageOrFile = 2;

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

NetworkRun runOne(const NetworkIntersection& x, const CalcOptions& options) {
    NetworkRun run;
    run.intersection = &x;
    const NetworkStanding standing = standingOf(x);
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

// A csv field: commas would shift the columns, so a text never carries one. In a list
// of differences ("43 here, 44 in the file; ...") the pair is kept apart by a slash.
std::string csvText(std::string text) {
    for (std::size_t at; (at = text.find(", ")) != std::string::npos;) text.replace(at, 2, " / ");
    std::replace(text.begin(), text.end(), ',', ';');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

void printList(const std::vector<const NetworkIntersection*>& chosen, OutputFormat format, std::ostream& out) {
    if (format == OutputFormat::Csv) out << "intersection,description,control_type,cycle_length,note\n";
    if (format == OutputFormat::Json) out << "[\n";
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        const NetworkIntersection& x = *chosen[i];
        const std::string description = networkDescription(x), note = standingOf(x).holdability();
        const std::string type = controlTypeName(x.controlType);
        switch (format) {
        case OutputFormat::Csv:
            out << x.id << ',' << csvText(description) << ',' << csvText(type) << ',' << csvText(x.cycleLength) << ','
                << csvText(note) << '\n';
            break;
        case OutputFormat::Json:
            out << "  {\"intersection\": " << jsonString(x.id) << ", \"description\": " << jsonString(description)
                << ", \"control_type\": " << jsonString(type) << ", \"cycle_length\": " << jsonString(x.cycleLength)
                << ", \"note\": " << jsonString(note) << (i + 1 < chosen.size() ? "},\n" : "}\n");
            break;
        case OutputFormat::Table:
            out << description << " | " << type << " | cycle " << x.cycleLength << " | " << note << '\n';
            break;
        }
    }
    if (format == OutputFormat::Json) out << "]\n";
}

// The forms are written one intersection at a time, as each is calculated, so a
// large network never holds every calculated window at once.
void printRunsHead(OutputFormat format, std::ostream& out) {
    if (format == OutputFormat::Csv) {
        out << "intersection";
        for (const char* name : kCsvNames) out << ',' << name;
        out << ",file_force_off,note,warnings\n";
    }
    if (format == OutputFormat::Json) out << "[\n";
}

void printRun(const NetworkRun& run, bool first, bool last, OutputFormat format, std::ostream& out) {
    const std::string& id = run.intersection->id;
    switch (format) {
    case OutputFormat::Table:
        if (!first) out << '\n';
        out << "Intersection " << networkDescription(*run.intersection) << '\n';
        if (run.calculated) printTable(run.state, out);
        out << run.note << '\n';
        for (const TimingWarning& w : run.warnings) out << "warning: " << w.text << '\n';
        break;
    case OutputFormat::Csv:
        if (!run.calculated) {
            out << id << ",,,,,,,,,,,," << csvText(run.note) << ",\n";
            break;
        }
        for (int k = 1; k <= kPositions; ++k) {
            out << id;
            for (const std::string& text : columnOf(run.state.plan, k)) out << ',' << text;
            out << ',' << run.agreement.fileForceOff[k - 1] << ',' << csvText(run.note) << ','
                << csvWarnings(run.warnings, k) << '\n';
        }
        break;
    case OutputFormat::Json:
        if (run.calculated) {
            const JsonIntersection extra{id, run.agreement.agrees, run.note, run.agreement.fileForceOff};
            printJsonObject(run.state, &extra, "  ", out, &run.warnings);
        } else {
            out << "  {\"intersection\": " << jsonString(id)
                << ", \"description\": " << jsonString(networkDescription(*run.intersection))
                << ", \"note\": " << jsonString(run.note) << "}";
        }
        out << (last ? "\n" : ",\n");
        break;
    }
}

void printRunsTail(OutputFormat format, std::ostream& out) {
    if (format == OutputFormat::Json) out << "]\n";
}

}  // namespace

int runNetwork(const CalcOptions& options, std::ostream& out, std::ostream& err) {
    auto read = readUtdfNetwork(*options.network);
    if (const auto* failure = std::get_if<UtdfError>(&read)) {
        err << "tavimo-calc: " << failure->message << '\n';
        return kUsageOrFile;
    }
    const UtdfNetwork& network = std::get<UtdfNetwork>(read);

    std::vector<const NetworkIntersection*> chosen;
    for (const std::string& id : options.intersections) {
        const NetworkIntersection* x = network.find(id);
        if (!x) {
            err << "tavimo-calc: intersection " << id << " is not in \"" << *options.network << "\"\n";
            return kUsageOrFile;
        }
        chosen.push_back(x);
    }
    if (options.intersections.empty())
        for (const NetworkIntersection& x : network.intersections)
            if (x.hasTimeplan) chosen.push_back(&x);

    if (chosen.empty()) {
        err << "tavimo-calc: the UTDF file \"" << *options.network << "\" has no intersection with a timing plan\n";
        return kUsageOrFile;
    }
    if (options.list) {
        printList(chosen, options.format, out);
        return kAllCalculated;
    }
    // Only what comes after the results is kept: the warnings, and the calculated
    // windows when a chart or report is to be drawn from them.
    const bool drawing = options.chartPath || options.reportPath;
    std::vector<std::string> warningLines;
    std::vector<CalculatedSignal> signals;
    std::vector<const std::string*> signalIds;
    bool allCalculated = true;
    printRunsHead(options.format, out);
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        NetworkRun run = runOne(*chosen[i], options);
        allCalculated = allCalculated && run.calculated;
        printRun(run, i == 0, i + 1 == chosen.size(), options.format, out);
        for (const TimingWarning& w : run.warnings)
            warningLines.push_back("warning: " + run.intersection->id + ": " + w.text + '\n');
        if (drawing && run.calculated) {
            signals.push_back({std::move(run.state), std::move(run.outcome), {}});
            signalIds.push_back(&run.intersection->id);
        }
    }
    printRunsTail(options.format, out);
    for (const std::string& line : warningLines) err << line;
    const bool warned = !warningLines.empty();

    // Every intersection calculated gets its chart (FILE-<INTID>.svg, or a page of the
    // PDF) and its report page.
    if (drawing && !signals.empty()) {
        DrawRequest request{options.chartPath.value_or(""), options.reportPath.value_or(""), {}};
        for (std::size_t i = 0; i < signals.size(); ++i) request.calculated.push_back({*signalIds[i], &signals[i], ""});
        if (const std::string failed = drawWithLibrary(request); !failed.empty()) {
            err << "tavimo-calc: " << failed << '\n';
            return kUsageOrFile;
        }
    }

    return allCalculated && !(options.strict && warned) ? kAllCalculated : kSomeFailed;
}

}  // namespace tavimo::cli
