// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

namespace tavimo {

// What progression along a street needs of one signal's timing: each phase's green
// on the master clock (the zero all signals of a corridor share), where it runs, and
// the coordinated phases. A plan read from a network file gives these directly; a
// plan Tavimo calculates gives them from the splits, the offset and the reference.
struct CoordinationPhase {
    int number = 0;     // 1..16
    int barrier = 0;    // of the phase's barrier, ring and position
    int ring = 0;
    int position = 0;   // running order inside its ring and barrier
    double start = 0;   // start of green, seconds on the master clock
    double yield = 0;   // start of yellow: the end of green
    double yellow = 0;
    double dontWalk = 0;  // flashing don't walk; 0 where the phase has no pedestrian timing
};

struct CoordinationPlan {
    double cycle = 0;
    std::vector<CoordinationPhase> phases;  // the phases in use
    std::vector<int> coordinated;           // the coordinated phase of each ring: one or two
};

// The points of a plan a controller's offset can be counted to. The numbers are the
// [Timeplans] "Referenced To" codes of network files.
enum class OffsetReference { LastGreen = 0, Type170 = 1, Red = 2, Ts2 = 3, FlashingDontWalk = 4 };

}  // namespace tavimo
