// SPDX-License-Identifier: MIT
#include "model/phase_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace tavimo {
namespace {

WindowState signal(const char* arrangement) {
    WindowState s = WindowState::fresh();
    s.plan.arrangement = arrangement;
    return s;
}

// What the user does with a pull-down: enter it, pick an entry of its list, leave it.
void pick(WindowState& s, int k, const std::string& entry) {
    phaseFocusGained(s, k);
    s.plan.at(k).phase = entry;
    phaseChosen(s, k);
    phaseFocusLost(s, k);
}

// Every list offers a number exactly when no other pull-down holds it; the pictures
// of a held phase stand above its position in both panels, the others are hidden.
void expectConsistent(const WindowState& s, const std::string& context) {
    for (int k = 1; k <= 8; ++k) {
        for (int i = 0; i < 8; ++i) {
            const std::string n = std::to_string(i + 1);
            bool heldElsewhere = false;
            for (int o = 1; o <= 8; ++o) heldElsewhere |= o != k && s.plan.at(o).phase == n;
            EXPECT_EQ(s.plan.at(k).phaseList[i], heldElsewhere ? "" : n)
                << context << " position " << k << " entry " << i;
        }
    }
    for (int n = 1; n <= 8; ++n) {
        int at = 0;
        for (int k = 1; k <= 8; ++k)
            if (s.plan.at(k).phase == std::to_string(n)) at = k;
        EXPECT_EQ(s.chart.pictureVisible[n - 1], at != 0) << context << " phase " << n;
        EXPECT_EQ(s.chart.pictureVisible[n + 7], at != 0) << context << " phase " << n;
        EXPECT_EQ(s.chart.pictureLeft[n + 7], s.chart.pictureLeft[n - 1]) << context;
        if (at) EXPECT_EQ(s.chart.pictureLeft[n - 1], layout::kPictureLeft[at - 1]) << context;
    }
}

TEST(PhaseOrder, RandomEditingKeepsEveryNumberAtOnePosition) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 rng(seed);
        WindowState s = signal(seed % 2 ? tag::kLead : tag::kLag);
        for (int step = 0; step < 60; ++step) {
            const int k = 1 + static_cast<int>(rng() % 8);
            // A pick list: entries with a number or empty ones.
            const std::string entry = s.plan.at(k).phaseList[rng() % 8];
            pick(s, k, entry);
            expectConsistent(s, "seed " + std::to_string(seed) + " step " + std::to_string(step));
            if (HasFailure()) return;
        }
    }
}

TEST(PhaseOrder, LeadCoordinatedPhaseOpensRingOneAndPlacesPictures) {
    WindowState s = signal(tag::kLead);
    s.plan.at(2).phaseEnabled = s.plan.at(6).phaseEnabled = true;
    pick(s, 2, "2");
    for (int k : {1, 2, 3, 4}) EXPECT_TRUE(s.plan.at(k).phaseEnabled) << k;
    for (int k : {5, 7, 8}) EXPECT_FALSE(s.plan.at(k).phaseEnabled) << k;
    EXPECT_TRUE(s.plan.at(2).movementEnabled);
    EXPECT_EQ(s.chart.pictureLeft[1], 3300);
    EXPECT_EQ(s.chart.pictureLeft[9], 3300);
    for (int k = 1; k <= 8; ++k)
        if (k != 2) EXPECT_EQ(s.plan.at(k).phaseList[1], "") << k;
    EXPECT_EQ(s.plan.at(2).phaseList[1], "2");
}

TEST(PhaseOrder, ChangingAPhaseReleasesTheOldNumberAndHidesItsPictures) {
    WindowState s = signal(tag::kLead);
    pick(s, 3, "4");
    pick(s, 3, "8");
    expectConsistent(s, "4 -> 8");
    EXPECT_EQ(s.chart.pictureLeft[7], 4260);
    EXPECT_FALSE(s.chart.pictureVisible[3]);
    pick(s, 5, "5");
    pick(s, 5, "");  // the empty entry: phase 5 is free again, the movement stays open
    expectConsistent(s, "5 -> empty");
    EXPECT_TRUE(s.plan.at(5).movementEnabled);
}

TEST(PhaseOrder, EnteringAndLeavingWithoutAChoiceChangesNothing) {
    WindowState s = signal(tag::kLag);
    pick(s, 1, "2");
    pick(s, 6, "5");
    const WindowState before = s;
    for (int k = 1; k <= 8; ++k) {
        phaseFocusGained(s, k);
        phaseFocusLost(s, k);
    }
    for (int k = 1; k <= 8; ++k) EXPECT_EQ(s.plan.at(k).phaseList, before.plan.at(k).phaseList);
    EXPECT_EQ(s.chart.pictureLeft, before.chart.pictureLeft);
    EXPECT_EQ(s.chart.pictureVisible, before.chart.pictureVisible);
}

TEST(PhaseOrder, FullListsOfAnOpenedFileAreTrimmedAsEachPullDownIsLeft) {
    WindowState s = signal(tag::kLead);
    const char* order[] = {"1", "2", "3", "4", "5", "6", "", "8"};
    for (int k = 1; k <= 8; ++k) s.plan.at(k).phase = order[k - 1];
    for (int k = 1; k <= 8; ++k) {
        phaseFocusGained(s, k);
        phaseFocusLost(s, k);
    }
    expectConsistent(s, "after leaving all");
}

TEST(PhaseOrder, TextThatIsNoPhaseNumberTakesAndReleasesNothing) {
    WindowState s = signal(tag::kLead);
    s.plan.at(4).phase = "9";
    phaseFocusGained(s, 4);
    phaseFocusLost(s, 4);
    for (int k = 1; k <= 8; ++k) EXPECT_EQ(s.plan.at(k).phaseList, WindowState::fresh().plan.at(k).phaseList);
    EXPECT_TRUE(s.plan.at(4).movementEnabled);
}

TEST(PhaseOrder, ChoosingOpensTheRingOfTheCoordinatedPosition) {
    struct Case {
        const char* arrangement;
        int position;
        std::vector<int> enabled;
    };
    const Case cases[] = {
        {tag::kLead, 1, {}},        {tag::kLag, 1, {2, 3, 4}}, {tag::kLead, 2, {1, 3, 4}},
        {tag::kLag, 2, {}},         {tag::kLag, 5, {6, 7, 8}}, {tag::kLead, 6, {5, 7, 8}},
        {tag::kLead, 5, {}},        {tag::kLag, 6, {}},        {tag::kLead, 3, {}},
        {tag::kLag, 8, {}},         {"", 2, {}},               {"", 1, {}},
    };
    for (const Case& c : cases) {
        WindowState s = signal(c.arrangement);
        phaseChosen(s, c.position);
        for (int k = 1; k <= 8; ++k) {
            const bool expected = std::find(c.enabled.begin(), c.enabled.end(), k) != c.enabled.end();
            EXPECT_EQ(s.plan.at(k).phaseEnabled, expected) << c.arrangement << " " << c.position << " -> " << k;
            EXPECT_EQ(s.plan.at(k).movementEnabled, k == c.position);
        }
    }
    EXPECT_EQ(coordinatedFocusPosition(tag::kLead), 2);
    EXPECT_EQ(coordinatedFocusPosition(tag::kLag), 1);
}

}  // namespace
}  // namespace tavimo
