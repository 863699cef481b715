// SPDX-License-Identifier: MIT
// One intersection of a network file as a signal in a blank timing window: the phases
// placed on the grid, their times, the header, the locks, ready to calculate.
#include "io/network_corridor.h"
#include "io/network_signal.h"
#include "io/signal_arrival.h"
#include "io/utdf_network.h"
#include "model/form_reset.h"
#include "model/number_text.h"

#include "utdf_text.h"

namespace tavimo {

namespace {

bool isApproach(const std::string& name) {
    const std::string approach = name.substr(0, 2);
    return approach == "NB" || approach == "EB" || approach == "SB" || approach == "WB";
}

// The approach of the lane group the phase serves: first where it is the group's first
// protected phase, else a further protected phase (a lane group run by two phases, as a
// through movement timed with its left turn), else a permitted one. Among those, the lane
// group of the position's kind comes first (a left turn at a left-turn position, a
// through or else a right turn at a through position). Diagonal approaches (NE, NW, SE,
// SW) have no place in the movement lists; a phase serving no lane group has none.
std::string movementOf(const NetworkIntersection& x, int phase, bool leftTurnPosition) {
    using Served = NetworkLaneGroup::Served;
    const auto pick = [&](Served served, const char* kinds) -> std::string {
        for (const char* kind = kinds; *kind; ++kind)
            for (const NetworkLaneGroup& group : x.laneGroups)
                if (group.served == served && isApproach(group.name) && group.name.size() >= 3 &&
                    (*kind == '*' || group.name[2] == *kind) && parseNumber(group.phase) == static_cast<float>(phase))
                    return group.name.substr(0, 2);
        return {};
    };
    for (Served served : {Served::First, Served::AlsoProtected, Served::Permitted}) {
        std::string movement = pick(served, leftTurnPosition ? "L*" : "TR*");
        if (!movement.empty()) return movement;
    }
    return {};
}

// Why `movementOf` found nothing for the phase: the lane groups it serves are all on
// diagonal approaches, or none names it.
std::string missingMovementNote(const NetworkIntersection& x, int phase) {
    std::string diagonal;
    for (const NetworkLaneGroup& group : x.laneGroups)
        if (parseNumber(group.phase) == static_cast<float>(phase) && diagonal.find(group.name) == std::string::npos)
            diagonal += (diagonal.empty() ? "" : ", ") + group.name;
    const std::string which = "Phase " + std::to_string(phase);
    if (diagonal.empty()) return which + " serves no lane group of the file (a pedestrian phase, or a phase kept free)";
    return which + " serves " + diagonal + " only, which the list of movements (NB, SB, EB, WB) does not hold";
}

// A time of the file as the window's text: "4.0" gives "4", blank stays empty.
std::optional<std::string> timeText(const std::string& value) {
    if (isBlank(value)) return std::string();
    return utdf::numberText(value);
}

}  // namespace

std::string networkDescription(const NetworkIntersection& x) {
    // Approaches often carry the same street twice, once shortened ("Hickory Valley"
    // beside "Hickory Valley Rd."): a name that begins another one is the same street.
    std::vector<std::string> streets;
    for (const std::string& name : x.streetNames) {
        bool known = false;
        for (std::string& street : streets) {
            if (street.compare(0, name.size(), name) == 0) known = true;
            else if (name.compare(0, street.size(), street) == 0) street = name, known = true;
            if (known) break;
        }
        if (!known) streets.push_back(name);
    }
    std::string names;
    for (std::size_t i = 0; i < streets.size() && i < 2; ++i) names += (i ? " & " : "") + streets[i];
    if (names.empty()) names = x.nodeDescription;
    return names.empty() ? x.id : x.id + ": " + names;
}

std::variant<WindowState, std::string> networkSignal(const NetworkStanding& standing, const std::string& controller,
                                                     const std::string& mode) {
    if (!standing.placement) return standing.unplacedReason;
    const NetworkIntersection& x = *standing.intersection;
    const NetworkPlacement& placed = *standing.placement;

    WindowState state = WindowState::fresh();
    SignalPlan& plan = state.plan;
    for (int k = 1; k <= kPositions; ++k) {
        Position& at = plan.at(k);
        at.movementList = movementListFor(placed.arrangement, k);
        const int n = placed.phaseAt[k - 1];
        if (n == 0) continue;
        const NetworkPhase& p = x.phases[n - 1];
        const std::pair<const char*, const std::string*> times[] = {
            {"MinGreen", &p.minGreen}, {"Yellow", &p.yellow}, {"AllRed", &p.allRed},
            {"Walk", &p.walk},         {"DontWalk", &p.dontWalk}};
        std::array<std::string, 5> texts;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const auto text = timeText(*times[i].second);
            if (!text) return "phase " + std::to_string(n) + " has the " + times[i].first + " " +
                              utdf::quoted(*times[i].second) + ", not a time";
            texts[i] = *text;
        }
        float split = *parseNumber(p.end) - *parseNumber(p.start);
        if (split < 0) split = split + placed.cycle;
        at.phase = std::to_string(n);
        at.split = formatNumber(split);
        at.green = texts[0];
        at.amber = texts[1];
        at.red = texts[2];
        at.walk = texts[3];
        at.flash = texts[4];
        at.movementIndex = directionIndex(movementOf(x, n, isLeftTurnPosition(placed.arrangement, k)));
        if (at.movementIndex < 0) at.movementNote = missingMovementNote(x, n);
        // The movement is only a label here: every placed phase is timed, so the
        // calculation's phase check sees a split field for every phase.
        at.timingEnabled = true;
    }
    for (Position& at : plan.positions) at.phaseLocked = at.movementLocked = true;

    plan.setController(controller == tag::kNema ? tag::kNema : tag::kType170, SignalPlan::NemaShown::AsFiled);
    plan.mode = mode == tag::kYield ? tag::kYield : tag::kPermissive;
    plan.setCycleLength(formatNumber(placed.cycle));
    plan.description = networkDescription(x);
    plan.offset = fileOffsetOf(x);
    for (int phase : placed.coordinated)
        if (phase > 0) plan.coordinatedByFile.push_back(phase);
    plan.arrangement = placed.arrangement;
    if (placed.arrangement == tag::kLag) applyLagWindowLayout(state.chart);
    placePhasePictures(state);
    return state;
}

}  // namespace tavimo
