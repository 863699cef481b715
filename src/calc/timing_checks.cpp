// SPDX-License-Identifier: MIT
#include "calc/timing_checks.h"

#include "model/number_text.h"
#include "model/signal_plan.h"

namespace tavimo {

namespace {

// The phase as the window labels it.
std::string phaseLabel(const CalcInput& in, int position) {
    std::string number = in.phase[position - 1];
    while (!number.empty() && number.front() == ' ') number.erase(0, 1);
    while (!number.empty() && number.back() == ' ') number.pop_back();
    return "Φ" + number;
}

std::string subject(const CalcInput& in, int position) {
    return phaseLabel(in, position) + " (position " + std::to_string(position) + "): ";
}

std::string num(float value) { return formatNumber(value); }

// Times are typed to a tenth of a second and added in single precision: two sums
// that differ by less than a millisecond are the same time to a controller.
constexpr float kSameTime = 0.001f;
bool before(float a, float b) { return a < b - kSameTime; }

bool present(const PositionValues& p) { return p.split && *p.split > 0; }

// The position whose force-off opens this one's window: the phase before it in its
// ring. Dual Lead rings run coordinated, side streets, then the leading left turn;
// Dual Lag rings run from the coordinated phase in position order. The leading left
// turn of a ring without side streets follows the other ring's last side street,
// which holds the barrier, or without one its own coordinated phase.
int phaseBefore(const CalcValues& v, int position) {
    const int ring = position > 4 ? 1 : 0, o = ring * 4;
    const int code = v.configuration[ring];
    const bool lead = code >= 11 && code <= 17;
    if (code == 17 && position == o + 1) {
        const int other = (1 - ring) * 4;
        if (present(v.positions[other + 3])) return other + 4;
        if (present(v.positions[other + 2])) return other + 3;
        return o + 2;
    }
    static constexpr int kLeadOrder[4] = {2, 3, 4, 1}, kLagOrder[4] = {1, 2, 3, 4};
    const int* order = lead ? kLeadOrder : kLagOrder;
    int at = 0;
    while (order[at] != position - o) ++at;
    for (int step = 1; step < 4; ++step) {
        const int n = o + order[(at + 4 - step) % 4];
        if (present(v.positions[n - 1])) return n;
    }
    return o + order[0];
}

// A time below zero is a typing slip (a minus sign too many) or a damaged file; the
// formulas run on it and give a plan no controller can time.
void checkNegativeTimes(const CalcInput& in, const PositionValues& p, int n, std::vector<TimingWarning>& out) {
    const struct {
        const char* name;
        std::optional<float> value;
        CheckedField field;
    } times[] = {{"split", p.split, CheckedField::Split},
                 {"min green", p.minGreen, CheckedField::MinGreen},
                 {"amber", p.amber, CheckedField::Amber},
                 {"all red", p.allRed, CheckedField::AllRed},
                 {"walk", parseNumber(in.walk[n - 1]), CheckedField::Walk},
                 {"flash don't walk", parseNumber(in.flash[n - 1]), CheckedField::Flash}};
    for (const auto& t : times)
        if (t.value && *t.value < 0)
            out.push_back({subject(in, n) + t.name + " " + num(*t.value) + " is negative",
                           phaseLabel(in, n) + " negative " + t.name, {{n, t.field}}});
}

void checkSplit(const CalcInput& in, const PositionValues& p, int n, std::vector<TimingWarning>& out) {
    const float needed = *p.minGreen + *p.amber + *p.allRed;
    if (!before(*p.split, needed)) return;
    out.push_back({subject(in, n) + "split " + num(*p.split) + " is shorter than min green " + num(*p.minGreen) +
                       " + amber " + num(*p.amber) + " + all red " + num(*p.allRed) + " = " + num(needed),
                   phaseLabel(in, n) + " split too short",
                   {{n, CheckedField::Split}, {n, CheckedField::MinGreen}, {n, CheckedField::Amber},
                    {n, CheckedField::AllRed}}});
}

// Walk and flashing don't walk run inside the phase's green, and the clearance after
// them: a pedestrian call that needs more than the split cannot be served in
// coordination.
void checkPedestrian(const CalcInput& in, const PositionValues& p, int n, std::vector<TimingWarning>& out) {
    const std::string& walkText = in.walk[n - 1];
    const std::string& flashText = in.flash[n - 1];
    if (isBlank(walkText) && isBlank(flashText)) return;
    const std::pair<const char*, const std::string*> given[2] = {{"walk", &walkText},
                                                                 {"flash don't walk", &flashText}};
    float times[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        if (isBlank(*given[i].second)) continue;
        const std::optional<float> value = parseNumber(*given[i].second);
        if (!value) {
            out.push_back({subject(in, n) + given[i].first + " time \"" + *given[i].second +
                               "\" is not a number: the pedestrian timing is not checked",
                           phaseLabel(in, n) + " " + given[i].first + " not a number",
                           {{n, i == 0 ? CheckedField::Walk : CheckedField::Flash}}});
            return;
        }
        times[i] = *value;
    }
    const float total = times[0] + times[1] + *p.amber + *p.allRed;
    if (!before(*p.split, total)) return;
    out.push_back({subject(in, n) + "pedestrian timing " + num(times[0]) + " + " + num(times[1]) + " + " +
                       num(*p.amber) + " + " + num(*p.allRed) + " = " + num(total) + " exceeds the split " +
                       num(*p.split),
                   phaseLabel(in, n) + " pedestrian timing too long",
                   {{n, CheckedField::Walk}, {n, CheckedField::Flash}, {n, CheckedField::Split}}});
}

// A shown window whose end comes before its start is either empty or one that runs
// past the cycle's end (its start brought into the cycle, its end in the next one, as
// a window opening late in a leading ring does). A window that wraps still leaves out
// the phase's own minimum green and clearance, which come after it closes; an end
// before zero, or one just short of the start, leaves no window at all.
bool emptied(const PositionValues& p, float cycle) {
    const float start = *p.permissiveStart, end = *p.permissiveEnd;
    if (!before(end, start)) return false;
    if (end < 0.f || !p.minGreen || !p.amber || !p.allRed) return true;
    const float wrappedLength = end + cycle - start;
    return before(cycle - *p.minGreen - *p.amber - *p.allRed, wrappedLength);
}

void checkWindow(const CalcInput& in, const CalcValues& v, int n, std::vector<TimingWarning>& out) {
    const PositionValues& p = v.positions[n - 1];
    if (!p.ownStart || !p.ownEnd || !before(*p.ownEnd, *p.ownStart)) {
        // A window that opens in time of its own can still be emptied where it is
        // joined with the other ring's or opened at the yield point: what the window
        // shows is what the controller runs.
        if (p.permissiveStart && p.permissiveEnd && emptied(p, v.ringCycle))
            out.push_back({subject(in, n) + "no permissive window: it ends at " + num(*p.permissiveEnd) +
                               ", before it opens at " + num(*p.permissiveStart),
                           phaseLabel(in, n) + " no permissive window",
                           {{n, CheckedField::PermissiveStart}, {n, CheckedField::PermissiveEnd}}});
        return;
    }
    out.push_back({subject(in, n) + "no permissive window: min green " + num(*p.minGreen) +
                       " does not fit between the force-off of " + phaseLabel(in, phaseBefore(v, n)) +
                       " and its own",
                   phaseLabel(in, n) + " no permissive window",
                   {{n, CheckedField::PermissiveStart}, {n, CheckedField::PermissiveEnd},
                    {n, CheckedField::MinGreen}}});
}

std::vector<FieldMark> splitsOf(const CalcValues& v, std::initializer_list<int> positions) {
    std::vector<FieldMark> marks;
    for (int n : positions)
        if (v.positions[n - 1].split) marks.push_back({n, CheckedField::Split});
    return marks;
}

float splitOf(const CalcValues& v, int n) { return v.positions[n - 1].split.value_or(0.f); }

}  // namespace

std::vector<TimingWarning> checkTiming(const CalcInput& in, const CalcOutcome& outcome) {
    std::vector<TimingWarning> out;
    if (outcome.stop != CalcStop::Completed) return out;
    const CalcValues& v = outcome.values;
    for (int n = 1; n <= kPositions; ++n) {
        const PositionValues& p = v.positions[n - 1];
        if (p.split) checkNegativeTimes(in, p, n, out);
        if (!present(p)) continue;
        checkSplit(in, p, n, out);
        checkPedestrian(in, p, n, out);
        checkWindow(in, v, n, out);
    }

    // Both rings must reach the middle barrier together; otherwise one ring waits
    // there and the plan runs with a gap the force-offs do not show. A ring with no
    // phase before the barrier (ring 2 of a one-ring plan) has nothing to hold.
    const float barrier1 = splitOf(v, 1) + splitOf(v, 2);
    const float barrier2 = splitOf(v, 5) + splitOf(v, 6);
    if (barrier1 > 0 && barrier2 > 0 && (before(barrier1, barrier2) || before(barrier2, barrier1)))
        out.push_back({"ring 1 reaches the barrier at " + num(barrier1) + ", ring 2 at " + num(barrier2),
                       "barrier sums differ", splitsOf(v, {1, 2, 5, 6})});

    // A ring with no phase after the barrier (beside a T-intersection's stem, or the
    // empty ring of a one-ring plan) rests there while the other ring serves the side
    // street: no fault. A ring that has side-street phases must fill the cycle.
    for (int ring = 0; ring < 2; ++ring) {
        if (!before(v.ringTotal[ring], v.ringCycle)) continue;
        const int o = ring * 4;
        if (!present(v.positions[o + 2]) && !present(v.positions[o + 3])) continue;
        out.push_back({"ring " + std::to_string(ring + 1) + " totals " + num(v.ringTotal[ring]) +
                           " of the cycle's " + num(v.ringCycle),
                       "ring " + std::to_string(ring + 1) + " shorter than the cycle",
                       splitsOf(v, {o + 1, o + 2, o + 3, o + 4})});
    }
    return out;
}

std::vector<TimingWarning> explainPhaseError(const CalcInput& in, const CalcOutcome& outcome) {
    std::vector<TimingWarning> out;
    if (outcome.stop != CalcStop::PhaseError) return out;
    for (int n = 1; n <= kPositions; ++n) {
        if (!outcome.phaseErrorAt[n - 1]) continue;
        const std::string where = "position " + std::to_string(n);
        if (!in.splitEnabled[n - 1])
            out.push_back({where + " has a split but no movement", where,
                           {{n, CheckedField::Split}, {n, CheckedField::Movement}}});
        else if (isBlank(in.phase[n - 1]))
            out.push_back({where + " has a movement but no phase", where, {{n, CheckedField::Phase}}});
        else
            out.push_back({"the split at " + where + " is blank", where, {{n, CheckedField::Split}}});
    }
    return out;
}

std::string warningSummary(const std::vector<TimingWarning>& warnings) {
    if (warnings.empty()) return "";
    std::string line = std::to_string(warnings.size()) + (warnings.size() == 1 ? " warning: " : " warnings: ");
    for (std::size_t i = 0; i < warnings.size(); ++i) line += (i ? ", " : "") + warnings[i].summary;
    return line;
}

}  // namespace tavimo
