// SPDX-License-Identifier: MIT
#include "model/movement_pools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace tavimo {
namespace {

using Codes = std::vector<std::string>;

SignalPlan planFor(const char* arrangement) {
    SignalPlan p;
    p.arrangement = arrangement;
    resetMovements(p);
    return p;
}

Codes codes(const Position& p) {
    Codes out;
    for (const MovementEntry& e : p.movementList) out.push_back(e.code);
    return out;
}

// Enter, pick the entry with `code` (none for ""), leave.
void choose(SignalPlan& p, int k, const std::string& code) {
    movementFocusGained(p, k);
    const Codes list = codes(p.at(k));
    const auto found = std::find(list.begin(), list.end(), code);
    p.at(k).movementIndex = found == list.end() ? -1 : static_cast<int>(found - list.begin());
    movementChosen(p, k);
    movementFocusLost(p, k);
}

const Codes kAll{"NB", "EB", "SB", "WB"};

TEST(MovementPools, ResetBuildsTheFourEntriesOfEachKind) {
    const std::tuple<const char*, int, std::vector<int>> cases[] = {
        {tag::kLead, 1, {1, 7, 5, 3}}, {tag::kLead, 2, {2, 8, 6, 4}}, {tag::kLag, 1, {2, 8, 6, 4}},
        {tag::kLag, 8, {1, 7, 5, 3}},  {"", 1, {}},
    };
    for (const auto& [arrangement, position, pictures] : cases) {
        SignalPlan p = planFor(arrangement);
        p.at(position).movementIndex = 2;
        resetMovements(p);
        std::vector<int> shown;
        for (const MovementEntry& e : p.at(position).movementList) shown.push_back(e.picture);
        EXPECT_EQ(shown, pictures) << arrangement << " " << position;
        EXPECT_EQ(codes(p.at(position)), pictures.empty() ? Codes{} : kAll);
        EXPECT_EQ(p.at(position).movement(), "");
    }
}

TEST(MovementPools, ChangingAChoiceGivesTheOldDirectionBackAtTheEnd) {
    SignalPlan p = planFor(tag::kLead);
    choose(p, 5, "WB");
    choose(p, 3, "SB");  // withdrawn before WB in position 5's list: 5 keeps its choice
    choose(p, 3, "NB");
    EXPECT_EQ(p.at(5).movement(), "WB");
    EXPECT_EQ(p.at(3).movement(), "NB");
    EXPECT_EQ(codes(p.at(1)), (Codes{"EB", "SB"}));
    EXPECT_EQ(p.at(7).movementList.back(), (MovementEntry{"SB", 5}));  // the picture goes along
    for (int k : {2, 4, 6, 8}) EXPECT_EQ(codes(p.at(k)), kAll) << k;

    // Choosing enables the timing fields; emptying or rebuilding disables nothing.
    EXPECT_FALSE(p.at(4).timingEnabled);
    choose(p, 4, "EB");
    choose(p, 4, "");
    resetMovements(p);
    EXPECT_TRUE(p.at(4).timingEnabled);
}

TEST(MovementPools, LockedPullDownsExchangeNothing) {
    SignalPlan p = planFor(tag::kLead);
    for (Position& pos : p.positions) {
        pos.movementLocked = true;
        pos.movementIndex = 1;  // EB everywhere, as an opened file may select it
    }
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
            const Codes list = codes(p.at(k));
            const std::size_t at = rng() % (list.size() + 1);
            choose(p, k, at == list.size() ? "" : list[at]);
            // A direction is offered once by every pull-down of the pool but the one
            // holding it, and by none of them twice.
            for (int a = 1; a <= 8; ++a)
                for (const std::string& d : kAll) {
                    bool elsewhere = false;
                    for (int b = a % 2 ? 1 : 2; b <= 8; b += 2) elsewhere |= b != a && p.at(b).movement() == d;
                    const Codes l = codes(p.at(a));
                    ASSERT_EQ(std::count(l.begin(), l.end(), d), elsewhere ? 0 : 1)
                        << "seed " << seed << " step " << step << " at " << a << " " << d;
                }
        }
    }
}

}  // namespace
}  // namespace tavimo
