// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calc/coordination.h"
#include "model/corridor_route.h"
#include "model/signal.h"

namespace tavimo {

// A permissive window of one phase in the controller's local time, where a call of
// that phase can still be served.
struct LocalWindow {
    int phase = 0;
    double start = 0, end = 0;
};

// The windows of the phases outside the coordinated barrier, from the calculation of
// the signal's typed plan, and where its local zero stands after the start of the
// first coordinated green (0 under NEMA TS2, the coordinated green under Type 170).
// Nothing where the plan cannot be calculated.
struct SideStreetWindows {
    std::vector<LocalWindow> windows;
    double localZeroAfterTs2 = 0;
};
std::optional<SideStreetWindows> sideStreetWindowsOf(const Signal& signal);

// A corridor as the diagram works on it: both directions of travel along the same
// signals (the way back in reverse order, each with its own plan copy) and the side
// street's windows of each signal, by its place on the way there.
struct Corridor {
    std::string street;
    CorridorRoute there, back;
    std::vector<std::optional<SideStreetWindows>> windows;
};

// The plan of the signal at `index` on the way there (the same on the way back).
const CoordinationPlan* planAt(const Corridor& corridor, std::size_t index);

// Sets the offset of the signal at `index` (on the way there) in `reference`, for
// both directions: what a new offset keyed into its controller does. False, with
// nothing changed, where the signal has no plan or no such point.
bool setOffset(Corridor& corridor, std::size_t index, OffsetReference reference, double seconds);

// One colour of a through phase along the master clock.
enum class Aspect { Green, Yellow, Red };
struct AspectSpan {
    Aspect aspect = Aspect::Green;
    double start = 0, end = 0;
};

// A point of the band's edge: a time on the master clock at a distance along the route.
struct TimeDistance {
    double time = 0, distance = 0;
};

// One strip of a band: traffic leaving the first signal from `lower.front().time`
// until `upper.front().time`, driving at the link speeds; both edges give a point at
// each node driven.
struct BandStrip {
    std::vector<TimeDistance> lower, upper;
};

struct DiagramSignal {
    std::string id;
    double distance = 0;  // along the way there, from its first signal
    std::optional<ReferencePoints> offsets;
    // The through phase's colours in each direction (0 there, 1 back) over the span;
    // empty where the signal has no plan or through phase that way.
    std::vector<AspectSpan> through[2];
    std::optional<int> throughPhase[2];
    std::optional<GreenInterval> throughGreen[2];  // within its cycle, as the plan gives it
    // The side street's permissive windows on the master clock, over the span.
    std::vector<LocalWindow> windows;
};

struct DiagramBand {
    std::string from, to;
    Band band;
    std::vector<BandStrip> strips;  // one per cycle the span shows; none without a band or of 0 s
};

// The time-space diagram: distance along the route one way, the master clock over
// `cycles` cycles the other.
struct TimeSpaceDiagram {
    std::string street;
    bool metric = false;
    double cycle = 0;  // 0 where the signals' cycles differ
    double span = 0;   // seconds shown, from 0
    double length = 0; // from the first signal to the last
    std::vector<DiagramSignal> signals;  // in order along the way there
    DiagramBand bands[2];
};

TimeSpaceDiagram timeSpaceDiagram(const Corridor& corridor, int cycles = 2);

}  // namespace tavimo
