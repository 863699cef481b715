// SPDX-License-Identifier: MIT
#include "model/movement_pools.h"

#include <algorithm>

namespace tavimo {

namespace {

// The other positions of the pool of `position`, in increasing order.
template <class F>
void forRestOfPool(SignalPlan& plan, int position, F&& f) {
    for (int k = 1; k <= kPositions; ++k)
        if (k != position && k % 2 == position % 2) f(plan.at(k));
}

}  // namespace

void resetMovements(SignalPlan& plan) {
    for (Position& p : plan.positions) {
        p.movementList.clear();
        p.movementIndex = -1;
    }
    for (int k = 1; k <= kPositions; ++k) plan.at(k).movementList = movementListFor(plan.arrangement, k);
}

void movementFocusGained(SignalPlan& plan, int position) {
    const Position& here = plan.at(position);
    if (here.movement().empty() || here.movementLocked) return;
    const MovementEntry released = here.movementList[here.movementIndex];
    forRestOfPool(plan, position, [&](Position& other) { other.movementList.push_back(released); });
}

void movementFocusLost(SignalPlan& plan, int position) {
    const Position& here = plan.at(position);
    const std::string taken = here.movement();
    if (taken.empty() || here.movementLocked) return;
    forRestOfPool(plan, position, [&](Position& other) {
        auto& list = other.movementList;
        auto found = std::find_if(list.begin(), list.end(),
                                  [&](const MovementEntry& e) { return e.code == taken; });
        // A list that no longer offers the direction has nothing to give up.
        if (found == list.end()) return;
        const int index = static_cast<int>(found - list.begin());
        list.erase(found);
        // The other pull-down keeps its own choice when an entry before it goes.
        if (other.movementIndex == index) other.movementIndex = -1;
        else if (other.movementIndex > index) --other.movementIndex;
    });
}

void movementChosen(SignalPlan& plan, int position) {
    Position& here = plan.at(position);
    if (!here.movement().empty()) here.timingEnabled = true;
}

}  // namespace tavimo
