// SPDX-License-Identifier: MIT
// A project's text: the signal of each intersection as JSON values, every time as a
// number whose text is the time's shortest.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>

#include "io/plan_project.h"
#include "model/number_text.h"

#include "plan_project_names.h"

namespace tavimo {

namespace {

using Json = nlohmann::ordered_json;
using namespace planproject;

// The number of the time's shortest text, as the window shows it. A value whose seven
// digits read back as another value (typed with more) keeps the digits it needs.
Json timeJson(float value) {
    std::string text = formatNumber(value);
    if (parseNumber(text) != value) {
        char buffer[64];
        const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
        text.assign(buffer, written.ptr);
    }
    if (value == std::floor(value) && std::fabs(value) < 1e15f) return static_cast<std::int64_t>(value);
    double number = 0;
    std::from_chars(text.data(), text.data() + text.size(), number);
    return number;
}

Json optionalTime(const std::optional<float>& value) { return value ? timeJson(*value) : Json(nullptr); }

Json phaseJson(const SignalPhase& p) {
    Json timing = nullptr;
    if (p.timing)
        timing = Json{{"split", timeJson(p.timing->split)},
                      {"min_green", timeJson(p.timing->minGreen)},
                      {"amber", timeJson(p.timing->amber)},
                      {"all_red", timeJson(p.timing->allRed)}};
    return Json{{"number", p.number},
                {"movement",
                 Json{{"approach", nameOf(kApproaches, p.movement.approach)}, {"left_turn", p.movement.leftTurn}}},
                {"timing", timing},
                {"walk", optionalTime(p.walk)},
                {"flash_dont_walk", optionalTime(p.flashDontWalk)},
                {"position", p.position}};
}

Json signalJson(const Signal& s) {
    Json phases = Json::array(), sequence = Json::array();
    for (const SignalPhase& p : s.phases) phases.push_back(phaseJson(p));
    for (const RingBarrier& rb : s.sequence)
        sequence.push_back(Json{{"ring", rb.ring}, {"barrier", rb.barrier}, {"phases", rb.phases}});
    Json offset = nullptr;
    if (s.offset)
        offset = Json{{"seconds", timeJson(s.offset->seconds)}, {"reference", nameOf(kReferences, s.offset->reference)}};
    Json signal{{"description", s.description}};
    // Written only where someone is named, so a file without a creator stays as it was.
    if (!s.createdBy.empty()) signal["created_by"] = s.createdBy;
    signal["cycle"] = s.cycle.text;
    signal["controller"] = nameOf(kControllers, s.controller);
    signal["mode"] = nameOf(kModes, s.mode);
    signal["arrangement"] = nameOf(kArrangements, s.arrangement);
    signal["phases"] = std::move(phases);
    signal["sequence"] = std::move(sequence);
    signal["coordinated"] = s.coordinated;
    signal["offset"] = std::move(offset);
    return signal;
}

// Figures of a route as they are: doubles, whose JSON text reads back exactly.
Json figure(double value) { return std::isfinite(value) ? Json(value) : Json(nullptr); }

Json planJson(const CoordinationPlan& plan) {
    Json phases = Json::array();
    for (const CoordinationPhase& p : plan.phases)
        phases.push_back(Json{{"number", p.number}, {"barrier", p.barrier}, {"ring", p.ring}, {"position", p.position},
                              {"start", figure(p.start)}, {"yield", figure(p.yield)}, {"yellow", figure(p.yellow)},
                              {"dont_walk", figure(p.dontWalk)}});
    return Json{{"cycle", figure(plan.cycle)}, {"coordinated", plan.coordinated}, {"phases", std::move(phases)}};
}

// The nodes a direction drives, from its first signal to its last, and its signals.
Json wayJson(const CorridorRoute& route) {
    Json nodes = Json::array(), signals = Json::array();
    if (!route.links.empty()) nodes.push_back(route.links.front().from);
    else if (!route.signals.empty()) nodes.push_back(route.signals.front().id);
    for (const RouteLink& link : route.links) nodes.push_back(link.to);
    for (const RouteSignal& s : route.signals)
        signals.push_back(Json{{"id", s.id}, {"heading", s.heading},
                               {"through_phase", s.throughPhase ? Json(*s.throughPhase) : Json(nullptr)}});
    return Json{{"nodes", std::move(nodes)}, {"signals", std::move(signals)}};
}

Json corridorJson(const ProjectCorridor& c) {
    Json plans = Json::array();
    for (const RouteSignal& s : c.there.signals)
        plans.push_back(Json{{"intersection", s.id}, {"plan", s.plan ? planJson(*s.plan) : Json(nullptr)},
                             {"problem", s.planProblem}});
    return Json{{"street", c.street}, {"metric", c.there.metric}, {"plans", std::move(plans)},
                {"ways", Json::array({wayJson(c.there), wayJson(c.back)})}};
}

// Every link the corridors drive, once each, in the order first driven.
Json linksJson(const std::vector<ProjectCorridor>& corridors) {
    Json links = Json::array();
    std::vector<std::pair<std::string, std::string>> seen;
    for (const ProjectCorridor& c : corridors)
        for (const CorridorRoute* route : {&c.there, &c.back})
            for (const RouteLink& link : route->links) {
                if (std::find(seen.begin(), seen.end(), std::pair(link.from, link.to)) != seen.end()) continue;
                seen.emplace_back(link.from, link.to);
                links.push_back(Json{{"from", link.from}, {"to", link.to}, {"heading", link.heading},
                                     {"distance", figure(link.distance)}, {"speed", figure(link.speed)},
                                     {"time", figure(link.fileTime)}});
            }
    return links;
}

}  // namespace

std::string formatPlanProject(const PlanProject& project) {
    Json intersections = Json::array();
    for (const ProjectIntersection& x : project.intersections)
        intersections.push_back(Json{{"id", x.id}, {"signal", signalJson(x.signal)}});
    // A project without corridors stays a version 1 file, readable by every Tavimo.
    Json file{{"format", kPlanProjectFormat},
              {"version", project.corridors.empty() ? 1 : kPlanProjectVersion},
              {"intersections", std::move(intersections)},
              {"links", linksJson(project.corridors)}};
    if (!project.corridors.empty()) {
        Json corridors = Json::array();
        for (const ProjectCorridor& c : project.corridors) corridors.push_back(corridorJson(c));
        file["corridors"] = std::move(corridors);
    }
    // Text that is not UTF-8 becomes U+FFFD here; the writer's read-back check then
    // refuses the file rather than store a changed description.
    return file.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

}  // namespace tavimo
