// SPDX-License-Identifier: MIT
// Dual-lead plans of a real network (Chattanooga, TN, cycle 100 s) as exported by a
// signal-timing program: each phase's split interval, min green, yellow and all-red,
// and the force-off it computed on the master clock. With the coordinated phases 2
// and 6 starting together, our NEMA force-offs are theirs measured from that start.
#include <gtest/gtest.h>

#include <cmath>

#include "calc/calculation.h"
#include "model/number_text.h"

namespace tavimo {
namespace {

struct RealPlan {
    int node;
    float coordinatedStart;           // Start of phases 2 and 6 on the master clock
    std::array<float, 8> start, end;  // split interval of phases 1..8 (-1: no phase)
    std::array<const char*, 8> minGreen, yellow, allRed;
    std::array<float, 8> yield;       // force-off on the master clock
    int ringsMatched;                 // rings whose force-offs are compared
};

const RealPlan kPlans[] = {
    {2, 70,
     {52, 70, 97, 17, 52, 70, 97, 12},
     {70, 97, 17, 52, 70, 97, 12, 52},
     {"4", "15", "4", "12", "4", "15", "4", "12"},
     {"3", "3.6", "3", "4.3", "3", "3.6", "3", "4.3"},
     {"2.2", "1.6", "3.1", "1.6", "2.2", "1.6", "3.1", "1.6"},
     {64.8f, 91.8f, 10.9f, 46.1f, 64.8f, 91.8f, 5.9f, 46.1f},
     2},
    {4, 16,
     {5, 16, -1, 71, 5, 16, -1, 71},
     {16, 71, -1, 5, 16, 71, -1, 5},
     {"4", "15", "", "8", "4", "15", "", "8"},
     {"4", "4", "", "4", "4", "4", "", "4"},
     {"0", "1", "", "1", "0", "1", "", "1"},
     {12, 66, -1, 0, 12, 66, -1, 0},
     2},
    // Ring 2 runs phases 5 and 6 only; its blank side follows its own timing, so
    // only ring 1 is compared.
    {22, 1,
     {89, 1, 51, 76, 89, 1, -1, -1},
     {1, 51, 76, 89, 1, 51, -1, -1},
     {"3", "10", "8", "5", "4", "10", "", ""},
     {"3", "3.8", "3.2", "3", "3", "3.8", "", ""},
     {"2.8", "2.2", "2.4", "3.3", "2.6", "2.2", "", ""},
     {95.2f, 45, 70.4f, 82.7f, 95.4f, 45, -1, -1},
     1},
};

TEST(CalcRealPlans, NemaForceOffsMatchTheExportedOnes) {
    constexpr float cycle = 100;
    for (const RealPlan& p : kPlans) {
        SCOPED_TRACE("node " + std::to_string(p.node));
        CalcInput in;
        in.arrangement = "Lead";
        in.controller = "Nema";
        in.mode = "Permissive";
        in.cycleLength = "100";
        for (int k = 0; k < 8; ++k) {
            if (p.start[k] < 0) continue;
            in.phase[k] = std::to_string(k + 1);
            in.split[k] = formatNumber(std::fmod(p.end[k] - p.start[k] + cycle, cycle));
            in.green[k] = p.minGreen[k];
            in.amber[k] = p.yellow[k];
            in.red[k] = p.allRed[k];
            in.splitEnabled[k] = true;
        }
        const CalcOutcome out = calculate(in);
        ASSERT_EQ(out.stop, CalcStop::Completed) << (out.message ? out.message->text : "");
        for (int k = 0; k < 4 * p.ringsMatched; ++k) {
            if (p.start[k] < 0) continue;
            const float local = std::fmod(p.yield[k] - p.coordinatedStart + cycle, cycle);
            const std::optional<float> ours = parseNumber(out.force[k]);
            ASSERT_TRUE(ours) << "phase " << k + 1;
            EXPECT_NEAR(*ours, local, 0.001) << "phase " << k + 1;
        }
    }
}

}  // namespace
}  // namespace tavimo
