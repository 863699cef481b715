// SPDX-License-Identifier: MIT
// One full "Calculate" of a Dual Lead plan with every position in use (code 11 in
// both rings): checks, force-offs, windows, joins and the whole chart.
#include <benchmark/benchmark.h>

#include "calc/calculation.h"

namespace {

tavimo::CalcInput leadPlan() {
    tavimo::CalcInput in;
    in.arrangement = "Lead";
    in.controller = "Nema";
    in.mode = "Permissive";
    in.cycleLength = "100";
    const char* splits[] = {"15", "45", "20", "20", "20", "40", "25", "15"};
    const char* greens[] = {"5", "10", "8", "7", "6", "10", "9", "8"};
    for (int k = 0; k < 8; ++k) {
        in.phase[k] = std::to_string(k + 1);
        in.split[k] = splits[k];
        in.green[k] = greens[k];
        in.amber[k] = "3.5";
        in.red[k] = "1.5";
        in.splitEnabled[k] = true;
    }
    in.chart = tavimo::ChartLayout::designed();
    return in;
}

void BM_CalculateLeadPlan(benchmark::State& state) {
    const tavimo::CalcInput in = leadPlan();
    for (auto _ : state) {
        tavimo::CalcOutcome out = tavimo::calculate(in);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_CalculateLeadPlan);

}  // namespace
