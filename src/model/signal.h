// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/coordination_plan.h"

namespace tavimo {

// The signal an engineer times, as values: what the calculation, the checks and the
// outputs read. The timing window's record (SignalPlan) is one way to hold it; its
// eight positions are one view of the ring-barrier structure below.

enum class Controller { NemaTs2, Type170 };
enum class SignalMode { Permissive, Yield };
// A window that holds no signal yet has no arrangement; it is timed as no left turns
// lead.
enum class Arrangement { None, DualLead, DualLag };

enum class Approach { None, NB, EB, SB, WB };

// The movement a phase serves: its approach and whether it is the left turn.
struct Movement {
    Approach approach = Approach::None;
    bool leftTurn = false;
};

// The times that make a phase run. All four are given together: a phase without a
// split is not timed at all.
struct PhaseTiming {
    float split = 0, minGreen = 0, amber = 0, allRed = 0;
};

struct SignalPhase {
    int number = 0;  // 1..16; 0 where a record holds a text that is no phase number
    Movement movement;
    std::optional<PhaseTiming> timing;
    std::optional<float> walk, flashDontWalk;  // where given
    // Its place on the timing window's grid, 1..8 (1-4 ring 1, 5-8 ring 2, 1, 2, 5, 6
    // before the middle barrier); 0 for a phase the eight positions cannot hold.
    int position = 0;
};

// The phases one ring runs between two barriers, in running order.
struct RingBarrier {
    int ring = 1;     // 1 or 2
    int barrier = 1;  // as the plan numbers them, from 1
    std::vector<int> phases;
};

// The cycle length as a number, with the text it was typed as for display. A text
// that is no number has no seconds.
struct CycleLength {
    std::string text;
    std::optional<float> seconds;
};

// Where the controller's local zero stands against the master clock: the offset's
// reference (OffsetReference) is the one coordination works with.
struct Offset {
    float seconds = 0;
    OffsetReference reference = OffsetReference::Ts2;
};

struct Signal {
    std::string description;
    std::string createdBy;                // who started it, as typed; empty where nobody said
    CycleLength cycle;
    Controller controller = Controller::NemaTs2;
    SignalMode mode = SignalMode::Permissive;
    Arrangement arrangement = Arrangement::None;
    std::vector<SignalPhase> phases;      // in position order when they stand on the grid
    std::vector<RingBarrier> sequence;    // ring by ring, barrier by barrier
    std::vector<int> coordinated;         // one or two phase numbers
    std::optional<Offset> offset;         // none until a file or dialog gives one

    // The phase standing at a position of the grid, or none.
    const SignalPhase* atPosition(int position) const;
    // The phase of a number, or none.
    const SignalPhase* phase(int number) const;
};

// The controller as engineers name it ("NEMA TS2", "Type 170") and the mode as the
// window's pull-down reads ("Permissive", "Yield").
const char* controllerName(Controller controller);
const char* modeName(SignalMode mode);

// The ring-barrier structure of the eight positions: each ring runs the positions of
// a barrier in order (1 before 2, 3 before 4); only positions that hold a phase count.
std::vector<RingBarrier> gridSequence(const std::vector<SignalPhase>& phases);

// The coordinated phases of the grid: those at positions 2 and 6 under Dual Lead, 1
// and 5 otherwise, where a phase stands there.
std::vector<int> gridCoordinated(const std::vector<SignalPhase>& phases, Arrangement arrangement);

// Equal values, field by field: what a file read back must give.
bool operator==(const Movement& a, const Movement& b);
bool operator==(const PhaseTiming& a, const PhaseTiming& b);
bool operator==(const SignalPhase& a, const SignalPhase& b);
bool operator==(const RingBarrier& a, const RingBarrier& b);
bool operator==(const CycleLength& a, const CycleLength& b);
bool operator==(const Offset& a, const Offset& b);
bool operator==(const Signal& a, const Signal& b);
inline bool operator!=(const Signal& a, const Signal& b) { return !(a == b); }

}  // namespace tavimo
