// SPDX-License-Identifier: MIT
#include "output/project_results.h"

#include <algorithm>
#include <array>
#include <optional>

#include "calc/signal_offsets.h"
#include "io/utf8.h"
#include "model/number_text.h"
#include "output/offset_results.h"

namespace tavimo {

namespace {

std::string seconds(float value) { return formatNumber(value) + " s"; }

std::string stopNote(const Signal& s, const PlanCalculation& c) {
    switch (c.stop) {
    case PlanStop::Completed: return {};
    case PlanStop::ZeroRingCycle: return "no phase of either ring has a split: nothing to calculate";
    case PlanStop::CycleMismatch:
        if (!s.cycle.seconds) return "the cycle length \"" + s.cycle.text + "\" is not a number";
        return "the cycle length " + seconds(*s.cycle.seconds) + " is not the ring cycle " + seconds(c.ringCycle);
    case PlanStop::NoCoordinatedPhase: return "no coordinated phase runs";
    case PlanStop::CoordinatedApart: return "the coordinated phases run in different barriers";
    }
    return {};
}

std::string movementText(const Movement& m) {
    static const char* const kCodes[] = {"", "NB", "EB", "SB", "WB"};
    const std::string code = kCodes[static_cast<int>(m.approach)];
    return code.empty() || !m.leftTurn ? code : code + "L";
}

// The fields of one running phase, in the csv's order after the intersection.
constexpr std::size_t kPhaseFields = 10;
const char* const kPhaseNames[kPhaseFields] = {"position", "phase",     "movement", "split",
                                               "min_green", "amber",    "all_red",  "force_off",
                                               "permissive_start", "permissive_end"};
const char* const kPhaseLabels[kPhaseFields] = {"Position", "Phase", "Movement", "Split", "Min Green",
                                                "Amber",    "All Red", "Force Off", "Perm Start", "Perm End"};

std::array<std::string, kPhaseFields> fieldsOf(const Signal& s, const PlanPhaseResult& r) {
    // A running phase is always timed.
    const SignalPhase* p = s.phase(r.number);
    const PhaseTiming t = p && p->timing ? *p->timing : PhaseTiming{};
    return {p && p->position ? std::to_string(p->position) : "",
            std::to_string(r.number),
            p ? movementText(p->movement) : "",
            formatNumber(t.split),
            formatNumber(t.minGreen),
            formatNumber(t.amber),
            formatNumber(t.allRed),
            formatNumber(r.forceOff),
            formatNumber(r.permissiveStart),
            formatNumber(r.permissiveEnd)};
}

// The barrier check's words (one warning a mismatch) for the phases of its barrier.
std::string warningsOf(const ProjectRun& run, const PlanPhaseResult& r) {
    std::string cell;
    const auto& mismatches = run.calculation.barrierMismatches;
    for (std::size_t i = 0; i < mismatches.size() && i < run.warnings.size(); ++i)
        if (mismatches[i].barrier == r.barrier) cell += (cell.empty() ? "" : "; ") + run.warnings[i];
    return cell;
}

void printCsv(const std::vector<ProjectRun>& runs, std::ostream& out) {
    out << "intersection";
    for (const char* name : kPhaseNames) out << ',' << name;
    out << ",note,warnings,ring,barrier" << kOffsetCsvHead << '\n';
    for (const ProjectRun& run : runs) {
        const std::string offsets = offsetCsvFields(signalOffsetsOf(*run.signal, run.calculation));
        if (!run.calculated()) {
            out << csvField(run.id) << std::string(kPhaseFields, ',') << ',' << csvField(run.note) << ",,,"
                << offsets << '\n';
            continue;
        }
        for (const PlanPhaseResult& r : run.calculation.phases) {
            out << csvField(run.id);
            for (const std::string& field : fieldsOf(*run.signal, r)) out << ',' << csvField(field);
            out << ',' << csvField(run.note) << ',' << csvField(warningsOf(run, r)) << ',' << r.ring << ','
                << r.barrier << offsets << '\n';
        }
    }
}

void printTable(const std::vector<ProjectRun>& runs, std::ostream& out) {
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const ProjectRun& run = runs[i];
        const Signal& s = *run.signal;
        if (i) out << '\n';
        out << "Intersection " << printableText(run.id) << ": " << printableText(s.description) << '\n'
            << "Cycle Length " << printableText(s.cycle.text) << ", " << controllerName(s.controller) << ", "
            << modeName(s.mode) << '\n';
        if (s.offset) out << offsetLine(signalOffsetsOf(s, run.calculation)) << '\n';
        if (!run.calculated()) {
            out << printableText(run.note) << '\n';
            continue;
        }
        std::vector<std::array<std::string, kPhaseFields + 2>> rows(1);
        rows[0][0] = "Ring";
        rows[0][1] = "Barrier";
        std::copy(std::begin(kPhaseLabels), std::end(kPhaseLabels), rows[0].begin() + 2);
        for (const PlanPhaseResult& r : run.calculation.phases) {
            const auto fields = fieldsOf(s, r);
            std::array<std::string, kPhaseFields + 2> row{std::to_string(r.ring), std::to_string(r.barrier)};
            std::copy(fields.begin(), fields.end(), row.begin() + 2);
            rows.push_back(row);
        }
        std::array<std::size_t, kPhaseFields + 2> width{};
        for (const auto& row : rows)
            for (std::size_t f = 0; f < row.size(); ++f) width[f] = std::max(width[f], row[f].size());
        for (const auto& row : rows) {
            std::string line;
            for (std::size_t f = 0; f < row.size(); ++f)
                line += (f ? "  " : "") + std::string(width[f] - row[f].size(), ' ') + row[f];
            while (!line.empty() && line.back() == ' ') line.pop_back();  // no window: nothing after the force-off
            out << line << '\n';
        }
        for (const std::string& w : run.warnings) out << "warning: " << printableText(w) << '\n';
    }
}

Json runJson(const ProjectRun& run) {
    const Signal& s = *run.signal;
    Json object{{"intersection", jsonNumber(run.id)},
                {"description", s.description},
                {"cycle_length", jsonNumber(s.cycle.text)},
                {"controller", controllerName(s.controller)},
                {"mode", modeName(s.mode)}};
    addOffsetJson(object, signalOffsetsOf(s, run.calculation));
    if (!run.note.empty()) object["note"] = run.note;
    Json phases = Json::array();
    for (const PlanPhaseResult& r : run.calculation.phases) {
        const auto fields = fieldsOf(s, r);
        Json phase = Json::object();
        for (std::size_t f = 0; f < kPhaseFields; ++f)
            phase[kPhaseNames[f]] = f == 2 ? Json(fields[f]) : jsonNumber(fields[f]);
        phase["ring"] = r.ring;
        phase["barrier"] = r.barrier;
        phases.push_back(std::move(phase));
    }
    object["phases"] = std::move(phases);
    object["warnings"] = run.warnings;
    return object;
}

}  // namespace

ProjectRun runProjectIntersection(const std::string& id, const Signal& signal) {
    ProjectRun run{id, &signal, calculatePlan(signal), {}, {}};
    run.note = stopNote(signal, run.calculation);
    for (const BarrierMismatch& m : run.calculation.barrierMismatches)
        run.warnings.push_back("barrier " + std::to_string(m.barrier) + ": ring 1 reaches it at " + seconds(m.ring1) +
                               ", ring 2 at " + seconds(m.ring2));
    return run;
}

void printProjectRuns(const std::vector<ProjectRun>& runs, OutputFormat format, std::ostream& out) {
    switch (format) {
    case OutputFormat::Csv: printCsv(runs, out); break;
    case OutputFormat::Table: printTable(runs, out); break;
    case OutputFormat::Json: {
        Json list = Json::array();
        for (const ProjectRun& run : runs) list.push_back(runJson(run));
        printJson(list, out);
        break;
    }
    }
}

}  // namespace tavimo
