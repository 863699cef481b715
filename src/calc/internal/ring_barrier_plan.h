// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <vector>

#include "calc/plan_calculation.h"
#include "model/signal.h"

// The running phases of a ring-barrier plan on their rings' clocks, as the timing of
// any plan works on them.
namespace tavimo::ringbarrier {

// Splits with tenths, summed in single precision, can miss a cycle with tenths by a
// rounding, so a difference below a millisecond is none.
constexpr float kTolerance = 0.001f;

// Into the cycle by one cycle either way.
inline float intoCycle(float value, float cycle) {
    if (value > cycle) return value - cycle;
    if (value < 0) return value + cycle;
    return value;
}

struct Running {
    int number = 0;
    int position = 0;  // on the timing window's grid, 0 off it
    int ring = 0;      // 0 or 1
    int barrier = 0;
    float s = 0, g = 0, c = 0;  // split, min green, clearance
    bool coordinated = false;
    float end = 0;          // end of the split on the ring's clock
    float rawForceOff = 0;  // before it is brought into the cycle
    float nemaForceOff = 0;
    float forceOff = 0;
    float broughtBy = 0;  // what was added to bring the force-off into the cycle
    int before = -1;      // the phase whose clearance leads into this one
    float moved = 0;      // the NEMA force-off counted from the controller's local zero
    bool tenths = false;  // its results kept to tenths once moved
    std::optional<float> ownStart, ownEnd, start, finish;
};

// The plan's running phases by ring and barrier, and what the timing finds on them.
struct Plan {
    std::vector<Running> phases;  // ring by ring, barrier by barrier, in running order
    std::vector<int> barriers;    // as numbered, ascending
    // Indexes into phases of each ring's phases in a barrier (by its index in barriers).
    std::vector<std::vector<int>> lanes[2];

    const std::vector<int>& at(int ring, std::size_t barrier) const { return lanes[ring][barrier]; }
    Running& operator[](int i) { return phases[static_cast<std::size_t>(i)]; }
    const Running& operator[](int i) const { return phases[static_cast<std::size_t>(i)]; }
    std::size_t barrierCount() const { return barriers.size(); }
};

// The plan's running phases (timed, with a split above 0) in rings and barriers.
Plan collect(const Signal& signal);

// The ring totals count every timed phase, as its split is typed; the ring cycle is
// the longer, or longer still where a ring waits in a barrier it runs nothing in.
void sumRings(const Signal& signal, const Plan& plan, PlanCalculation& out);

// Puts every phase on its ring's clock, the start of the first coordinated green at
// 0; true where the rings start together at the coordinated barrier (`home`).
bool placePhases(Plan& plan, std::size_t home, float cycle);

// The phase whose clearance leads into each one.
void findPhasesBefore(Plan& plan);

// Rings that do not reach a barrier together.
void checkBarriers(const Plan& plan, PlanCalculation& out);

// The end of a phase's window as its own timing gives it (NEMA TS2, before it is
// brought into the cycle): its force-off less its minimum green and the clearance of
// the phase before it (q). And whether a phase's force-off is taken from the cycle's
// end.
struct WindowEnd {
    const Plan& plan;
    std::size_t home;
    bool startTogether;
    float C;

    bool endsCycle(const Running& p) const;
    float operator()(const Running& p, const Running& q) const;

    static bool atFourth(const Running& p) { return p.position > 0 && p.position % 4 == 0; }

private:
    std::size_t elsewhere(int ring) const;
    bool leadsCoordinated(const Running& p) const;
    bool aloneWithCoordinated(int ring) const;
    bool closesRing(const Running& p) const;
};

// Concurrent phases of the two rings share their windows.
void joinRings(Plan& plan);

}  // namespace tavimo::ringbarrier
