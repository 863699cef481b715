// SPDX-License-Identifier: MIT
// Timing checks after a completed calculation, on real plans and on plans built to
// show each warning's wording.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include "calc/timing_checks.h"
#include "model/number_text.h"

namespace tavimo {
namespace {

using Row = std::array<std::string, 8>;

CalcInput dualLead(const Row& split, const Row& green, const Row& amber, const Row& red, const std::string& cycle) {
    CalcInput in;
    in.arrangement = "Lead";
    in.controller = "Nema";
    in.mode = "Permissive";
    in.cycleLength = cycle;
    for (int k = 0; k < 8; ++k) {
        if (split[k].empty()) continue;
        in.phase[k] = std::to_string(k + 1);
        in.split[k] = split[k];
        in.green[k] = green[k];
        in.amber[k] = amber[k];
        in.red[k] = red[k];
        in.splitEnabled[k] = true;
    }
    return in;
}

struct PlanCase {
    std::string name;
    CalcInput input;
    std::vector<std::string> expected;  // summaries
};

Row cells(const std::string& line) {
    Row row;
    std::stringstream in(line);
    std::string cell;
    std::getline(in, cell, ',');  // the field's name
    for (int k = 0; k < 8 && std::getline(in, cell, ','); ++k) row[k] = cell;
    return row;
}

std::vector<PlanCase> readPlans() {
    std::ifstream file(TAVIMO_TEST_DATA "/checks/real-plans.csv");
    std::vector<PlanCase> plans;
    std::map<std::string, Row> fields;
    std::string line, name, cycle;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') continue;
        const std::string key = line.substr(0, line.find(','));
        if (key == "plan") {
            const auto second = line.find(',', 5);
            name = line.substr(5, second - 5);
            cycle = line.substr(second + 1);
            fields.clear();
        } else if (key == "expect") {
            PlanCase plan{name, dualLead(fields["split"], fields["min_green"], fields["amber"], fields["all_red"], cycle), {}};
            plan.input.walk = fields["walk"];
            plan.input.flash = fields["flash"];
            std::stringstream list(line.substr(7));
            for (std::string item; std::getline(list, item, '|');) plan.expected.push_back(item);
            plans.push_back(plan);
        } else {
            fields[key] = cells(line);
        }
    }
    return plans;
}

std::vector<std::string> summaries(const std::vector<TimingWarning>& warnings) {
    std::vector<std::string> out;
    for (const auto& w : warnings) out.push_back(w.summary);
    return out;
}

std::string shown(const std::optional<float>& value) { return value ? formatNumber(*value) : ""; }

// The checks read the phase's own timing and the windows as shown; on these plans the
// controller's reference and Yield mode, which move the windows, change none of the
// warnings.
TEST(TimingChecks, RealAndWorkedPlansWarnOfWhatCannotRun) {
    const std::vector<PlanCase> plans = readPlans();
    ASSERT_EQ(plans.size(), 13u);
    for (const PlanCase& plan : plans) {
        for (const char* controller : {"Nema", "one70"})
            for (const char* mode : {"Permissive", "Yield"}) {
                SCOPED_TRACE(plan.name + " " + controller + " " + mode);
                CalcInput in = plan.input;
                in.controller = controller;
                in.mode = mode;
                const CalcOutcome out = calculate(in);
                ASSERT_EQ(out.stop, CalcStop::Completed) << (out.message ? out.message->text : "");
                EXPECT_EQ(summaries(checkTiming(in, out)), plan.expected);
                // The numbers are those the window shows.
                for (int k = 0; k < 8; ++k) {
                    const PositionValues& p = out.values.positions[k];
                    EXPECT_EQ(shown(p.forceOff), out.force[k]) << "position " << k + 1;
                    EXPECT_EQ(shown(p.permissiveStart), out.pps[k]) << "position " << k + 1;
                    EXPECT_EQ(shown(p.permissiveEnd), out.ppe[k]) << "position " << k + 1;
                }
            }
    }
}

const Row kAmber{"4", "4", "4", "4", "4", "4", "4", "4"}, kRed{"1", "1", "1", "1", "1", "1", "1", "1"};
const Row kGreen{"5", "10", "8", "8", "5", "10", "8", "8"};

TEST(TimingChecks, WarningsNameThePhaseItsPositionAndTheFigures) {
    struct Case {
        const char* name;
        CalcInput input;
        std::string text;
    };
    std::vector<Case> cases;
    cases.push_back({"split too short", dualLead({"15", "45", "20", "12", "15", "45", "20", "12"}, kGreen, kAmber, kRed, "92"),
                     "Φ4 (position 4): split 12 is shorter than min green 8 + amber 4 + all red 1 = 13"});

    CalcInput walk = dualLead({"15", "20", "20", "20", "15", "20", "20", "20"}, kGreen, kAmber, kRed, "75");
    walk.red[1] = "1.5";
    walk.walk[1] = "7";
    walk.flash[1] = "12";
    cases.push_back({"pedestrian timing", walk,
                     "Φ2 (position 2): pedestrian timing 7 + 12 + 4 + 1.5 = 24.5 exceeds the split 20"});
    walk.walk[1] = "7s";
    cases.push_back({"walk not a number", walk,
                     "Φ2 (position 2): walk time \"7s\" is not a number: the pedestrian timing is not checked"});

    // Phases 3 and 4 swapped on the grid: the label is the phase, not the position.
    CalcInput swapped = dualLead({"15", "45", "20", "20", "15", "45", "20", "20"},
                                 {"5", "10", "20", "8", "5", "10", "8", "8"}, kAmber, kRed, "100");
    std::swap(swapped.phase[2], swapped.phase[3]);
    cases.push_back({"window of a side street", swapped,
                     "Φ4 (position 3): no permissive window: min green 20 does not fit between the force-off of "
                     "Φ2 and its own"});
    // The leading left turn follows the last side street of its ring.
    cases.push_back({"window of a leading left turn",
                     dualLead({"15", "45", "20", "20", "15", "45", "20", "20"}, {"12", "10", "8", "8", "5", "10", "8", "8"},
                              kAmber, kRed, "100"),
                     "Φ1 (position 1): no permissive window: min green 12 does not fit between the force-off of Φ4 "
                     "and its own"});
    // Under Dual Lag the lagging left turn follows the coordinated phase before it.
    CalcInput lag = dualLead({"45", "15", "20", "20", "45", "15", "20", "20"}, {"10", "12", "8", "8", "10", "5", "8", "8"},
                             kAmber, kRed, "100");
    lag.arrangement = "Lag";
    std::swap(lag.phase[0], lag.phase[1]);
    cases.push_back({"window of a lagging left turn", lag,
                     "Φ1 (position 2): no permissive window: min green 12 does not fit between the force-off of Φ2 "
                     "and its own"});
    cases.push_back({"barrier", dualLead({"15", "45", "20", "20", "10", "45", "25", "20"}, kGreen, kAmber, kRed, "100"),
                     "ring 1 reaches the barrier at 60, ring 2 at 55"});
    cases.push_back({"ring", dualLead({"15", "45", "20", "20", "15", "45", "20", "10"}, kGreen, kAmber, kRed, "100"),
                     "ring 2 totals 90 of the cycle's 100"});
    // A minus sign too many runs through the formulas without a stop.
    const Row plain{"15", "45", "20", "20", "15", "45", "20", "20"};
    CalcInput negative = dualLead(plain, kGreen, kAmber, kRed, "100");
    negative.amber[4] = "-3.5";
    cases.push_back({"negative amber", negative, "Φ5 (position 5): amber -3.5 is negative"});
    negative = dualLead(plain, kGreen, kAmber, kRed, "100");
    negative.walk[5] = "-5";
    cases.push_back({"negative walk", negative, "Φ6 (position 6): walk -5 is negative"});
    negative = dualLead({"15", "45", "20", "20", "15", "45", "30", "-10"}, kGreen, kAmber, kRed, "100");
    cases.push_back({"negative split", negative, "Φ8 (position 8): split -10 is negative"});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CalcOutcome out = calculate(c.input);
        ASSERT_EQ(out.stop, CalcStop::Completed) << (out.message ? out.message->text : "");
        std::string all;
        bool found = false;
        for (const auto& w : checkTiming(c.input, out)) {
            all += w.text + "\n";
            found = found || w.text == c.text;
        }
        EXPECT_TRUE(found) << all;
    }
}

// Whatever moves a window (joins across the rings, the Type 170 zero, the yield point),
// a window the engineer sees end before it opens is warned of at its position.
TEST(TimingChecks, EveryWindowThatEndsBeforeItOpensWarns) {
    std::vector<PlanCase> plans = readPlans();
    // The example plan with phase 3 cut to 8 s: its window and phase 7's, joined to it.
    plans.push_back({"main and 1st", dualLead({"15", "45", "8", "32", "15", "45", "12", "28"},
                                              {"5", "20", "5", "10", "5", "20", "5", "10"},
                                              {"3.5", "4", "3.5", "4", "3.5", "4", "3.5", "4"},
                                              {"1", "1.5", "1", "1.5", "1", "1.5", "1", "1.5"}, "100"),
                     {}});
    int emptyWindows = 0;
    for (const PlanCase& plan : plans)
        for (const char* arrangement : {"Lead", "Lag"})
            for (const char* controller : {"Nema", "one70"})
                for (const char* mode : {"Permissive", "Yield"}) {
                    SCOPED_TRACE(plan.name + " " + arrangement + " " + controller + " " + mode);
                    CalcInput in = plan.input;
                    in.arrangement = arrangement;
                    in.controller = controller;
                    in.mode = mode;
                    const CalcOutcome out = calculate(in);
                    if (out.stop != CalcStop::Completed) continue;
                    const std::vector<TimingWarning> warnings = checkTiming(in, out);
                    for (int k = 1; k <= 8; ++k) {
                        const PositionValues& p = out.values.positions[k - 1];
                        if (!p.permissiveStart || !p.permissiveEnd || !(*p.permissiveEnd < *p.permissiveStart - 0.001f))
                            continue;
                        // One that runs past the cycle's end (125.5 to 21.4 in 130 s) and leaves
                        // out the phase's own minimum green and clearance is a window, drawn in
                        // two parts; any other is empty.
                        const float wrappedLength = *p.permissiveEnd + out.values.ringCycle - *p.permissiveStart;
                        const bool wraps = *p.permissiveEnd >= 0 && p.minGreen &&
                                           wrappedLength + *p.minGreen + *p.amber + *p.allRed <= out.values.ringCycle + 0.01f;
                        const bool warned = std::any_of(warnings.begin(), warnings.end(), [&](const TimingWarning& w) {
                            return w.summary == "Φ" + std::to_string(k) + " no permissive window";
                        });
                        if (wraps) {
                            const bool calledEmpty =
                                std::any_of(warnings.begin(), warnings.end(), [&](const TimingWarning& w) {
                                    return w.text.find("(position " + std::to_string(k) + "): no permissive window: it ends") !=
                                           std::string::npos;
                                });
                            EXPECT_FALSE(calledEmpty) << "position " << k << " wraps: " << out.pps[k - 1] << " to "
                                                      << out.ppe[k - 1];
                            continue;
                        }
                        ++emptyWindows;
                        EXPECT_TRUE(warned) << "position " << k << " shows " << out.pps[k - 1] << " to "
                                            << out.ppe[k - 1];
                    }
                }
    EXPECT_GT(emptyWindows, 20);
}

TEST(TimingChecks, SummaryCountsAndListsTheWarnings) {
    const CalcInput in = dualLead({"15", "45", "20", "12", "15", "45", "20", "12"}, kGreen, kAmber, kRed, "92");
    const auto warnings = checkTiming(in, calculate(in));
    EXPECT_EQ(warningSummary(warnings),
              "4 warnings: Φ4 split too short, Φ4 no permissive window, Φ8 split too short, Φ8 no permissive window");
    EXPECT_EQ(warningSummary({warnings[0]}), "1 warning: Φ4 split too short");
    EXPECT_EQ(warningSummary({}), "");
}

TEST(TimingChecks, APhaseErrorSaysWhichPositionDisagrees) {
    struct Case {
        const char* name;
        void (*change)(CalcInput&);
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {"enabled split left blank", [](CalcInput& in) { in.split[2] = ""; }, {"the split at position 3 is blank"}},
        {"split without a movement", [](CalcInput& in) { in.splitEnabled[4] = false; },
         {"position 5 has a split but no movement"}},
        {"movement left without its phase", [](CalcInput& in) { in.phase[6] = ""; },
         {"position 7 has a movement but no phase"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CalcInput in = dualLead({"15", "45", "20", "20", "15", "45", "20", "20"}, kGreen, kAmber, kRed, "100");
        c.change(in);
        const CalcOutcome out = calculate(in);
        ASSERT_EQ(out.stop, CalcStop::PhaseError);
        std::vector<std::string> texts;
        for (const auto& w : explainPhaseError(in, out)) texts.push_back(w.text);
        EXPECT_EQ(texts, c.texts);
        EXPECT_TRUE(checkTiming(in, out).empty());
    }
}

// The ring values of the textbook plan: B the longer coordinated split, the Type 170
// zero at the end of coordinated green, the yield point at the coordinated force-off.
TEST(TimingChecks, OutcomeCarriesTheRingValues) {
    CalcInput in = dualLead({"15", "45", "20", "20", "15", "45", "20", "20"}, kGreen, kAmber, kRed, "100");
    in.mode = "Yield";
    CalcOutcome out = calculate(in);
    EXPECT_EQ(out.values.configuration, (std::array<int, 2>{11, 11}));
    EXPECT_EQ(out.values.ringCycle, 100);
    EXPECT_EQ(out.values.coordinatedSplit, 45);
    EXPECT_FALSE(out.values.type170Shift);
    EXPECT_EQ(out.values.yieldPoint, 40);
    EXPECT_FALSE(out.values.positions[1].permissiveStart);  // the coordinated phase has no window

    in.controller = "one70";
    in.mode = "Permissive";
    out = calculate(in);
    EXPECT_EQ(out.values.type170Shift, 40);
    EXPECT_FALSE(out.values.yieldPoint);
    EXPECT_EQ(out.values.positions[2].forceOff, 20);
    EXPECT_EQ(out.values.positions[2].ownStart, 40);  // before the move to the Type 170 zero
}

}  // namespace
}  // namespace tavimo
