// SPDX-License-Identifier: MIT
// A project's text: the signal of each intersection as JSON values, every time as a
// number whose text is the time's shortest.
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

}  // namespace

std::string formatPlanProject(const PlanProject& project) {
    Json intersections = Json::array();
    for (const ProjectIntersection& x : project.intersections)
        intersections.push_back(Json{{"id", x.id}, {"signal", signalJson(x.signal)}});
    const Json file{{"format", kPlanProjectFormat},
                    {"version", kPlanProjectVersion},
                    {"intersections", std::move(intersections)},
                    {"links", Json::array()}};
    // Text that is not UTF-8 becomes U+FFFD here; the writer's read-back check then
    // refuses the file rather than store a changed description.
    return file.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

}  // namespace tavimo
