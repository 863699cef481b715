// SPDX-License-Identifier: MIT
// A project's text read and checked whole: every field where it belongs, of its type
// and in its range, before one signal is handed on. The first fault found is told
// with its JSON pointer.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <set>

#include "io/plan_project.h"
#include "model/number_text.h"

#include "plan_project_names.h"

namespace tavimo {

namespace {

using Json = nlohmann::json;
using namespace planproject;

struct Fault {
    std::string what;
};

[[noreturn]] void fail(const std::string& path, const std::string& what) {
    throw Fault{(path.empty() ? "the file" : path) + " " + what};
}

// An object holding exactly these fields: a missing one is a fault, and so is one
// this version does not know, which would be dropped when the file is saved again.
// Those in `optional` may be left out.
const Json& object(const Json& j, const std::string& path, std::initializer_list<const char*> fields,
                   std::initializer_list<const char*> optional = {}) {
    if (!j.is_object()) fail(path, "must be an object");
    for (const char* field : fields)
        if (!j.contains(field)) fail(path, std::string("has no \"") + field + "\"");
    const auto among = [](std::initializer_list<const char*> names, const std::string& key) {
        return std::any_of(names.begin(), names.end(), [&](const char* f) { return key == f; });
    };
    for (const auto& item : j.items())
        if (!among(fields, item.key()) && !among(optional, item.key()))
            fail(path, "has the unknown field \"" + item.key() + "\"");
    return j;
}

const Json& list(const Json& j, const std::string& path) {
    if (!j.is_array()) fail(path, "must be a list");
    return j;
}

std::string text(const Json& j, const std::string& path) {
    if (!j.is_string()) fail(path, "must be a text");
    return j.get<std::string>();
}

int whole(const Json& j, const std::string& path, int lowest, int highest, const char* what) {
    if (!j.is_number_integer()) fail(path, "must be a whole number");
    // Whole numbers from 0 up are read unsigned, those below as signed.
    const bool inRange = j.is_number_unsigned()
                             ? j.get<std::uint64_t>() >= static_cast<std::uint64_t>(lowest) &&
                                   j.get<std::uint64_t>() <= static_cast<std::uint64_t>(highest)
                             : j.get<std::int64_t>() >= lowest && j.get<std::int64_t>() <= highest;
    if (!inRange) fail(path, "is " + j.dump() + ", not " + what);
    return j.get<int>();
}

// A time reads as the window reads its text: the nearest double, then the nearest
// single-precision value.
float time(const Json& j, const std::string& path) {
    if (!j.is_number()) fail(path, "must be a number");
    const double d = j.get<double>();
    // Checked before it is narrowed: a double beyond single precision has no float.
    const bool inRange = d >= 0 && d < kLargestTime && isTimeInRange(static_cast<float>(d));
    if (!inRange) fail(path, "is " + j.dump() + ", not a time of 0 or more below " + formatNumber(kLargestTime) + " s");
    return static_cast<float>(d);
}

std::optional<float> optionalTime(const Json& j, const std::string& path) {
    if (j.is_null()) return std::nullopt;
    return time(j, path);
}

bool flag(const Json& j, const std::string& path) {
    if (!j.is_boolean()) fail(path, "must be true or false");
    return j.get<bool>();
}

template <typename E, std::size_t N>
E choice(const Names<E, N>& names, const Json& j, const std::string& path) {
    const std::string word = text(j, path);
    std::string known;
    for (const auto& [value, name] : names) {
        if (word == name) return value;
        known += (known.empty() ? "\"" : ", \"") + std::string(name) + "\"";
    }
    fail(path, "is \"" + word + "\", not one of " + known);
}

SignalPhase readPhase(const Json& j, const std::string& path) {
    object(j, path, {"number", "movement", "timing", "walk", "flash_dont_walk", "position"});
    SignalPhase p;
    p.number = whole(j["number"], path + "/number", 1, 16, "a phase number 1 to 16");
    const Json& movement = object(j["movement"], path + "/movement", {"approach", "left_turn"});
    p.movement.approach = choice(kApproaches, movement["approach"], path + "/movement/approach");
    p.movement.leftTurn = flag(movement["left_turn"], path + "/movement/left_turn");
    if (const Json& timing = j["timing"]; !timing.is_null()) {
        const std::string at = path + "/timing";
        object(timing, at, {"split", "min_green", "amber", "all_red"});
        p.timing = PhaseTiming{time(timing["split"], at + "/split"), time(timing["min_green"], at + "/min_green"),
                               time(timing["amber"], at + "/amber"), time(timing["all_red"], at + "/all_red")};
    }
    p.walk = optionalTime(j["walk"], path + "/walk");
    p.flashDontWalk = optionalTime(j["flash_dont_walk"], path + "/flash_dont_walk");
    p.position = whole(j["position"], path + "/position", 0, 8, "a position 1 to 8, or 0 off the grid");
    return p;
}

// A phase number that must name one of the signal's phases.
int phaseOf(const Signal& s, const Json& j, const std::string& path) {
    const int number = whole(j, path, 1, 16, "a phase number 1 to 16");
    if (!s.phase(number)) fail(path, "is phase " + std::to_string(number) + ", which is not among the phases");
    return number;
}

Signal readSignal(const Json& j, const std::string& path) {
    object(j, path,
           {"description", "cycle", "controller", "mode", "arrangement", "phases", "sequence", "coordinated", "offset"},
           {"created_by"});
    Signal s;
    s.description = text(j["description"], path + "/description");
    if (j.contains("created_by")) s.createdBy = text(j["created_by"], path + "/created_by");
    s.cycle.text = text(j["cycle"], path + "/cycle");
    // A cycle typed as no number is kept as typed; the calculation asks for one.
    s.cycle.seconds = parseNumber(s.cycle.text);
    if (s.cycle.seconds && !(*s.cycle.seconds >= 0 && isTimeInRange(*s.cycle.seconds)))
        fail(path + "/cycle", "is \"" + s.cycle.text + "\", not a cycle length of 0 or more");
    s.controller = choice(kControllers, j["controller"], path + "/controller");
    s.mode = choice(kModes, j["mode"], path + "/mode");
    s.arrangement = choice(kArrangements, j["arrangement"], path + "/arrangement");

    const Json& phases = list(j["phases"], path + "/phases");
    for (std::size_t i = 0; i < phases.size(); ++i) {
        const std::string at = path + "/phases/" + std::to_string(i);
        SignalPhase p = readPhase(phases[i], at);
        if (s.phase(p.number)) fail(at + "/number", "is phase " + std::to_string(p.number) + " a second time");
        if (p.position != 0 && s.atPosition(p.position))
            fail(at + "/position", "is position " + std::to_string(p.position) + " a second time");
        s.phases.push_back(p);
    }

    const Json& sequence = list(j["sequence"], path + "/sequence");
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        const std::string at = path + "/sequence/" + std::to_string(i);
        object(sequence[i], at, {"ring", "barrier", "phases"});
        RingBarrier rb;
        rb.ring = whole(sequence[i]["ring"], at + "/ring", 1, 2, "ring 1 or 2");
        rb.barrier = whole(sequence[i]["barrier"], at + "/barrier", 1, 16, "a barrier 1 to 16");
        const Json& running = list(sequence[i]["phases"], at + "/phases");
        for (std::size_t k = 0; k < running.size(); ++k)
            rb.phases.push_back(phaseOf(s, running[k], at + "/phases/" + std::to_string(k)));
        s.sequence.push_back(std::move(rb));
    }

    const Json& coordinated = list(j["coordinated"], path + "/coordinated");
    if (coordinated.size() > 2) fail(path + "/coordinated", "holds more than two phases");
    for (std::size_t k = 0; k < coordinated.size(); ++k) {
        const std::string at = path + "/coordinated/" + std::to_string(k);
        const int number = phaseOf(s, coordinated[k], at);
        if (std::find(s.coordinated.begin(), s.coordinated.end(), number) != s.coordinated.end())
            fail(at, "is phase " + std::to_string(number) + " a second time");
        s.coordinated.push_back(number);
    }

    if (const Json& offset = j["offset"]; !offset.is_null()) {
        const std::string at = path + "/offset";
        object(offset, at, {"seconds", "reference"});
        s.offset = Offset{time(offset["seconds"], at + "/seconds"), choice(kReferences, offset["reference"], at + "/reference")};
    }
    return s;
}

// A figure of a route: any finite number, or with `missing` allowed, null (as NaN).
double figure(const Json& j, const std::string& path, bool missing = false) {
    if (missing && j.is_null()) return std::nan("");
    if (!j.is_number() || !std::isfinite(j.get<double>())) fail(path, "must be a number");
    return j.get<double>();
}

double notNegative(const Json& j, const std::string& path) {
    const double value = figure(j, path);
    if (value < 0) fail(path, "is " + j.dump() + ", not 0 or more");
    return value;
}

// A time of a plan on the master clock: 0 or more, and a yield past the cycle's end
// still within two of the longest cycles.
double clockTime(const Json& j, const std::string& path) {
    const double value = notNegative(j, path);
    if (!(value < 2 * double(kLargestTime)))
        fail(path, "is " + j.dump() + ", not a time below " + formatNumber(2 * kLargestTime) + " s");
    return value;
}

CoordinationPlan readPlan(const Json& j, const std::string& path) {
    object(j, path, {"cycle", "coordinated", "phases"});
    CoordinationPlan plan;
    plan.cycle = figure(j["cycle"], path + "/cycle");
    if (!(plan.cycle > 0 && plan.cycle < kLargestTime))
        fail(path + "/cycle", "is " + j["cycle"].dump() + ", not a cycle above 0 below " + formatNumber(kLargestTime) + " s");
    const Json& phases = list(j["phases"], path + "/phases");
    for (std::size_t i = 0; i < phases.size(); ++i) {
        const std::string at = path + "/phases/" + std::to_string(i);
        object(phases[i], at, {"number", "barrier", "ring", "position", "start", "yield", "yellow", "dont_walk"});
        CoordinationPhase p;
        p.number = whole(phases[i]["number"], at + "/number", 1, 16, "a phase number 1 to 16");
        for (const CoordinationPhase& q : plan.phases)
            if (q.number == p.number) fail(at + "/number", "is phase " + std::to_string(p.number) + " a second time");
        p.barrier = whole(phases[i]["barrier"], at + "/barrier", 1, 16, "a barrier 1 to 16");
        p.ring = whole(phases[i]["ring"], at + "/ring", 1, 2, "ring 1 or 2");
        p.position = whole(phases[i]["position"], at + "/position", 0, 16, "a running order 0 to 16");
        p.start = clockTime(phases[i]["start"], at + "/start");
        p.yield = clockTime(phases[i]["yield"], at + "/yield");
        p.yellow = clockTime(phases[i]["yellow"], at + "/yellow");
        p.dontWalk = clockTime(phases[i]["dont_walk"], at + "/dont_walk");
        plan.phases.push_back(p);
    }
    const Json& coordinated = list(j["coordinated"], path + "/coordinated");
    if (coordinated.empty() || coordinated.size() > 2) fail(path + "/coordinated", "must hold one or two phases");
    for (std::size_t k = 0; k < coordinated.size(); ++k) {
        const std::string at = path + "/coordinated/" + std::to_string(k);
        const int number = whole(coordinated[k], at, 1, 16, "a phase number 1 to 16");
        if (std::none_of(plan.phases.begin(), plan.phases.end(), [&](const CoordinationPhase& p) { return p.number == number; }))
            fail(at, "is phase " + std::to_string(number) + ", which is not among the phases");
        plan.coordinated.push_back(number);
    }
    return plan;
}

using LinkIndex = std::vector<RouteLink>;

LinkIndex readLinks(const Json& links) {
    LinkIndex index;
    for (std::size_t i = 0; i < links.size(); ++i) {
        const std::string at = "/links/" + std::to_string(i);
        object(links[i], at, {"from", "to", "heading", "distance", "speed", "time"});
        RouteLink link;
        link.from = text(links[i]["from"], at + "/from");
        link.to = text(links[i]["to"], at + "/to");
        if (link.from.empty() || link.to.empty() || link.from == link.to) fail(at, "must join two nodes");
        for (const RouteLink& other : index)
            if (other.from == link.from && other.to == link.to)
                fail(at, "is the link from " + link.from + " to " + link.to + " a second time");
        link.heading = text(links[i]["heading"], at + "/heading");
        link.distance = notNegative(links[i]["distance"], at + "/distance");
        link.speed = figure(links[i]["speed"], at + "/speed");
        if (!(link.speed > 0)) fail(at + "/speed", "is " + links[i]["speed"].dump() + ", not a speed above 0");
        link.fileTime = figure(links[i]["time"], at + "/time", true);
        index.push_back(link);
    }
    return index;
}

// One direction of a corridor: the links its nodes drive, and its signals in order
// among the nodes, the first and the last at the ends.
CorridorRoute readWay(const Json& j, const std::string& path, const LinkIndex& links, bool metric) {
    object(j, path, {"nodes", "signals"});
    CorridorRoute route;
    route.metric = metric;
    const Json& nodes = list(j["nodes"], path + "/nodes");
    std::vector<std::string> ids;
    for (std::size_t i = 0; i < nodes.size(); ++i) ids.push_back(text(nodes[i], path + "/nodes/" + std::to_string(i)));
    for (std::size_t i = 1; i < ids.size(); ++i) {
        const auto link = std::find_if(links.begin(), links.end(),
                                       [&](const RouteLink& l) { return l.from == ids[i - 1] && l.to == ids[i]; });
        if (link == links.end())
            fail(path + "/nodes/" + std::to_string(i), "follows " + ids[i - 1] + ", but no link in /links joins them");
        route.links.push_back(*link);
    }
    const Json& signals = list(j["signals"], path + "/signals");
    if (signals.size() < 2) fail(path + "/signals", "must hold two signals or more");
    std::size_t next = 0;
    for (std::size_t k = 0; k < signals.size(); ++k) {
        const std::string at = path + "/signals/" + std::to_string(k);
        object(signals[k], at, {"id", "heading", "through_phase"});
        RouteSignal s;
        s.id = text(signals[k]["id"], at + "/id");
        s.heading = text(signals[k]["heading"], at + "/heading");
        if (!signals[k]["through_phase"].is_null())
            s.throughPhase = whole(signals[k]["through_phase"], at + "/through_phase", 1, 16, "a phase number 1 to 16");
        const auto found = std::find(ids.begin() + static_cast<std::ptrdiff_t>(next), ids.end(), s.id);
        if (found == ids.end()) fail(at + "/id", "is \"" + s.id + "\", not a node of /nodes after the signal before");
        s.linksBefore = static_cast<std::size_t>(found - ids.begin());
        if ((k == 0 && s.linksBefore != 0) || (k + 1 == signals.size() && s.linksBefore + 1 != ids.size()))
            fail(at + "/id", "must be the " + std::string(k == 0 ? "first" : "last") + " node of /nodes");
        next = s.linksBefore + 1;
        route.signals.push_back(std::move(s));
    }
    return route;
}

ProjectCorridor readCorridor(const Json& j, const std::string& path, const LinkIndex& links) {
    object(j, path, {"street", "metric", "plans", "ways"});
    ProjectCorridor c;
    c.street = text(j["street"], path + "/street");
    const bool metric = flag(j["metric"], path + "/metric");
    const Json& ways = list(j["ways"], path + "/ways");
    if (ways.size() != 2) fail(path + "/ways", "must hold the way there and the way back");
    c.there = readWay(ways[0], path + "/ways/0", links, metric);
    c.back = readWay(ways[1], path + "/ways/1", links, metric);
    const std::size_t n = c.there.signals.size();
    bool reversed = c.back.signals.size() == n;
    for (std::size_t k = 0; reversed && k < n; ++k) reversed = c.back.signals[n - 1 - k].id == c.there.signals[k].id;
    if (!reversed) fail(path + "/ways/1/signals", "must be the signals of the way there in reverse order");
    const Json& plans = list(j["plans"], path + "/plans");
    if (plans.size() != n) fail(path + "/plans", "must hold one plan for each signal, in order");
    for (std::size_t k = 0; k < n; ++k) {
        const std::string at = path + "/plans/" + std::to_string(k);
        object(plans[k], at, {"intersection", "plan", "problem"});
        if (text(plans[k]["intersection"], at + "/intersection") != c.there.signals[k].id)
            fail(at + "/intersection", "must be \"" + c.there.signals[k].id + "\", the signal there");
        std::optional<CoordinationPlan> plan;
        if (!plans[k]["plan"].is_null()) plan = readPlan(plans[k]["plan"], at + "/plan");
        const std::string problem = text(plans[k]["problem"], at + "/problem");
        for (RouteSignal* s : {&c.there.signals[k], &c.back.signals[n - 1 - k]}) {
            s->plan = plan;
            s->planProblem = problem;
        }
    }
    return c;
}

PlanProject readProject(const Json& file) {
    if (!file.is_object()) fail("", "is not a JSON object");
    if (!file.contains("format") || file["format"] != kPlanProjectFormat)
        fail("", std::string("does not name its format \"") + kPlanProjectFormat + "\" in /format");
    if (!file.contains("version") || !file["version"].is_number_unsigned() || file["version"].get<std::uint64_t>() < 1)
        fail("/version", "must be a whole number from 1");
    if (file["version"].get<std::uint64_t>() > static_cast<std::uint64_t>(kPlanProjectVersion))
        fail("", "is of version " + file["version"].dump() + ", newer than this Tavimo reads (version " +
                     std::to_string(kPlanProjectVersion) + ")");
    const bool withCorridors = file["version"].get<std::uint64_t>() >= 2;
    if (withCorridors) object(file, "", {"format", "version", "intersections", "links", "corridors"});
    else object(file, "", {"format", "version", "intersections", "links"});
    if (!withCorridors && !list(file["links"], "/links").empty()) fail("/links", "must be empty in version 1");

    PlanProject project;
    const Json& intersections = list(file["intersections"], "/intersections");
    if (intersections.empty()) fail("/intersections", "holds no intersection");
    std::set<std::string> ids;
    for (std::size_t i = 0; i < intersections.size(); ++i) {
        const std::string at = "/intersections/" + std::to_string(i);
        object(intersections[i], at, {"id", "signal"});
        ProjectIntersection x;
        x.id = text(intersections[i]["id"], at + "/id");
        if (x.id.empty()) fail(at + "/id", "is empty");
        if (!ids.insert(x.id).second) fail(at + "/id", "is \"" + x.id + "\" a second time");
        x.signal = readSignal(intersections[i]["signal"], at + "/signal");
        project.intersections.push_back(std::move(x));
    }
    if (withCorridors) {
        const LinkIndex links = readLinks(list(file["links"], "/links"));
        const Json& corridors = list(file["corridors"], "/corridors");
        for (std::size_t i = 0; i < corridors.size(); ++i)
            project.corridors.push_back(readCorridor(corridors[i], "/corridors/" + std::to_string(i), links));
        // A link no corridor drives would be dropped on the next save: refused instead.
        for (std::size_t i = 0; i < links.size(); ++i) {
            bool driven = false;
            for (const ProjectCorridor& c : project.corridors)
                for (const CorridorRoute* route : {&c.there, &c.back})
                    for (const RouteLink& link : route->links)
                        driven = driven || (link.from == links[i].from && link.to == links[i].to);
            if (!driven) fail("/links/" + std::to_string(i), "is driven by no corridor");
        }
    }
    return project;
}

}  // namespace

std::variant<PlanProject, std::string> parsePlanProject(std::string_view text) {
    // A key given twice in one object would keep only its last value, unseen.
    std::vector<std::set<std::string>> keys;
    std::string twice;
    const Json::parser_callback_t noteKeys = [&](int, Json::parse_event_t event, Json& parsed) {
        if (event == Json::parse_event_t::object_start) keys.emplace_back();
        else if (event == Json::parse_event_t::object_end && !keys.empty()) keys.pop_back();
        else if (event == Json::parse_event_t::key && !keys.empty() && !keys.back().insert(parsed.get<std::string>()).second &&
                 twice.empty())
            twice = parsed.get<std::string>();
        return true;
    };
    Json file;
    try {
        file = Json::parse(text.begin(), text.end(), noteKeys);
    } catch (const Json::exception& e) {
        // "[json.exception.parse_error.101] parse error at line 1, column 2: ...", or a
        // number beyond a double ("[json.exception.out_of_range.406] number overflow ...")
        std::string what = e.what();
        if (const std::size_t end = what.find("] "); end != std::string::npos) what.erase(0, end + 2);
        return "it is not JSON (" + what + ")";
    }
    if (!twice.empty()) return "it gives the field \"" + twice + "\" twice in one object";
    try {
        return readProject(file);
    } catch (const Fault& fault) {
        return fault.what;
    }
}

}  // namespace tavimo
