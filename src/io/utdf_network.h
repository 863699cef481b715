// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "io/utdf_values.h"
#include "model/window_state.h"

namespace tavimo {

// A whole-network UTDF file: one comma-separated file holding every intersection of a
// network in sections ([Nodes], [Links], [Lanes], [Timeplans], [Phases]), each a table
// of RECORDNAME,INTID,... records. Values are kept as texts with the blanks around them
// dropped; they are converted where they are used.

// One phase column (D1..D16) of the [Phases] section.
struct NetworkPhase {
    std::string brp;  // barrier, ring, position: 112 is barrier 1, ring 1, second
    std::string minGreen, yellow, allRed, walk, dontWalk;
    std::string start, end;  // the split on the master clock
    std::string yield;       // the force-off on the master clock
    std::string localYield;
};

// D1..D16 of one intersection. Most nodes of a network are no signals and have no
// [Phases] record: their table holds nothing, and every phase of it reads as empty.
class NetworkPhases {
public:
    const NetworkPhase& operator[](std::size_t index) const { return index < table_.size() ? table_[index] : kNone; }
    // Sets one value of the phase at index 0..15. The table grows only as far as the
    // last phase with a value: most signals use eight of the sixteen columns.
    void set(std::size_t index, std::string NetworkPhase::*member, std::string_view value) {
        if (index >= table_.size()) {
            if (value.empty()) return;
            table_.resize(index + 1);
        }
        table_[index].*member = std::string(value);
    }

private:
    static inline const NetworkPhase kNone{};
    std::vector<NetworkPhase> table_;
};

// One lane group of the [Lanes] section ("NBL", "SBT", "NEL", "SBR2") and the
// protected phase that serves it ("Phase1").
// A phase serving a lane group: its first protected phase (the record Phase1), a
// further protected one (Phase2 to Phase4) or a permitted one (PermPhase1 to 4).
struct NetworkLaneGroup {
    enum class Served { First, AlsoProtected, Permitted };
    std::string name;
    std::string phase;
    Served served = Served::First;
};

// The compass directions of the [Links] columns: the way a link runs where it arrives.
enum class LinkHeading : std::uint8_t { NB, SB, EB, WB, NE, NW, SE, SW };

// "NB" for LinkHeading::NB, and so on.
std::string_view headingName(LinkHeading heading);

// One approach of an intersection in [Links]: the link from the node "Up ID" to this
// one, arriving in the direction of its column. The figures are read as numbers (a '*'
// the export writes before a value set by hand is dropped); NaN where the file gives
// none or no number. Feet and mph, or metres and km/h where the network is metric.
// Kept to 24 bytes: a large network holds a hundred thousand of them.
struct NetworkLink {
    static constexpr float kNone = std::numeric_limits<float>::quiet_NaN();
    long long upNode = -1;  // INTID of the node the link comes from, -1: none
    float distance = kNone, speed = kNone;
    float time = kNone;     // the export's own travel time, in seconds
    std::int16_t nameIndex = -1;  // its street's name in streetNames, -1: none
    LinkHeading heading = LinkHeading::NB;
};

struct NetworkIntersection {
    std::string id;  // INTID as written
    long long number = 0;

    bool hasTimeplan = false;  // a [Timeplans] record names it
    std::string controlType, cycleLength, referencedTo, referencePhase, offset;

    bool hasPhases = false;  // a [Phases] record names it
    NetworkPhases phases;  // D1..D16 at index 0..15

    std::vector<NetworkLaneGroup> laneGroups;
    std::vector<std::string> streetNames;  // [Links] "Name" of each approach, column order
    std::vector<NetworkLink> links;        // [Links] approaches, in the order first met

    // The street name of one of its links; empty where the file gives none.
    std::string_view nameOf(const NetworkLink& link) const {
        return link.nameIndex >= 0 ? std::string_view(streetNames[static_cast<std::size_t>(link.nameIndex)])
                                   : std::string_view();
    }
    std::string nodeDescription;           // [Nodes] DESCRIPTION
};

struct UtdfNetwork {
    std::vector<NetworkIntersection> intersections;  // in INTID order
    std::string metric;  // [Network] Metric as written: "0" for feet and mph, else metres and km/h

    const NetworkIntersection* find(const std::string& id) const;
};

// Reads the text of a combined UTDF file, Windows-1252 or UTF-8. Fails, naming
// `fileName` and the line, on UTF-16 text, on a file without a [Phases] section, on a
// line of more than 512 fields or with a field of more than 1024 bytes, on more than
// 100000 nodes or 10000 signals, and on a
// record it uses (and any [Nodes] line) that is shorter than its heading line or than
// its name, INTID and value, has no INTID or an INTID that is not a whole number,
// repeats a record of its INTID, or writes an INTID another way than before ("007"
// after "7"). Unknown sections and records are skipped; lines may end in CR LF, LF or CR.
std::variant<UtdfNetwork, UtdfError> parseUtdfNetwork(std::string_view text, const std::string& fileName);

// Reads the file at `path` whole and then parses it.
std::variant<UtdfNetwork, UtdfError> readUtdfNetwork(const std::string& path);

// ---- Placing an intersection on the two-ring grid ----------------------------------

// The controller's way of counting: "Referenced To" 1 (local zero at the first
// coordinated yellow) is how a Type 170 counts; every other reference is NEMA TS2's.
std::string defaultControllerOf(const NetworkIntersection& intersection);

// "3" gives "actuated-coordinated", "0" "pretimed", and so on; other texts as written.
std::string controlTypeName(const std::string& controlType);

// Where each phase of an intersection stands on the grid, or why it cannot stand there.
struct NetworkPlacement {
    std::string arrangement;          // "Lead" or "Lag"
    std::array<int, 8> phaseAt{};     // phase number at position 1..8 (index 0..7), 0: none
    std::array<int, 2> coordinated{}; // the coordinated phase of ring 1 and ring 2, 0: none
    float cycle = 0;
};

std::variant<NetworkPlacement, std::string> placeIntersection(const NetworkIntersection& intersection);

// Why the [Timeplans] values besides the cycle length are not what they stand for (an
// Offset, Referenced To, Control Type or Reference Phase that is no number); nothing
// when they are.
std::optional<std::string> timeplanProblemOf(const NetworkIntersection& intersection);

// Why a plan that can be placed is still not what Tavimo times (the plan is not
// actuated-coordinated); nothing for an actuated-coordinated plan. Such a plan can be
// imported all the same once the user has been told.
std::optional<std::string> notCoordinatedReason(const NetworkIntersection& intersection);

// "2: Hickory Valley Rd. & Shallowford Rd.": the number and at most two distinct street
// names of its approaches, else the node's description, else the number alone.
std::string networkDescription(const NetworkIntersection& intersection);

// ---- Agreement of the calculated force-offs with the file's own ---------------------

struct NetworkAgreement {
    bool agrees = false;
    // The file's force-off of the phase at each position, counted from the chosen
    // controller's local zero; empty at an empty position.
    std::array<std::string, 8> fileForceOff;
    // "Force-offs agree with the UTDF file", or the differences.
    std::string line;
    // Placed phases the file gives no Yield for (a file cut short): their force-offs
    // could not be compared, so the verdict was not reached.
    std::vector<int> withoutYield;
};

// Compares the calculated force-off of each position (index 0..7) of the placed
// intersection with the file's Yield of its phase, counted from the local zero of
// the controller it was calculated for, modulo the cycle, to 0.05 s.
NetworkAgreement agreementWith(const NetworkIntersection& intersection, const NetworkPlacement& placed,
                               const std::array<std::optional<float>, 8>& forceOff, bool type170);

// The same comparison for a plan of any ring-barrier structure, phase by phase. The
// local zero comes from the plan's own coordinated phases: the Start of the first to
// turn green (NEMA TS2) or the Yield of the first to turn yellow (Type 170).
struct PlanAgreement {
    bool agrees = false;
    std::vector<std::string> fileForceOff;  // one per phase compared, in the order given
    std::string line;
    std::vector<int> withoutYield;
};

// `forceOff` is each running phase's number and calculated force-off.
PlanAgreement planAgreementWith(const NetworkIntersection& intersection, const std::vector<int>& coordinated,
                                float cycle, const std::vector<std::pair<int, float>>& forceOff, bool type170);

}  // namespace tavimo
