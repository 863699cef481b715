// SPDX-License-Identifier: MIT
// Dual-lead plans of a real network (Chattanooga, TN, cycle 100 s) as exported by a
// signal-timing program: each phase's split interval, min green, yellow and all-red,
// and the force-off it computed on the master clock. With the coordinated phases 2
// and 6 starting together, our NEMA force-offs are theirs measured from that start.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <vector>

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
};

const RealPlan kPlans[] = {
    {2, 70,
     {52, 70, 97, 17, 52, 70, 97, 12},
     {70, 97, 17, 52, 70, 97, 12, 52},
     {"4", "15", "4", "12", "4", "15", "4", "12"},
     {"3", "3.6", "3", "4.3", "3", "3.6", "3", "4.3"},
     {"2.2", "1.6", "3.1", "1.6", "2.2", "1.6", "3.1", "1.6"},
     {64.8f, 91.8f, 10.9f, 46.1f, 64.8f, 91.8f, 5.9f, 46.1f}},
    {4, 16,
     {5, 16, -1, 71, 5, 16, -1, 71},
     {16, 71, -1, 5, 16, 71, -1, 5},
     {"4", "15", "", "8", "4", "15", "", "8"},
     {"4", "4", "", "4", "4", "4", "", "4"},
     {"0", "1", "", "1", "0", "1", "", "1"},
     {12, 66, -1, 0, 12, 66, -1, 0}},
    // Ring 2 runs phases 5 and 6 only: its left turn follows the barrier.
    {22, 1,
     {89, 1, 51, 76, 89, 1, -1, -1},
     {1, 51, 76, 89, 1, 51, -1, -1},
     {"3", "10", "8", "5", "4", "10", "", ""},
     {"3", "3.8", "3.2", "3", "3", "3.8", "", ""},
     {"2.8", "2.2", "2.4", "3.3", "2.6", "2.2", "", ""},
     {95.2f, 45, 70.4f, 82.7f, 95.4f, 45, -1, -1}},
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
        for (int k = 0; k < 8; ++k) {
            if (p.start[k] < 0) continue;
            const float local = std::fmod(p.yield[k] - p.coordinatedStart + cycle, cycle);
            const std::optional<float> ours = parseNumber(out.force[k]);
            ASSERT_TRUE(ours) << "phase " << k + 1;
            EXPECT_NEAR(*ours, local, 0.001) << "phase " << k + 1;
        }
    }
}

// Plans of tests/data/real-plans-t-one-way.txt (its layout is described at its top).
struct ExportedPhase {
    int position = 0;
    std::string phase, start, end, minGreen, yellow, allRed, yield, localYield;
};
struct ExportedPlan {
    std::string name, cycle, arrangement;
    int referencedTo = -1;
    std::vector<ExportedPhase> phases;
};

std::vector<ExportedPlan> readExportedPlans(const std::string& path) {
    std::ifstream file(path);
    std::vector<ExportedPlan> plans;
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream in(line);
        std::string first;
        if (!(in >> first) || first[0] == '#') continue;
        if (first == "plan") {
            plans.emplace_back();
            in >> plans.back().name >> plans.back().cycle >> plans.back().arrangement >> plans.back().referencedTo;
            continue;
        }
        ExportedPhase p;
        p.position = std::stoi(first);
        in >> p.phase >> p.start >> p.end >> p.minGreen >> p.yellow >> p.allRed >> p.yield >> p.localYield;
        if (plans.empty() || !in) ADD_FAILURE() << "bad line: " << line;
        else plans.back().phases.push_back(p);
    }
    return plans;
}

float wrapped(float t, float cycle) { return std::fmod(std::fmod(t, cycle) + cycle, cycle); }

// The first coordinated phase to turn green starts a short way before the other.
float firstCoordinatedStart(const ExportedPlan& p, float cycle) {
    const int a = p.arrangement == "Lead" ? 2 : 1, b = a + 4;
    std::optional<float> sa, sb;
    for (const ExportedPhase& ph : p.phases) {
        if (ph.position == a) sa = std::stof(ph.start);
        if (ph.position == b) sb = std::stof(ph.start);
    }
    if (!sa || !sb) return sa ? *sa : sb.value_or(0.f);
    return wrapped(*sb - *sa, cycle) <= cycle / 2 ? *sa : *sb;
}

// T-intersections, one-way streets and one-ring plans: every force-off, modulo the
// cycle, within 0.05 s of the exported one, measured from the first coordinated
// green under NEMA and from the plan's own local zero under Type 170 where that zero
// is the first coordinated yellow.
TEST(CalcRealPlans, TIntersectionsAndOneRingPlansMatchTheExportedOnes) {
    const std::vector<ExportedPlan> plans = readExportedPlans(TAVIMO_TEST_DATA "/real-plans-t-one-way.txt");
    ASSERT_GE(plans.size(), 12u);
    for (const ExportedPlan& p : plans) {
        const float cycle = std::stof(p.cycle);
        for (const char* controller : {"Nema", "one70"}) {
            const bool type170 = std::string(controller) == "one70";
            if (type170 && p.referencedTo != 1) continue;
            SCOPED_TRACE(p.name + " " + controller);
            CalcInput in;
            in.arrangement = p.arrangement;
            in.controller = controller;
            in.mode = "Permissive";
            in.cycleLength = p.cycle;
            for (const ExportedPhase& ph : p.phases) {
                const int k = ph.position - 1;
                in.phase[k] = ph.phase;
                in.split[k] = formatNumber(wrapped(std::stof(ph.end) - std::stof(ph.start), cycle));
                in.green[k] = ph.minGreen;
                in.amber[k] = ph.yellow;
                in.red[k] = ph.allRed;
                in.splitEnabled[k] = true;
            }
            const CalcOutcome out = calculate(in);
            ASSERT_EQ(out.stop, CalcStop::Completed) << (out.message ? out.message->text : "");
            const float zero = firstCoordinatedStart(p, cycle);
            for (const ExportedPhase& ph : p.phases) {
                const float theirs =
                    type170 ? std::stof(ph.localYield) : wrapped(std::stof(ph.yield) - zero, cycle);
                const std::optional<float> ours = parseNumber(out.force[ph.position - 1]);
                ASSERT_TRUE(ours) << "phase " << ph.phase;
                const float apart = wrapped(*ours - theirs, cycle);
                EXPECT_LE(std::min(apart, cycle - apart), 0.05f)
                    << "phase " << ph.phase << ": ours " << *ours << ", exported " << theirs;
            }
        }
    }
}

}  // namespace
}  // namespace tavimo
