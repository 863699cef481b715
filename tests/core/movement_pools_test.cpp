// SPDX-License-Identifier: MIT
#include "model/movement_pools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace tavimo {
namespace {

SignalPlan planFor(const char* arrangement) {
    SignalPlan p;
    p.arrangement = arrangement;
    resetMovements(p);
    return p;
}

std::vector<std::string> codes(const Position& p) {
    std::vector<std::string> out;
    for (const MovementEntry& e : p.movementList) out.push_back(e.code);
    return out;
}

int indexOf(const Position& p, const std::string& code) {
    for (int i = 0; i < static_cast<int>(p.movementList.size()); ++i)
        if (p.movementList[i].code == code) return i;
    return -1;
}

// Enter, pick the entry with `code` (or none for ""), leave.
void choose(SignalPlan& p, int k, const std::string& code) {
    movementFocusGained(p, k);
    p.at(k).movementIndex = code.empty() ? -1 : indexOf(p.at(k), code);
    ASSERT_TRUE(code.empty() || p.at(k).movementIndex >= 0) << code << " not offered at " << k;
    movementChosen(p, k);
    movementFocusLost(p, k);
}

const std::vector<std::string> kAll{"NB", "EB", "SB", "WB"};

TEST(MovementPools, ResetBuildsTheFourEntriesOfEachKind) {
    struct Case {
        const char* arrangement;
        int position;
        std::vector<int> pictures;
    };
    const Case cases[] = {
        {tag::kLead, 1, {1, 7, 5, 3}}, {tag::kLead, 2, {2, 8, 6, 4}}, {tag::kLead, 7, {1, 7, 5, 3}},
        {tag::kLag, 1, {2, 8, 6, 4}},  {tag::kLag, 2, {1, 7, 5, 3}},  {tag::kLag, 8, {1, 7, 5, 3}},
    };
    for (const Case& c : cases) {
        SignalPlan p = planFor(c.arrangement);
        EXPECT_EQ(codes(p.at(c.position)), kAll);
        std::vector<int> pictures;
        for (const MovementEntry& e : p.at(c.position).movementList) pictures.push_back(e.picture);
        EXPECT_EQ(pictures, c.pictures) << c.arrangement << " " << c.position;
    }
    SignalPlan none = planFor("");
    for (const Position& pos : none.positions) EXPECT_TRUE(pos.movementList.empty());
}

TEST(MovementPools, ADirectionIsWithdrawnFromItsPoolOnly) {
    SignalPlan lead = planFor(tag::kLead);
    choose(lead, 1, "EB");
    for (int k : {3, 5, 7}) EXPECT_EQ(codes(lead.at(k)), (std::vector<std::string>{"NB", "SB", "WB"})) << k;
    for (int k : {2, 4, 6, 8}) EXPECT_EQ(codes(lead.at(k)), kAll) << k;
    EXPECT_EQ(codes(lead.at(1)), kAll);

    SignalPlan lag = planFor(tag::kLag);
    choose(lag, 1, "NB");
    EXPECT_EQ(lag.at(1).movementList[0].picture, 2);  // a through arrow under "Lag"
    for (int k : {3, 5, 7}) EXPECT_EQ(indexOf(lag.at(k), "NB"), -1) << k;
    for (int k : {2, 4, 6, 8}) EXPECT_EQ(codes(lag.at(k)), kAll) << k;
}

TEST(MovementPools, AChangedChoiceGivesTheOldDirectionBackAtTheEnd) {
    SignalPlan p = planFor(tag::kLead);
    choose(p, 3, "SB");
    choose(p, 3, "WB");
    for (int k : {1, 5, 7}) EXPECT_EQ(codes(p.at(k)), (std::vector<std::string>{"NB", "EB", "SB"})) << k;
    // The picture travels with the direction.
    EXPECT_EQ(p.at(5).movementList.back(), (MovementEntry{"SB", 5}));
}

TEST(MovementPools, WithdrawingKeepsTheOtherPullDownsOwnChoice) {
    SignalPlan p = planFor(tag::kLead);
    choose(p, 5, "WB");
    choose(p, 1, "NB");  // removed before WB in position 5's list
    EXPECT_EQ(p.at(5).movement(), "WB");
}

TEST(MovementPools, ChoosingEnablesTheTimingFieldsAndEmptyingKeepsThem) {
    SignalPlan p = planFor(tag::kLag);
    choose(p, 4, "");
    EXPECT_FALSE(p.at(4).timingEnabled);
    choose(p, 4, "EB");
    EXPECT_TRUE(p.at(4).timingEnabled);
    choose(p, 4, "");
    EXPECT_TRUE(p.at(4).timingEnabled);
    resetMovements(p);
    EXPECT_TRUE(p.at(4).timingEnabled);
    for (const Position& pos : p.positions) {
        EXPECT_EQ(codes(pos), kAll);
        EXPECT_EQ(pos.movement(), "");
    }
}

TEST(MovementPools, LockedPullDownsExchangeNothing) {
    SignalPlan p = planFor(tag::kLead);
    for (Position& pos : p.positions) pos.movementLocked = true;
    p.at(1).movementIndex = 1;  // EB, as an opened file selects it
    p.at(3).movementIndex = 1;
    const SignalPlan before = p;
    for (int k = 1; k <= 8; ++k) {
        movementFocusGained(p, k);
        movementFocusLost(p, k);
    }
    for (int k = 1; k <= 8; ++k) EXPECT_EQ(p.at(k).movementList, before.at(k).movementList) << k;
}

TEST(MovementPools, RandomChoicesNeverAssignADirectionTwiceInAPool) {
    for (unsigned seed = 1; seed <= 30; ++seed) {
        std::mt19937 rng(seed);
        SignalPlan p = planFor(seed % 2 ? tag::kLead : tag::kLag);
        for (int step = 0; step < 50; ++step) {
            const int k = 1 + static_cast<int>(rng() % 8);
            const auto& list = p.at(k).movementList;
            const std::size_t pickAt = rng() % (list.size() + 1);
            choose(p, k, pickAt == list.size() ? "" : list[pickAt].code);
            for (int a = 1; a <= 8; ++a) {
                for (const std::string& d : kAll) {
                    bool chosenElsewhere = false;
                    for (int b = 1; b <= 8; ++b)
                        chosenElsewhere |= b != a && b % 2 == a % 2 && p.at(b).movement() == d;
                    const auto& l = p.at(a).movementList;
                    const auto n = std::count_if(l.begin(), l.end(), [&](const MovementEntry& e) { return e.code == d; });
                    ASSERT_EQ(n, chosenElsewhere ? 0 : 1) << "seed " << seed << " step " << step << " at " << a << " " << d;
                }
            }
        }
    }
}

}  // namespace
}  // namespace tavimo
