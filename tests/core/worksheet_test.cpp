// SPDX-License-Identifier: MIT
// The controller worksheet: whole seconds as a controller takes them, halves to even,
// each half marked, rows by phase number.
#include <gtest/gtest.h>

#include "output/worksheet.h"

namespace tavimo {
namespace {

TEST(Worksheet, RoundsEachTimeToWholeSecondsHalvesToEven) {
    struct Case {
        std::optional<float> exact;
        const char* shown;
        const char* whole;
        bool marked;
    } cases[] = {
        {95.5f, "95.5", "96", true},     // a decimal clearance leaves a half: to the even 96
        {52.5f, "52.5", "52", true},     // and here down to the even 52
        {85.f, "85", "85", false},
        {39.4f, "39.4", "39", false},
        {0.6f, "0.6", "1", false},
        {99.6f, "99.6", "100", false},   // kept at the cycle's end, as the window shows it
        {27.499998f, "27.5", "28", true}, // rounded as shown, not as the float sums ended
        {std::nullopt, "", "", false},   // a window the window leaves blank stays blank
    };
    for (const Case& c : cases) {
        SignalPlan plan;
        plan.controller = tag::kNema;
        plan.at(1).phase = "1";
        CalcValues values;
        values.positions[0].forceOff = c.exact;
        const Worksheet sheet = controllerWorksheet(plan, values);
        ASSERT_EQ(sheet.rows.size(), 1u);
        const WorksheetTime& t = sheet.rows[0].forceOff;
        EXPECT_EQ(t.exact, c.shown) << c.shown;
        EXPECT_EQ(t.whole, c.whole) << c.shown;
        EXPECT_EQ(t.marked, c.marked) << c.shown;
        EXPECT_EQ(sheet.anyMarked(), c.marked) << c.shown;
    }
}

TEST(Worksheet, RowsFollowThePhaseNumberNotThePosition) {
    // Dual Lag: the coordinated phases 2 and 6 stand first in their rings.
    SignalPlan plan;
    plan.controller = tag::kType170;
    const char* order[8] = {"2", "1", "4", "3", "6", "5", "", "7"};
    CalcValues values;
    for (int k = 1; k <= 8; ++k) {
        plan.at(k).phase = order[k - 1];
        values.positions[k - 1].forceOff = static_cast<float>(10 * k);
    }
    const Worksheet sheet = controllerWorksheet(plan, values);
    EXPECT_EQ(sheet.controller, "Type 170");
    std::vector<int> phases;
    std::vector<std::string> forceOffs;
    for (const WorksheetRow& r : sheet.rows) {
        phases.push_back(r.phase);
        forceOffs.push_back(r.forceOff.whole);
    }
    EXPECT_EQ(phases, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));  // position 7 has no phase
    EXPECT_EQ(forceOffs, (std::vector<std::string>{"20", "10", "40", "30", "60", "50", "80"}));
}

}  // namespace
}  // namespace tavimo
