// SPDX-License-Identifier: MIT
// Whether Tavimo's force-offs are the ones the exporting program timed: the file's
// Yield of each phase is its force-off on the master clock, so counted from the chosen
// controller's local zero it must equal the calculated force-off.
#include <cmath>

#include "io/utdf_network.h"
#include "model/number_text.h"

namespace tavimo {

namespace {

constexpr float kTolerance = 0.05f;

float wrapped(float value, float cycle) {
    float t = std::fmod(value, cycle);
    if (t < 0) t = t + cycle;
    return t;
}

float splitOf(const NetworkPhase& p, float cycle) {
    return wrapped(parseNumber(p.end).value_or(0) - parseNumber(p.start).value_or(0), cycle);
}

// The local zero of the controller on the master clock. NEMA TS2 counts from the start
// of green of the first coordinated phase to turn green: under Dual Lead both end at
// the barrier, so the one with the longer split; under Dual Lag they start together.
// Type 170 counts from the yield point of the first coordinated phase to turn yellow.
float localZero(const NetworkIntersection& x, const NetworkPlacement& placed, bool type170) {
    const NetworkPhase* first = nullptr;
    for (int phase : placed.coordinated) {
        if (phase == 0) continue;
        const NetworkPhase* p = &x.phases[phase - 1];
        if (!first || (placed.arrangement == tag::kLead && splitOf(*p, placed.cycle) > splitOf(*first, placed.cycle)))
            first = p;
    }
    const float greenStart = parseNumber(first->start).value_or(0);
    if (!type170) return greenStart;
    float earliest = placed.cycle;
    float zero = greenStart;
    for (int phase : placed.coordinated) {
        if (phase == 0) continue;
        const auto yield = parseNumber(x.phases[phase - 1].yield);
        if (!yield) continue;
        const float after = wrapped(*yield - greenStart, placed.cycle);
        if (after < earliest) earliest = after, zero = *yield;
    }
    return zero;
}

// One phase's calculated force-off against the file's Yield counted from `zero`:
// the file's force-off as text (empty without a Yield), and whether they agree. A
// difference is added to `differences`.
struct Compared {
    std::string file;
    bool hasYield = false;
};

Compared compareOne(const NetworkIntersection& x, int n, const std::optional<float>& ours, float zero, float cycle,
                    std::string& differences) {
    Compared c;
    const auto fileYield = parseNumber(x.phases[n - 1].yield);
    const std::string here = ours ? formatNumber(*ours) : std::string();
    bool same = false;
    if (fileYield) {
        c.hasYield = true;
        const float file = wrapped(*fileYield - zero, cycle);
        // The file writes tenths; shown to the thousandth, 22.3 - 21.9 reads 0.4, not 0.3999996.
        c.file = formatNumber(static_cast<float>(std::round(double{file} * 1000) / 1000));
        if (ours) {
            const float apart = wrapped(*ours - file, cycle);
            same = apart <= kTolerance || cycle - apart <= kTolerance;
        }
    }
    if (same) return c;
    if (!differences.empty()) differences += "; ";
    differences += "\xCE\xA6" + std::to_string(n) + ": " + (here.empty() ? std::string("none") : here) + " here, " +
                   (c.file.empty() ? std::string("none") : c.file) + " in the file";
    return c;
}

// The local zero of any plan: the Start of the coordinated phase that turns green
// first (the other starts within half a cycle after it), and under Type 170 the
// first coordinated Yield after that green.
float planZero(const NetworkIntersection& x, const std::vector<int>& coordinated, float cycle, bool type170) {
    const auto startOf = [&](int phase) { return parseNumber(x.phases[phase - 1].start).value_or(0); };
    int first = coordinated.front();
    if (coordinated.size() > 1 && wrapped(startOf(first) - startOf(coordinated[1]), cycle) < cycle / 2 &&
        startOf(first) != startOf(coordinated[1]))
        first = coordinated[1];
    const float greenStart = startOf(first);
    if (!type170) return greenStart;
    float earliest = cycle, zero = greenStart;
    for (int phase : coordinated) {
        const auto yield = parseNumber(x.phases[phase - 1].yield);
        if (!yield) continue;
        const float after = wrapped(*yield - greenStart, cycle);
        if (after < earliest) earliest = after, zero = *yield;
    }
    return zero;
}

}  // namespace

NetworkAgreement agreementWith(const NetworkIntersection& x, const NetworkPlacement& placed,
                               const std::array<std::optional<float>, 8>& forceOff, bool type170) {
    NetworkAgreement result;
    const float zero = localZero(x, placed, type170);

    std::string differences;
    for (int k = 1; k <= kPositions; ++k) {
        const int n = placed.phaseAt[k - 1];
        if (n == 0) continue;
        const Compared c = compareOne(x, n, forceOff[k - 1], zero, placed.cycle, differences);
        if (!c.hasYield) result.withoutYield.push_back(n);
        result.fileForceOff[k - 1] = c.file;
    }
    result.agrees = differences.empty();
    result.line = result.agrees ? "Force-offs agree with the UTDF file" : differences;
    return result;
}

PlanAgreement planAgreementWith(const NetworkIntersection& x, const std::vector<int>& coordinated, float cycle,
                                const std::vector<std::pair<int, float>>& forceOff, bool type170) {
    PlanAgreement result;
    const float zero = coordinated.empty() ? 0.f : planZero(x, coordinated, cycle, type170);
    std::string differences;
    for (const auto& [n, ours] : forceOff) {
        const Compared c = compareOne(x, n, ours, zero, cycle, differences);
        if (!c.hasYield) result.withoutYield.push_back(n);
        result.fileForceOff.push_back(c.file);
    }
    result.agrees = differences.empty();
    result.line = result.agrees ? "Force-offs agree with the UTDF file" : differences;
    return result;
}

}  // namespace tavimo
