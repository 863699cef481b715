// SPDX-License-Identifier: MIT
// One full "Calculate" of a Dual Lead plan with every position in use (code 11 in
// both rings): checks, force-offs, windows, joins and the whole chart.
#include <benchmark/benchmark.h>

#include "calc/calculation.h"
#include "support/typed_plan.h"

namespace {

tavimo::CalcInput leadPlan() {
    tavimo::test::TypedPlan plan;
    plan.splits = "15 45 20 20 20 40 25 15";
    plan.greens = "5 10 8 7 6 10 9 8";
    plan.ambers = "3.5 3.5 3.5 3.5 3.5 3.5 3.5 3.5";
    plan.reds = "1.5 1.5 1.5 1.5 1.5 1.5 1.5 1.5";
    return tavimo::test::calcInput(plan);
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
