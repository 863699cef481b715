// SPDX-License-Identifier: MIT
// The controller worksheet of a plan off the grid: by phase number, in whole seconds,
// with every half marked.
#include <gtest/gtest.h>

#include "calc/plan_calculation.h"
#include "output/plan_worksheet.h"

namespace tavimo {
namespace {

TEST(PlanWorksheet, PhasesInNumberOrderInWholeSecondsWithHalvesMarked) {
    // A lead-lag barrier: ring 1 runs 2 then 1, ring 2 runs 5 then 6; one side street each.
    Signal s;
    s.description = "Lead & lag";
    s.cycle = {"100", 100.f};
    auto phase = [](int n, float split, Approach a, bool left) {
        return SignalPhase{n, {a, left}, PhaseTiming{split, 5, 3.5f, 1}, 7.f, std::nullopt, 0};
    };
    s.phases = {phase(2, 40, Approach::NB, false), phase(1, 20, Approach::SB, true), phase(4, 40, Approach::EB, false),
                phase(5, 20, Approach::NB, true), phase(6, 40, Approach::SB, false), phase(8, 40, Approach::WB, false)};
    s.sequence = {{1, 1, {2, 1}}, {1, 2, {4}}, {2, 1, {5, 6}}, {2, 2, {8}}};
    s.coordinated = {2, 6};
    const PlanCalculation plan = calculatePlan(s);
    ASSERT_EQ(plan.stop, PlanStop::Completed);
    const Worksheet sheet = planWorksheet(s, plan);

    EXPECT_EQ(sheet.controller, "NEMA TS2");
    std::vector<int> order;
    for (const WorksheetRow& r : sheet.rows) order.push_back(r.phase);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 4, 5, 6, 8}));
    struct Expect {
        std::size_t row;
        const char* movement;
        const char* forceOff;  // exact, then as entered
        const char* whole;
        bool marked;
    };
    const Expect expected[] = {
        {0, "SBL", "55.5", "56", true},  // 40 + 20 - 4.5
        {1, "NBT", "35.5", "36", true},  // 40 - 4.5: a half rounds to the even second
        {2, "EBT", "95.5", "96", true},
        {3, "NBL", "15.5", "16", true},
    };
    for (const Expect& e : expected) {
        const WorksheetRow& r = sheet.rows[e.row];
        SCOPED_TRACE(r.phase);
        EXPECT_EQ(r.movement, e.movement);
        EXPECT_EQ(r.forceOff.exact, e.forceOff);
        EXPECT_EQ(r.forceOff.whole, e.whole);
        EXPECT_EQ(r.forceOff.marked, e.marked);
        EXPECT_EQ(r.walk, "7");
        EXPECT_EQ(r.flashDontWalk, "");
    }
    EXPECT_EQ(planTitle(s), "Lead & lag - Cycle 100 s - NEMA TS2 - Permissive");
}

}  // namespace
}  // namespace tavimo
