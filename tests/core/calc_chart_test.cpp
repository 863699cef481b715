// SPDX-License-Identifier: MIT
// The ring-barrier chart drawn by "Calculate", in twips. At a 100 s cycle one second
// is 96.15 twips and the rings start at 345.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>

#include "calc/calculation.h"
#include "support/typed_plan.h"

namespace tavimo {
namespace {

struct Drawn {
    std::string arrangement = "Lead", controller = "Nema", mode = "Permissive";
    std::string splits = "15 45 20 20 15 45 20 20", greens = "5 10 8 8 5 10 8 8", reds = "1 1 1 1 1 1 1 1";
    std::function<void(ChartLayout&)> before;
};

CalcInput inputOf(const Drawn& d) {
    test::TypedPlan typed;
    typed.arrangement = d.arrangement;
    typed.controller = d.controller;
    typed.mode = d.mode;
    typed.splits = d.splits;
    typed.greens = d.greens;
    typed.reds = d.reds;
    CalcInput in = test::calcInput(typed);
    // The typed cycle is the ring cycle, so every plan is drawn.
    float total[2] = {0, 0};
    for (int k = 0; k < 8; ++k)
        if (in.splitEnabled[k]) total[k / 4] += std::stof(in.split[k]);
    in.cycleLength = std::to_string(static_cast<int>(std::max(total[0], total[1])));
    if (d.before) d.before(in.chart);
    return in;
}

// Reads one value of the chart by the name the window gives it: "green3.left",
// "PPend1.width", "PP2.visible", "barrier2", "column4", "picture11".
float probe(const ChartLayout& c, const std::string& what) {
    const auto dot = what.find('.');
    const std::string name = what.substr(0, dot);
    const std::string field = dot == std::string::npos ? "" : what.substr(dot + 1);
    if (name == "barrier2") return c.barrier2.x;
    if (name == "barrier3") return c.barrier3.x;
    if (name == "local1") return c.local1.x;
    if (name == "textRight") return c.windowTextRightAligned;
    if (name.rfind("column", 0) == 0) return c.columnLeft[std::stoi(name.substr(6)) - 1];
    if (name.rfind("picture", 0) == 0) return c.pictureLeft[std::stoi(name.substr(7))];

    static const std::map<std::string, int> windows{{"PP1", PP1}, {"PP2", PP2}, {"PP3", PP3},
                                                    {"PP4", PP4}, {"PP5", PP5}, {"PP6", PP6},
                                                    {"PPend1", PPend1}, {"PPend2", PPend2}};
    const Box* box = nullptr;
    if (auto w = windows.find(name); w != windows.end()) box = &c.windows[w->second];
    else if (name == "deadPhase") box = &c.deadPhase;
    else if (name == "deadPhase2") box = &c.deadPhase2;
    else {
        const int row = name.back() - '1';
        const std::string bar = name.substr(0, name.size() - 1);
        box = bar == "green" ? &c.green[row] : bar == "yellow" ? &c.yellow[row] : &c.red[row];
    }
    if (field == "left") return box->left;
    if (field == "width") return box->width;
    if (field == "top") return box->top;
    if (field == "height") return box->height;
    return box->visible;
}

struct ChartCase {
    const char* name;
    Drawn plan;
    std::vector<std::pair<const char*, float>> expect;
};

Drawn with(std::function<void(Drawn&)> change) {
    Drawn d;
    change(d);
    return d;
}

TEST(CalcChart, Geometry) {
    const ChartCase cases[] = {
        {"lead, both rings 15/45/20/20",
         {},
         {{"green1.left", 345},        {"green1.width", 971.5},    {"yellow1.left", 1306.5},
          {"yellow1.width", 394.6},    {"red1.left", 1691.1},      {"red1.width", 106.15},
          {"green2.left", 1787.25},    {"yellow2.left", 5633.25},  {"red2.left", 6017.85},
          {"barrier3", 6114},          {"green3.left", 6114},      {"yellow3.left", 7556.25},
          {"green4.left", 8037},       {"yellow4.left", 9469.25},  {"red4.left", 9853.85},
          {"red4.width", 106.15},      {"yellow8.left", 9469.25},  {"red8.left", 9853.85},
          {"barrier2", 9950},          {"green5.left", 345},       {"green7.left", 6114},
          {"PP1.left", 345},           {"PP1.width", 10},          {"PP2.left", 5633.25},
          {"PP2.width", 683.05},       {"PP3.left", 7556.25},      {"PP3.width", 683.05},
          {"PPend1.left", 9479.25},    {"PPend1.width", 480.75},   {"PPend1.visible", 1},
          {"PP4.width", 10},           {"deadPhase.visible", 0},   {"deadPhase2.visible", 0},
          {"PP2.height", 300},         {"PP2.top", 420},           {"textRight", 0},
          {"column4", 5160},           {"picture3", 5220}}},
        {"25 s split with 4 s amber and 1 s all-red",
         with([](Drawn& d) { d.splits = "30 20 25 25 20 30 25 25"; }),
         {{"green3.width", 1933}, {"yellow3.width", 394.6f}, {"red3.width", 106.15f}}},
        {"a row that is all clearance is hidden",
         with([](Drawn& d) { d.splits = "15 45 35 5 15 45 20 20"; }),
         {{"yellow3.left", 8998.5},   {"green4.left", 9479.25},   {"green4.width", 10},
          {"green4.visible", 0},      {"yellow4.visible", 0},     {"red4.visible", 0},
          {"yellow4.left", 9469.25},  {"red4.left", 9469.25},     {"barrier2", 9950},
          {"PP3.visible", 0},         {"PP6.left", 7556.25},      {"PPend1.left", 9479.25},
          {"PPend1.width", 480.75},   {"PP1.width", 10}}},
        {"hidden rows never carry the right barrier",
         with([](Drawn& d) { d.splits = "15 45 35 5 15 45 35 5"; }),
         {{"barrier2", 9479.25}}},
        {"lead, row 3 unused: column 4 closes the gap",
         with([](Drawn& d) { d.splits = "15 45 - 40 15 45 20 20"; }),
         {{"column4", 4200},        {"picture3", 4260},      {"picture11", 4260},
          {"column8", 9360},        {"picture7", 9415},      {"green4.left", 6114},
          {"yellow4.left", 9469.25}, {"PP2.left", 5633.25},  {"PP2.width", 2606.05},
          {"PP3.visible", 0}}},
        {"the next run puts a moved column back first",
         with([](Drawn& d) { d.before = [](ChartLayout& c) { c.columnLeft[3] = 4200; }; }),
         {{"column4", 5160}}},
        {"lag, lagging left turn of ring 1 unused",
         with([](Drawn& d) {
             d.arrangement = "Lag";
             d.splits = "50 - 25 25 45 15 20 20";
         }),
         {{"column3", 3240}, {"picture2", 3300}, {"picture10", 3300}, {"column4", 4200},
          {"picture3", 4260}, {"picture11", 4260}, {"column7", 8400}, {"PP1.visible", 0}}},
        {"lag, ring 2 with its last side street only",
         with([](Drawn& d) {
             d.arrangement = "Lag";
             d.splits = "45 15 20 20 55 - - 45";
         }),
         {{"column8", 7440}, {"picture7", 7480}, {"picture15", 7480}, {"column7", 8400}}},
        {"ring 1 without side streets is blanked to the end of row 7",
         with([](Drawn& d) { d.splits = "15 45 - - 15 45 20 20"; }),
         {{"deadPhase.left", 6114},   {"deadPhase.width", 1923},    {"deadPhase.visible", 1},
          {"deadPhase2.visible", 0},  {"barrier2", 9950},           {"PP2.visible", 0},
          {"PP3.visible", 0},         {"PPend1.left", 7556.25},     {"PPend1.width", 2403.75},
          {"PP1.width", 10}}},
        {"type 170 zero at the yellow of row 2",
         with([](Drawn& d) {
             d.controller = "one70";
             d.reds = "1 2 1 1 1 1 1 1";
         }),
         {{"local1", 5537.1f}}},
        {"type 170 zero at the yellow of row 6",
         with([](Drawn& d) {
             d.controller = "one70";
             d.splits = "15 45 20 20 20 45 15 20";
             d.reds = "1 1 1 1 1 2 1 1";
         }),
         {{"local1", 6017.85f}}},
        {"lead yield stacks and stretches to PP2",
         with([](Drawn& d) { d.mode = "Yield"; }),
         {{"PP2.left", 5633.25},    {"PP3.left", 5633.25},    {"PP3.width", 2606.05},
          {"PPend1.left", 5633.25}, {"PPend1.width", 4326.75}, {"PP1.height", 300},
          {"PP1.top", 420},          {"PP2.height", 500},      {"PP2.top", 240},
          {"PP3.height", 400},       {"PP3.top", 330},         {"PP5.top", 1170},
          {"PP6.top", 1260},         {"PPend2.top", 1350},     {"textRight", 1}}},
        {"lag yield stretches to PP1",
         with([](Drawn& d) {
             d.arrangement = "Lag";
             d.mode = "Yield";
             d.splits = "45 15 20 20 45 15 20 20";
             d.greens = "10 5 8 8 10 5 8 8";
         }),
         {{"PP1.left", 4191},   {"PP1.width", 490.75}, {"PP2.left", 4191},      {"PP2.width", 2125.3},
          {"PP3.left", 4191},   {"PP3.width", 4048.3}, {"PP1.height", 500},     {"PP1.top", 240},
          {"PP2.top", 330},     {"PP3.top", 420},      {"PPend1.visible", 0},   {"PPend1.height", 300},
          {"PP4.top", 1170},    {"textRight", 1}}},
        {"lag permissive hides the ring-end markers",
         with([](Drawn& d) {
             d.arrangement = "Lag";
             d.splits = "45 15 20 20 45 15 20 20";
             d.greens = "10 5 8 8 10 5 8 8";
         }),
         {{"PPend1.visible", 0}, {"PPend2.visible", 0}, {"PP1.left", 4191}, {"textRight", 0}}},
        // The ring-end marker opens at the true force-off (the last row's yellow bar is
        // drawn 10 twips earlier) and reaches the cycle's end.
        {"no left turn in ring 2: ring 1's left turn still has its window",
         with([](Drawn& d) { d.splits = "15 45 20 20 - 60 20 20"; }),
         {{"PPend1.visible", 1}, {"PPend1.left", 9479.25}, {"PPend1.width", 480.75}, {"PP4.visible", 0},
          {"PPend2.visible", 0}, {"PP2.visible", 1}}},
        {"ring 2 with its coordinated phase only",
         with([](Drawn& d) { d.splits = "15 45 20 20 - 100 - -"; }),
         {{"PP4.visible", 0}, {"PP5.visible", 0}, {"PP6.visible", 0}, {"PPend2.visible", 0},
          {"PP2.visible", 1}}},
    };
    for (const ChartCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CalcOutcome out = calculate(inputOf(c.plan));
        ASSERT_EQ(out.stop, CalcStop::Completed) << (out.message ? out.message->text : "");
        for (const auto& [what, expected] : c.expect) EXPECT_NEAR(probe(out.chart, what), expected, 0.01) << what;
    }
}

TEST(CalcChart, PhaseNumbersOnBarsAndWindows) {
    struct Texts {
        Drawn plan;
        std::array<const char*, 6> windows;  // PP1..PP6
    };
    const Texts cases[] = {
        {{}, {"Ø1", "Ø3", "Ø4", "Ø5", "Ø7", "Ø8"}},
        {with([](Drawn& d) { d.splits = "15 45 - 40 15 45 - 40"; }), {"Ø1", "Ø4", "", "Ø5", "Ø8", ""}},
        {with([](Drawn& d) {
             d.arrangement = "Lag";
             d.splits = "45 15 20 20 45 15 20 20";
         }),
         {"Ø1", "Ø3", "Ø4", "Ø5", "Ø7", "Ø8"}},
    };
    for (const Texts& c : cases) {
        const CalcInput in = inputOf(c.plan);
        const CalcOutcome out = calculate(in);
        EXPECT_EQ(out.chart.greenText, in.phase);
        for (int w = PP1; w <= PP6; ++w) EXPECT_EQ(out.chart.windowText[w], c.windows[w]) << "PP" << w + 1;
    }
}

}  // namespace
}  // namespace tavimo
