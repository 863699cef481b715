// SPDX-License-Identifier: MIT
#include "cli/network_plan_run.h"

#include <algorithm>

#include "io/network_plan.h"
#include "io/utf8.h"
#include "model/number_text.h"
#include "calc/signal_offsets.h"
#include "output/offset_results.h"
#include "output/plan_results.h"

namespace tavimo::cli {

namespace {

int ringOf(const Signal& s, int phase) {
    for (const RingBarrier& rb : s.sequence)
        if (std::find(rb.phases.begin(), rb.phases.end(), phase) != rb.phases.end()) return rb.ring;
    return 0;
}

// Why a completed read of the plan still cannot be timed; empty where it can.
std::string whyNotTimed(const Signal& s) {
    if (s.coordinated.size() == 2 && ringOf(s, s.coordinated[0]) == ringOf(s, s.coordinated[1]))
        return "the coordinated phases " + std::to_string(s.coordinated[0]) + " and " +
               std::to_string(s.coordinated[1]) + " are both in ring " + std::to_string(ringOf(s, s.coordinated[0]));
    return "";
}

std::string stopReason(const PlanCalculation& plan, const Signal& s) {
    switch (plan.stop) {
    case PlanStop::Completed: return "";
    case PlanStop::ZeroRingCycle: return "no phase of either ring has a split: nothing to calculate";
    case PlanStop::CycleMismatch:
        return "the rings total " + formatNumber(plan.ringTotal[0]) + " and " + formatNumber(plan.ringTotal[1]) +
               ", not the Cycle Length " + s.cycle.text;
    case PlanStop::NoCoordinatedPhase: return "no coordinated phase is in use";
    case PlanStop::CoordinatedApart: return "the coordinated phases are in different barriers";
    }
    return "the calculation stopped early";
}

}  // namespace

PlanRun runPlan(const NetworkStanding& standing, const CalcOptions& options) {
    PlanRun run;
    const NetworkIntersection& x = *standing.intersection;
    const bool type170 = options.controller.value_or(defaultControllerOf(x)) == tag::kType170;
    const bool yield = options.mode.value_or(tag::kPermissive) == tag::kYield;
    auto built = networkPlan(x, type170 ? Controller::Type170 : Controller::NemaTs2,
                             yield ? SignalMode::Yield : SignalMode::Permissive);
    if (auto* reason = std::get_if<std::string>(&built)) {
        run.note = *reason;
        return run;
    }
    run.signal = std::move(std::get<Signal>(built));
    if (run.note = whyNotTimed(run.signal); !run.note.empty()) return run;
    run.plan = calculatePlan(run.signal);
    if (run.note = stopReason(run.plan, run.signal); !run.note.empty()) return run;

    run.calculated = true;
    std::vector<std::pair<int, float>> forceOffs;
    for (const PlanPhaseResult& p : run.plan.phases) forceOffs.emplace_back(p.number, p.forceOff);
    run.agreement = planAgreementWith(x, run.signal.coordinated, *run.signal.cycle.seconds, forceOffs, type170);
    run.note = run.agreement.line;
    run.warnings = checkPlan(run.signal, run.plan);
    for (int phase : run.agreement.withoutYield)
        run.warnings.push_back(
            {"\xCE\xA6" + std::to_string(phase) + ": the file has no Yield for it, so its force-off was not compared",
             {phase}});
    return run;
}

void printPlanTable(const PlanRun& run, std::ostream& out) { printPlanTable(run.signal, run.plan, out); }

void printPlanCsv(const std::string& id, const PlanRun& run, std::ostream& out) {
    const std::vector<PlanRow> rows = planRows(run.signal, run.plan);
    const std::string offsets = offsetCsvFields(signalOffsetsOf(run.signal, run.plan));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int phase = run.plan.phases[i].number;
        std::string warnings;
        for (const PlanWarning& w : run.warnings)
            if (std::find(w.phases.begin(), w.phases.end(), phase) != w.phases.end())
                warnings += (warnings.empty() ? "" : "; ") + w.text;
        out << id;
        for (const std::string& text : rows[i].fields) out << ',' << csvField(text);
        out << ',' << csvField(run.agreement.fileForceOff[i]) << ',' << csvField(run.note) << ','
            << csvField(warnings) << ',' << rows[i].ring << ',' << rows[i].barrier << offsets << '\n';
    }
}

Json planRunJson(const std::string& id, const PlanRun& run) {
    std::vector<std::string> warnings;
    for (const PlanWarning& w : run.warnings) warnings.push_back(w.text);
    return planJson(run.signal, run.plan, {id, run.agreement.agrees, run.note, run.agreement.fileForceOff}, warnings);
}

}  // namespace tavimo::cli
