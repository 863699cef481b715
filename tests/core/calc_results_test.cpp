// SPDX-License-Identifier: MIT
// Force-offs and permissive windows as the timing sheet shows them, for every
// configuration of the two rings under both controller references and both modes.
#include <gtest/gtest.h>

#include <sstream>

#include "calc/calculation.h"
#include "model/number_text.h"
#include "model/window_state.h"
#include "support/typed_plan.h"

namespace tavimo {
namespace {

std::string joined(const std::array<std::string, 8>& texts) {
    std::string out;
    for (const std::string& t : texts) out += (out.empty() ? "" : " ") + (t.empty() ? std::string("-") : t);
    return out;
}

using Typed = test::TypedPlan;
using test::calcInput;

struct Sheet {
    const char* name;
    Typed plan;
    const char* force;
    const char* pps;
    const char* ppe;
};

void expectSheet(const Sheet& c) {
    SCOPED_TRACE(c.name);
    const CalcOutcome out = calculate(calcInput(c.plan));
    ASSERT_EQ(out.stop, CalcStop::Completed) << (out.message ? out.message->text : "");
    EXPECT_EQ(joined(out.force), c.force);
    EXPECT_EQ(joined(out.pps), c.pps);
    EXPECT_EQ(joined(out.ppe), c.ppe);
    EXPECT_TRUE(out.hidePhasePulldowns);
}

TEST(CalcResults, WorkedExamples) {
    Typed lead;
    lead.splits = "15 45 20 20 15 45 20 20";
    Typed lead170 = lead;
    lead170.controller = "one70";
    Typed leadYield = lead;
    leadYield.mode = "Yield";

    Typed barrierFromRing2 = lead;
    barrierFromRing2.splits = "30 40 15 15 20 50 15 15";
    Typed unequalClearance = lead170;
    unequalClearance.reds = "1 2 1 1 1 1 1 1";
    Typed lag = lead;
    lag.arrangement = "Lag";
    lag.splits = "45 15 20 20 45 15 20 20";
    lag.greens = "10 5 8 8 10 5 8 8";
    Typed yieldZeroSplit = leadYield;
    yieldZeroSplit.splits = "15 45 20 20 15 45 20 0";
    Typed negativeSplit = lead;
    negativeSplit.splits = "15 45 -5 20 15 45 20 20";
    Typed nearZero = lead;
    nearZero.splits = "15 5 40 40 15 5 40 40";
    nearZero.ambers = "4 3.6 4 4 4 3.6 4 4";
    Typed halfSecond = nearZero;
    halfSecond.ambers = "4 3.5 4 4 4 3.5 4 4";
    Typed tenths = lead170;
    tenths.ambers = "4 3.6 3 4 4 3.6 3 4";
    tenths.reds = "1 1 .35 1 1 1 .35 1";

    // T-intersections and one-way streets. Ring 2 without side streets (code 17) runs
    // its left turn with ring 1's, from the barrier to the start of its coordinated
    // phase: the same results as the full ring.
    Typed tee = lead;
    tee.splits = "15 45 20 20 15 45 - -";
    Typed tee170 = tee;
    tee170.controller = "one70";
    // Phase 6 alone in ring 2 (code 1), green with 1 and 2 up to the barrier at 60.
    Typed coordinatedOnly = lead;
    coordinatedOnly.splits = "15 45 20 20 - 60 - -";
    Typed coordinatedOnly170 = coordinatedOnly;
    coordinatedOnly170.controller = "one70";
    // Lagging T-intersection under Type 170: ring 2 (code 27) moves with ring 1.
    Typed lagTee170 = lag;
    lagTee170.controller = "one70";
    lagTee170.splits = "45 15 20 20 45 15 - -";
    // One-ring plans: the yield point and the Type 170 zero come from ring 1 alone.
    Typed oneRingYield = leadYield;
    oneRingYield.splits = "15 45 20 20 - - - -";
    Typed oneRingLag170 = lagTee170;
    oneRingLag170.splits = "45 15 20 20 - - - -";

    const Sheet cases[] = {
        {"T-intersection, ring 2 without side streets", tee,
         "95 40 60 80 95 40 - -", "80 - 40 60 80 - - -", "85 - 47 67 85 - - -"},
        {"T-intersection under type 170", tee170,
         "55 0 20 40 55 0 - -", "40 - 0 20 40 - - -", "45 - 7 27 45 - - -"},
        {"coordinated phase alone in ring 2", coordinatedOnly,
         "10 55 75 95 - 55 - -", "95 - 55 75 - - - -", "100 - 62 82 - - - -"},
        {"coordinated phase alone under type 170", coordinatedOnly170,
         "55 0 20 40 - 0 - -", "40 - 0 20 - - - -", "45 - 7 27 - - - -"},
        {"lagging T-intersection under type 170", lagTee170,
         "0 15 35 55 0 15 - -", "0 0 15 35 0 0 - -", "0 5 22 42 0 5 - -"},
        {"one-ring plan, yield at its own coordinated force-off", oneRingYield,
         "95 40 60 80 - - - -", "40 - 40 40 - - - -", "85 - 47 67 - - - -"},
        {"one-ring lag plan under type 170", oneRingLag170,
         "0 15 35 55 - - - -", "0 0 15 35 - - - -", "0 5 22 42 - - - -"},
        {"lead, both rings 15/45/20/20", lead,
         "95 40 60 80 95 40 60 80", "80 - 40 60 80 - 40 60", "85 - 47 67 85 - 47 67"},
        {"coordinated split of ring 2 holds the barrier", barrierFromRing2,
         "5 45 60 75 95 45 60 75", "75 - 45 60 75 - 45 60", "85 - 47 62 85 - 47 62"},
        {"type 170 shift 40", lead170,
         "55 0 20 40 55 0 20 40", "40 - 0 20 40 - 0 20", "45 - 7 27 45 - 7 27"},
        {"type 170 larger clearance in ring 1", unequalClearance,
         "56 0 21 41 56 1 21 41", "41 - 0 21 41 - 0 21", "46 - 7 28 46 - 7 28"},
        {"lag window opens at the coordinated force-off", lag,
         "40 55 75 95 40 55 75 95", "0 40 55 75 0 40 55 75", "0 45 62 82 0 45 62 82"},
        {"yield opens every window at the earlier coordinated force-off", leadYield,
         "95 40 60 80 95 40 60 80", "40 - 40 40 40 - 40 40", "85 - 47 67 85 - 47 67"},
        {"yield leaves a phase with split 0 alone", yieldZeroSplit,
         "95 40 60 80 75 40 60 0", "40 - 40 40 40 - 40 0", "65 - 47 0 65 - 47 0"},
        {"negative split leaves ring 1 without a code", negativeSplit,
         "0 0 0 0 95 40 60 80", "0 - 0 0 0 - 0 0", "0 - 0 0 0 - 0 0"},
        {"side street opening below half a second opens at 0", nearZero,
         "95 0.4000001 40 80 95 0.4000001 40 80", "80 - 0 40 80 - 0 40", "85 - 27.4 67 85 - 27.4 67"},
        {"half a second stays", halfSecond,
         "95 0.5 40 80 95 0.5 40 80", "80 - 0.5 40 80 - 0.5 40", "85 - 27.5 67 85 - 27.5 67"},
        {"type 170 rounds ring 1 to tenths, half to even, and not ring 2", tenths,
         "54.6 0 21.2 39.6 54.6 0 21.25 39.6", "39.6 - 0 21.2 39.6 - 0 21.2",
         "44.6 - 8.650002 28.2 44.6 - 8.650002 28.2"},
    };
    for (const Sheet& c : cases) expectSheet(c);
}

// Ring 1 and ring 2 share a configuration code (codes 17 and 27 are paired with a
// fully used ring, whose first side street times the blank side). Greens, ambers and
// all-reds differ from row to row so that a row mixed up shows. Yield changes the
// permissive starts only.
struct Configuration {
    const char* codes;
    const char* arrangement;
    const char* controller;
    const char* splits;
    const char* force;
    const char* pps;
    const char* ppe;
    const char* ppsYield;
};

TEST(CalcResults, EveryConfigurationCodeReferenceAndMode) {
    const Configuration cases[] = {
        {"11/11", "Lead", "Nema", "15 45 20 20 20 40 25 15", "95 39.5 60.3 79 1 40 65 80.5",
         "79 - 39.5 60.3 79 - 39.5 60.3", "84 - 46.8 67.3 84 - 46.8 67.3", "39.5 - 39.5 39.5 39.5 - 39.5 39.5"},
        {"11/11", "Lead", "one70", "15 45 20 20 20 40 25 15", "55.5 0 20.8 39.5 61.5 0.5 25.5 41",
         "39.5 - 0 20.8 39.5 - 0 20.8", "44.5 - 7.3 27.8 44.5 - 7.3 27.8", "0 - 0 0 0 - 0 0"},
        {"12/12", "Lead", "Nema", "15 45 40 - 20 40 40 -", "95 39.5 80.3 - 1 40 80 -",
         "80 - 39.5 - 80 - 39.5 -", "85.3 - 66 - 85.3 - 66 -", "39.5 - 39.5 - 39.5 - 39.5 -"},
        {"12/12", "Lead", "one70", "15 45 40 - 20 40 40 -", "55.5 0 40.8 - 61.5 0.5 40.5 -",
         "40.5 - 0 - 40.5 - 0 -", "45.8 - 26.5 - 45.8 - 26.5 -", "0 - 0 - 0 - 0 -"},
        {"13/13", "Lead", "Nema", "15 45 - 40 20 40 - 40", "95 39.5 - 79 1 40 - 80.5",
         "79 - - 39.5 79 - - 39.5", "84 - - 66.5 84 - - 66.5", "39.5 - - 39.5 39.5 - - 39.5"},
        {"13/13", "Lead", "one70", "15 45 - 40 20 40 - 40", "55.5 0 - 39.5 61.5 0.5 - 41",
         "39.5 - - 0 39.5 - - 0", "44.5 - - 27 44.5 - - 27", "0 - - 0 0 - - 0"},
        {"14/14", "Lead", "Nema", "- 50 25 25 - 55 20 25", "- 44.5 70.3 94 - 50 70 95.5",
         "- - 44.5 70 - - 44.5 70", "- - 56 82.3 - - 56 82.3", "- - 44.5 44.5 - - 44.5 44.5"},
        {"14/14", "Lead", "one70", "- 50 25 25 - 55 20 25", "- 0 20.8 44.5 - 0.5 20.5 46",
         "- - 0 20.5 - - 0 20.5", "- - 6.5 32.8 - - 6.5 32.8", "- - 0 0 - - 0 0"},
        {"15/15", "Lead", "Nema", "- 50 50 - - 55 45 -", "- 44.5 95.3 - - 50 95 -",
         "- - 44.5 - - - 44.5 -", "- - 81 - - - 81 -", "- - 44.5 - - - 44.5 -"},
        {"15/15", "Lead", "one70", "- 50 50 - - 55 45 -", "- 0 45.8 - - 0.5 45.5 -",
         "- - 0 - - - 0 -", "- - 31.5 - - - 31.5 -", "- - 0 - - - 0 -"},
        {"16/16", "Lead", "Nema", "- 50 - 50 - 55 - 45", "- 44.5 - 94 - 50 - 95.5",
         "- - - 44.5 - - - 44.5", "- - - 81.5 - - - 81.5", "- - - 44.5 - - - 44.5"},
        {"16/16", "Lead", "one70", "- 50 - 50 - 55 - 45", "- 0 - 44.5 - 0.5 - 46",
         "- - - -5 - - - -5", "- - - 32 - - - 32", "- - - 0 - - - 0"},
        {"17/11", "Lead", "Nema", "30 70 - - 20 40 25 15", "95 64.5 - - 26 65 90 105.5",
         "105.5 - - - 105.5 - 65 90", "15.5 - - - 15.5 - 76 92.5", "64.5 - - - 64.5 - 64.5 64.5"},
        {"17/11", "Lead", "one70", "30 70 - - 20 40 25 15", "30.5 0 - - 61.5 0.5 25.5 41",
         "41 - - - 41 - 0.5 25.5", "21 - - - 21 - 11.5 28", "0 - - - 0 - 0 0"},
        {"11/17", "Lead", "Nema", "15 45 20 20 30 70 - -", "20 64.5 85.3 104 96 65 - -",
         "104 - 64.5 85.3 104 - - -", "9 - 71.8 92.3 9 - - -", "64.5 - 64.5 64.5 64.5 - - -"},
        {"11/17", "Lead", "one70", "15 45 20 20 30 70 - -", "55.5 0 20.8 39.5 31.5 0.5 - -",
         "39.5 - 0 20.8 39.5 - - -", "19.5 - 7.3 27.8 19.5 - - -", "0 - 0 0 0 - - -"},
        {"21/21", "Lag", "Nema", "45 15 20 20 40 20 25 15", "40 54.5 75.3 94 36 55 80 95.5",
         "0 36 54.5 75.3 0 36 54.5 75.3", "0 39.5 61.8 82.3 0 39.5 61.8 82.3", "0 36 36 36 0 36 36 36"},
        {"21/21", "Lag", "one70", "45 15 20 20 40 20 25 15", "4 18.5 39.3 58 0 19 44 59.5",
         "0 0 18.5 39.3 0 0 18.5 39.3", "0 3.5 25.8 46.3 0 3.5 25.8 46.3", "0 0 0 0 0 0 0 0"},
        {"22/22", "Lag", "Nema", "45 15 40 - 40 20 40 -", "40 54.5 95.3 - 36 55 95 -",
         "0 36 54.5 - 0 36 54.5 -", "0 39.5 81 - 0 39.5 81 -", "0 36 36 - 0 36 36 -"},
        {"22/22", "Lag", "one70", "45 15 40 - 40 20 40 -", "4 18.5 59.3 - 0 19 59 -",
         "0 0 18.5 - 0 0 18.5 -", "0 3.5 45 - 0 3.5 45 -", "0 0 0 - 0 0 0 -"},
        {"23/23", "Lag", "Nema", "45 15 - 40 40 20 - 40", "40 54.5 - 94 36 55 - 95.5",
         "0 36 - 54.5 0 36 - 54.5", "0 39.5 - 81.5 0 39.5 - 81.5", "0 36 - 36 0 36 - 36"},
        {"23/23", "Lag", "one70", "45 15 - 40 40 20 - 40", "4 18.5 - 58 0 19 - 59.5",
         "0 0 - 18.5 0 0 - 18.5", "0 3.5 - 45.5 0 3.5 - 45.5", "0 0 - 0 0 0 - 0"},
        {"24/24", "Lag", "Nema", "50 - 25 25 55 - 20 25", "45 - 70.3 94 51 - 70 95.5",
         "0 - 45 70 0 - 45 70", "0 - 57 82.3 0 - 57 82.3", "0 - 45 45 0 - 45 45"},
        {"24/24", "Lag", "one70", "50 - 25 25 55 - 20 25", "0 - 25.3 49 6 - 25 50.5",
         "0 - 0 25 0 - 0 25", "0 - 12 37.3 0 - 12 37.3", "0 - 0 0 0 - 0 0"},
        {"25/25", "Lag", "Nema", "50 - 50 - 55 - 45 -", "45 - 95.3 - 51 - 95 -",
         "0 - 45 - 0 - 45 -", "0 - 82 - 0 - 82 -", "0 - 45 - 0 - 45 -"},
        {"25/25", "Lag", "one70", "50 - 50 - 55 - 45 -", "0 - 50.3 - 6 - 50 -",
         "0 - 0 - 0 - 0 -", "0 - 37 - 0 - 37 -", "0 - 0 - 0 - 0 -"},
        {"26/26", "Lag", "Nema", "50 - - 50 55 - - 45", "45 - - 94 51 - - 95.5",
         "0 - - 45 0 - - 45", "0 - - 82 0 - - 82", "0 - - 45 0 - - 45"},
        {"26/26", "Lag", "one70", "50 - - 50 55 - - 45", "0 - - 49 6 - - 50.5",
         "0 - - 0 0 - - 0", "0 - - 37 0 - - 37", "0 - - 0 0 - - 0"},
        {"27/21", "Lag", "Nema", "70 30 - - 40 20 25 15", "65 94.5 - - 36 55 80 95.5",
         "0 36 - - 0 36 55 80", "0 41 - - 0 41 66 82.5", "0 36 - - 0 36 36 36"},
        {"27/21", "Lag", "one70", "70 30 - - 40 20 25 15", "29 58.5 - - 0 19 44 59.5",
         "0 0 - - 0 0 19 44", "0 5 - - 0 5 30 46.5", "0 0 - - 0 0 0 0"},
        {"21/27", "Lag", "Nema", "45 15 20 20 70 30 - -", "40 54.5 75.3 94 66 95 - -",
         "0 40 54.5 75.3 0 40 - -", "0 39.5 61.8 82.3 0 39.5 - -", "0 40 40 40 0 40 - -"},
        {"21/27", "Lag", "one70", "45 15 20 20 70 30 - -", "0 14.5 35.3 54 26 55 - -",
         "0 0 14.5 35.3 0 0 - -", "0 -0.5 21.8 42.3 0 -0.5 - -", "0 0 0 0 0 0 - -"},
    };
    for (const Configuration& c : cases) {
        Typed p;
        p.arrangement = c.arrangement;
        p.controller = c.controller;
        p.splits = c.splits;
        p.greens = "5 10 8 7 6 10 9 8";
        p.ambers = "4 4 3.5 4 3 4 4 3";
        p.reds = "1 1.5 1.2 2 1 1 1 1.5";
        const std::string name = std::string(c.codes) + " " + c.controller;
        expectSheet({name.c_str(), p, c.force, c.pps, c.ppe});
        p.mode = "Yield";
        expectSheet({(name + " Yield").c_str(), p, c.force, c.ppsYield, c.ppe});
    }
}

// Concurrent side streets of rings with different codes: the first side streets
// share their start, the last ones their end.
TEST(CalcResults, JoinsAcrossRingsWithDifferentCodes) {
    Typed base;
    base.greens = "5 10 6 8 5 10 7 9";
    const std::pair<const char*, Sheet> cases[] = {
        {"15 45 20 20 15 45 40 -",
         {"3 4 7", {}, "95 40 60 80 95 40 80 -", "80 - 40 60 80 - 40 -", "85 - 49 67 85 - 67 -"}},
        {"15 45 40 - 15 45 20 20",
         {"3 7 8", {}, "95 40 80 - 95 40 60 80", "80 - 40 - 80 - 40 60", "85 - 66 - 85 - 48 66"}},
        {"15 45 - 40 15 45 20 20",
         {"4 7 8", {}, "95 40 - 80 95 40 60 80", "80 - - 40 80 - 40 60", "85 - - 66 85 - 48 66"}},
        {"15 45 20 20 15 45 - 40",
         {"3 4 8", {}, "95 40 60 80 95 40 - 80", "80 - 40 60 80 - - 40", "85 - 49 66 85 - - 66"}},
        {"15 45 40 - 15 45 - 40",
         {"3 8", {}, "95 40 80 - 95 40 - 80", "80 - 40 - 80 - - 40", "85 - 66 - 85 - - 66"}},
        {"15 45 - 40 15 45 40 -",
         {"4 7", {}, "95 40 - 80 95 40 80 -", "80 - - 40 80 - 40 -", "85 - - 67 85 - 67 -"}},
    };
    for (auto [splits, sheet] : cases) {
        sheet.plan = base;
        sheet.plan.splits = splits;
        expectSheet(sheet);
    }
}

}  // namespace
}  // namespace tavimo
