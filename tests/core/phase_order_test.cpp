// SPDX-License-Identifier: MIT
#include "model/phase_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace tavimo {
namespace {

// A signal waiting for its coordinated phases: no pull-down enabled yet.
WindowState signal(const char* arrangement) {
    WindowState s = WindowState::fresh();
    s.plan.arrangement = arrangement;
    for (Position& p : s.plan.positions) p.phaseEnabled = false;
    return s;
}

// What the user does with a pull-down: enter it, pick an entry of its list, leave it.
void pick(WindowState& s, int k, const std::string& entry) {
    phaseFocusGained(s, k);
    s.plan.at(k).phase = entry;
    phaseChosen(s, k);
    phaseFocusLost(s, k);
}

// Where the phase-number pictures stand above the columns of positions 1..8.
constexpr float kPictureAbove[8] = {2340, 3300, 4260, 5220, 6535, 7480, 8455, 9415};

std::string listOf(const WindowState& s, int k) {
    std::string out;
    for (const std::string& e : s.plan.at(k).phaseList) out += (out.empty() ? "" : " ") + (e.empty() ? "-" : e);
    return out;
}

// Every list offers a number exactly when no other pull-down holds it; the pictures
// of a held phase stand above its position in both panels, the others are hidden.
::testing::AssertionResult consistent(const WindowState& s) {
    for (int n = 1; n <= 8; ++n) {
        const std::string number = std::to_string(n);
        int at = 0;
        for (int k = 1; k <= 8; ++k)
            if (s.plan.at(k).phase == number) at = k;
        for (int k = 1; k <= 8; ++k)
            if (s.plan.at(k).phaseList[n - 1] != (at && at != k ? "" : number))
                return ::testing::AssertionFailure() << "list of " << k << " at phase " << n;
        const auto& c = s.chart;
        if (c.pictureVisible[n - 1] != (at != 0) || c.pictureVisible[n + 7] != (at != 0) ||
            c.pictureLeft[n + 7] != c.pictureLeft[n - 1] || (at && c.pictureLeft[n - 1] != kPictureAbove[at - 1]))
            return ::testing::AssertionFailure() << "pictures of phase " << n;
    }
    return ::testing::AssertionSuccess();
}

TEST(PhaseOrder, RandomEditingKeepsEveryNumberAtOnePosition) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 rng(seed);
        WindowState s = signal(seed % 2 ? tag::kLead : tag::kLag);
        for (int step = 0; step < 60; ++step) {
            const int k = 1 + static_cast<int>(rng() % 8);
            pick(s, k, s.plan.at(k).phaseList[rng() % 8]);  // a number or an empty entry
            ASSERT_TRUE(consistent(s)) << "seed " << seed << " step " << step;
        }
        // Entering and leaving without a choice changes nothing.
        const WindowState before = s;
        for (int k = 1; k <= 8; ++k) {
            phaseFocusGained(s, k);
            phaseFocusLost(s, k);
            EXPECT_EQ(s.plan.at(k).phaseList, before.plan.at(k).phaseList);
        }
        EXPECT_EQ(s.chart.pictureLeft, before.chart.pictureLeft);
    }
}

// Lead: 1 at position 1, 2 at 2, 5 at 5, then position 1 changes its mind to 3. Each
// list offers its own phase and those nobody holds; phase 1 is free again and its
// pictures are gone.
TEST(PhaseOrder, AWorkedOrderOfChoices) {
    WindowState s = signal(tag::kLead);
    pick(s, 1, "1");
    pick(s, 2, "2");
    pick(s, 5, "5");
    EXPECT_EQ(listOf(s, 3), "- - 3 4 - 6 7 8");
    pick(s, 1, "3");
    const char* lists[8] = {"1 - 3 4 - 6 7 8", "1 2 - 4 - 6 7 8", "1 - - 4 - 6 7 8", "1 - - 4 - 6 7 8",
                            "1 - - 4 5 6 7 8", "1 - - 4 - 6 7 8", "1 - - 4 - 6 7 8", "1 - - 4 - 6 7 8"};
    for (int k = 1; k <= 8; ++k) EXPECT_EQ(listOf(s, k), lists[k - 1]) << k;
    const auto& c = s.chart;
    const std::pair<int, float> shown[] = {{3, 2340}, {2, 3300}, {5, 6535}};  // phase, left
    for (const auto& [phase, left] : shown) {
        EXPECT_TRUE(c.pictureVisible[phase - 1] && c.pictureVisible[phase + 7]) << phase;
        EXPECT_EQ(c.pictureLeft[phase - 1], left) << phase;
        EXPECT_EQ(c.pictureLeft[phase + 7], left) << phase;
    }
    for (int phase : {1, 4, 6, 7, 8}) EXPECT_FALSE(c.pictureVisible[phase - 1] || c.pictureVisible[phase + 7]) << phase;
}

TEST(PhaseOrder, FullListsOfAnOpenedFileAreTrimmedAsEachPullDownIsLeft) {
    WindowState s = signal(tag::kLead);
    const char* order[] = {"1", "2", "3", "4", "5", "6", "", "8"};
    for (int k = 1; k <= 8; ++k) s.plan.at(k).phase = order[k - 1];
    for (int k = 1; k <= 8; ++k) {
        phaseFocusGained(s, k);
        phaseFocusLost(s, k);
    }
    EXPECT_TRUE(consistent(s));

    // A text that is no phase number (a file may hold one) takes and releases nothing.
    WindowState odd = signal(tag::kLead);
    odd.plan.at(4).phase = "9";
    phaseFocusGained(odd, 4);
    phaseFocusLost(odd, 4);
    for (int k = 1; k <= 8; ++k) EXPECT_EQ(odd.plan.at(k).phaseList, WindowState::fresh().plan.at(k).phaseList);
    EXPECT_TRUE(odd.plan.at(4).movementEnabled);
}

TEST(PhaseOrder, ChoosingOpensTheRingOfTheCoordinatedPosition) {
    struct Case {
        const char* arrangement;
        int position;
        std::vector<int> enabled;
    };
    const Case cases[] = {
        {tag::kLead, 1, {}}, {tag::kLag, 1, {2, 3, 4}}, {tag::kLead, 2, {1, 3, 4}}, {tag::kLag, 2, {}},
        {tag::kLag, 5, {6, 7, 8}}, {tag::kLead, 6, {5, 7, 8}}, {tag::kLead, 5, {}}, {tag::kLag, 6, {}},
        {tag::kLead, 3, {}}, {tag::kLag, 8, {}}, {"", 2, {}}, {"", 1, {}},
    };
    for (const Case& c : cases) {
        WindowState s = signal(c.arrangement);
        phaseChosen(s, c.position);
        for (int k = 1; k <= 8; ++k) {
            const bool opened = std::count(c.enabled.begin(), c.enabled.end(), k) > 0;
            EXPECT_EQ(s.plan.at(k).phaseEnabled, opened) << c.arrangement << " " << c.position << " -> " << k;
            EXPECT_EQ(s.plan.at(k).movementEnabled, k == c.position);
        }
    }
    EXPECT_EQ(coordinatedFocusPosition(tag::kLead), 2);
    EXPECT_EQ(coordinatedFocusPosition(tag::kLag), 1);
}

}  // namespace
}  // namespace tavimo
