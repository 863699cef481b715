// SPDX-License-Identifier: MIT
#include "calc/local_time.h"

#include <gtest/gtest.h>

namespace tavimo {
namespace {

struct Times {
    const char* split;
    const char* amber;
    const char* red;
};

struct Case {
    const char* controller;
    const char* arrangement;
    const char* cycle;
    Times t1, t2, t5, t6;  // positions 1, 2, 5 and 6
    float x;
    std::optional<std::string> shown;
};

SignalPlan planOf(const Case& c) {
    SignalPlan p;
    p.controller = c.controller;
    p.arrangement = c.arrangement;
    p.setCycleLength(c.cycle);
    const Times* t[] = {&c.t1, &c.t2, &c.t5, &c.t6};
    const int positions[] = {1, 2, 5, 6};
    for (int i = 0; i < 4; ++i) {
        Position& pos = p.at(positions[i]);
        pos.split = t[i]->split;
        pos.amber = t[i]->amber;
        pos.red = t[i]->red;
    }
    return p;
}

const Times kNone{"", "", ""};
const std::nullopt_t kKeep = std::nullopt;

TEST(LocalTime, ShowsTheControllersLocalTime) {
    const Case cases[] = {
        // NEMA, lagging lefts: chart time itself, 9600 twips to the cycle.
        {"Nema", "Lag", "100", kNone, kNone, kNone, kNone, 345, "0"},
        {"Nema", "Lag", "100", kNone, kNone, kNone, kNone, 5145, "50"},
        {"Nema", "Lag", "100", kNone, kNone, kNone, kNone, 9940, "100"},
        // 100/9600*(393-345) = 0.5: the half goes to the even 0; 489 gives 1.5 -> 2.
        {"Nema", "Lag", "100", kNone, kNone, kNone, kNone, 393, "0"},
        {"Nema", "Lag", "100", kNone, kNone, kNone, kNone, 489, "2"},
        // Type 170, lagging lefts: zero at the end of the shorter coordinated green.
        {"one70", "Lag", "100", {"40", "4", "1"}, kNone, {"50", "4", "1"}, kNone, 345, "65"},
        {"one70", "Lag", "100", {"50", "4", "1"}, kNone, {"40", "3", "2"}, kNone, 345, "65"},
        {"one70", "Lag", "100", {"40", "4", "1"}, kNone, {"40", "3", "1"}, kNone, 4185, "5"},
        // NEMA, leading lefts: zero where the coordinated green starts (ties: ring 2).
        {"Nema", "Lead", "100", {"15", "3", "1"}, {"35", "4", "1"}, {"10", "3", "1"}, {"40", "4", "1"}, 1305, "0"},
        {"Nema", "Lead", "100", {"15", "3", "1"}, {"45", "4", "1"}, {"10", "3", "1"}, {"40", "4", "1"}, 1305, "95"},
        {"Nema", "Lead", "100", {"15", "3", "1"}, {"40", "4", "1"}, {"10", "3", "1"}, {"40", "4", "1"}, 345, "90"},
        // A shifted time of 89.5 or 88.5 s shows the even neighbour: 90 and 88.
        {"Nema", "Lead", "100", {"15", "3", "1"}, {"35", "4", "1"}, {"10.5", "3", "1"}, {"40", "4", "1"}, 345, "90"},
        {"Nema", "Lead", "100", {"15", "3", "1"}, {"35", "4", "1"}, {"11.5", "3", "1"}, {"40", "4", "1"}, 345, "88"},
        // Type 170, leading lefts: k = larger clearance of 2 and 6.
        {"one70", "Lead", "100", {"15", "3", "1"}, {"35", "4", "1"}, {"10", "3", "1"}, {"40", "4", "2"}, 345, "56"},
        {"one70", "Lead", "100", {"15", "3", "1"}, {"45", "4", "1"}, {"10", "3", "1"}, {"40", "4", "2"}, 6105, "6"},
        // An empty split counts as 0 with its amber and all-red, which are not read.
        {"one70", "Lead", "100", {"15", "3", "1"}, {"", "x", ""}, {"10", "3", "1"}, {"40", "4", "1"}, 345, "55"},
        // No reference matches: the label keeps its text.
        {"NEMA", "Lag", "100", kNone, kNone, kNone, kNone, 345, kKeep},
        {"Nema", "", "100", kNone, kNone, kNone, kNone, 345, kKeep},
        // Not a number where one is needed: the label keeps its text.
        {"Nema", "Lag", "", kNone, kNone, kNone, kNone, 345, kKeep},
        {"Nema", "Lag", "1O0", kNone, kNone, kNone, kNone, 345, kKeep},
        {"one70", "Lag", "100", {"40", "", "1"}, kNone, {"50", "4", "1"}, kNone, 345, kKeep},
        {"Nema", "Lead", "100", {"15", "3", "1"}, {"3O", "4", "1"}, kNone, kNone, 345, kKeep},
        // NEMA with lagging lefts needs only the cycle length.
        {"Nema", "Lag", "90", {"40", "", ""}, kNone, kNone, kNone, 9945, "90"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(localTimeText(planOf(c), c.x), c.shown)
            << c.controller << " " << c.arrangement << " x=" << c.x;
    }
}

TEST(LocalTime, CursorAndLabelTravelTogether) {
    WindowState s = WindowState::fresh();
    s.plan.controller = tag::kNema;
    s.plan.arrangement = tag::kLag;
    s.plan.setCycleLength("100");
    moveLocalTimeCursor(s, 5145);
    EXPECT_EQ(s.chart.local1, (VLine{5145, 130, 2310, true}));
    EXPECT_EQ(s.chart.timerLeft, 5185);
    EXPECT_EQ(s.chart.timerText, "50");
    EXPECT_EQ(s.chart.scrollValue, 5145);
    s.plan.setCycleLength("");
    moveLocalTimeCursor(s, 345);
    EXPECT_EQ(s.chart.timerText, "50");
    EXPECT_EQ(s.chart.timerLeft, 385);
}

}  // namespace
}  // namespace tavimo
