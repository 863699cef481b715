// SPDX-License-Identifier: MIT
#include "calc/plan_checks.h"

#include "model/number_text.h"

namespace tavimo {

namespace {

// Times are typed to a tenth and added in single precision: below a millisecond two
// sums are one time to a controller.
constexpr float kSameTime = 0.001f;

std::string num(float value) { return formatNumber(value); }

std::string subject(int phase) { return "\xCE\xA6" + std::to_string(phase) + ": "; }

void checkPhase(const SignalPhase& s, const PlanPhaseResult& r, std::vector<PlanWarning>& out) {
    const PhaseTiming& t = *s.timing;
    const float needed = t.minGreen + t.amber + t.allRed;
    if (t.split < needed - kSameTime)
        out.push_back({subject(s.number) + "split " + num(t.split) + " is shorter than min green " + num(t.minGreen) +
                           " + amber " + num(t.amber) + " + all red " + num(t.allRed) + " = " + num(needed),
                       {s.number}});
    if (s.walk && s.flashDontWalk) {
        const float total = *s.walk + *s.flashDontWalk + t.amber + t.allRed;
        if (total > t.split + kSameTime)
            out.push_back({subject(s.number) + "pedestrian timing " + num(*s.walk) + " + " + num(*s.flashDontWalk) +
                               " + " + num(t.amber) + " + " + num(t.allRed) + " = " + num(total) +
                               " exceeds the split " + num(t.split),
                           {s.number}});
    }
    if (r.ownStart && r.ownEnd && *r.ownEnd < *r.ownStart - kSameTime)
        out.push_back({subject(s.number) + "no permissive window: min green " + num(t.minGreen) +
                           " does not fit between the force-off of the phase before it and its own",
                       {s.number}});
}

}  // namespace

std::vector<PlanWarning> checkPlan(const Signal& signal, const PlanCalculation& plan) {
    std::vector<PlanWarning> out;
    if (plan.stop != PlanStop::Completed) return out;
    for (const PlanPhaseResult& r : plan.phases)
        if (const SignalPhase* s = signal.phase(r.number); s && s->timing) checkPhase(*s, r, out);
    for (const BarrierMismatch& m : plan.barrierMismatches) {
        PlanWarning w{"ring 1 reaches the end of barrier " + std::to_string(m.barrier) + " at " + num(m.ring1) + ", ring 2 at " +
                          num(m.ring2),
                      {}};
        for (const PlanPhaseResult& r : plan.phases)
            if (r.barrier == m.barrier) w.phases.push_back(r.number);
        out.push_back(std::move(w));
    }
    return out;
}

}  // namespace tavimo
