// SPDX-License-Identifier: MIT
#include "cli/calc_route.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "calc/coordination.h"
#include "calc/time_space.h"
#include "cli/draw_request.h"
#include "cli/calc_messages.h"
#include "io/corridor_source.h"
#include "io/network_corridor.h"
#include "io/utf8.h"
#include "model/number_text.h"
#include "output/results_forms.h"

namespace tavimo::cli {

namespace {

constexpr int kBothBands = 0;
constexpr int kSomeWithoutBand = 1;

// The same text in every form; empty for nothing or a missing figure.
std::string decimals(std::optional<double> value, int places) { return value ? decimalsText(*value, places) : ""; }
std::string timeText(std::optional<double> seconds) { return decimals(seconds, 2); }
std::string ratioText(std::optional<double> ratio) { return decimals(ratio, 3); }
std::string fileFigure(double value) { return std::isfinite(value) ? formatNumber(static_cast<float>(value)) : ""; }

struct Direction {
    CorridorRoute route;
    Progression progression;
};

// Each intersection of the route, in the order given, with its offsets as the bands
// were computed.
struct RouteIntersection {
    const NetworkIntersection* file = nullptr;
    std::optional<OffsetReference> reference;
    std::optional<ReferencePoints> points;
};

const std::pair<OffsetReference, const char*> kReferences[] = {{OffsetReference::Ts2, "ts2"},
                                                               {OffsetReference::LastGreen, "last_green"},
                                                               {OffsetReference::Type170, "type170"},
                                                               {OffsetReference::Red, "red"},
                                                               {OffsetReference::FlashingDontWalk, "flashing_dont_walk"}};

// Replaces the offsets the user gave, in each plan's own reference, in both
// directions; the reason where one does not fit.
std::optional<std::string> applyOffsets(const CalcOptions& options, const UtdfNetwork& network,
                                        std::vector<Direction>& directions) {
    std::vector<const NetworkIntersection*> moved;
    for (const auto& [id, seconds] : options.offsets) {
        const std::string given = "--offset " + id + "=" + formatNumber(static_cast<float>(seconds));
        const NetworkIntersection* x = network.find(id);
        const auto& first = directions.front().route.signals;
        if (!x || std::none_of(first.begin(), first.end(), [&](const RouteSignal& s) { return s.id == x->id; }))
            return given + ": intersection " + id + " is not on the --corridor route";
        if (std::find(moved.begin(), moved.end(), x) != moved.end())
            return "--offset given twice for intersection " + x->id;
        moved.push_back(x);
        const std::optional<OffsetReference> reference = fileReferenceOf(*x);
        if (!reference)
            return given + ": the Referenced To \"" + x->referencedTo + "\" of intersection " + x->id +
                   " names no point to count an offset to";
        for (Direction& direction : directions)
            for (RouteSignal& signal : direction.route.signals) {
                if (signal.id != x->id) continue;
                if (!signal.plan) return given + ": " + signal.planProblem;
                if (!(seconds < signal.plan->cycle))
                    return given + ": not below the cycle of intersection " + x->id + ", " +
                           formatNumber(static_cast<float>(signal.plan->cycle)) + " s";
                if (!moveToOffset(*signal.plan, *reference, seconds))
                    return given + ": intersection " + x->id + " has no " + referenceName(*reference) +
                           " point to count an offset to";
            }
    }
    return std::nullopt;
}

// The one cycle of every plan of the route; nothing where they differ or a plan is missing.
std::optional<double> cycleOf(const CorridorRoute& route) {
    std::optional<double> cycle;
    for (const RouteSignal& signal : route.signals) {
        if (!signal.plan || (cycle && *cycle != signal.plan->cycle)) return std::nullopt;
        cycle = signal.plan->cycle;
    }
    return cycle;
}

// The links driven from the signal before signal k to it.
std::vector<std::size_t> legOf(const CorridorRoute& route, std::size_t k) {
    std::vector<std::size_t> leg;
    for (std::size_t i = k > 0 ? route.signals[k - 1].linksBefore : 0; i < route.signals[k].linksBefore; ++i)
        leg.push_back(i);
    return leg;
}

std::string directionName(const CorridorRoute& route) { return route.signals.front().id + "-" + route.signals.back().id; }

Json number(const std::string& text) { return jsonNumber(text); }

Json offsetsJson(const RouteIntersection& x) {
    if (!x.points) return nullptr;
    Json offsets = Json::object();
    for (const auto& [reference, name] : kReferences)
        if (const auto at = offsetIn(*x.points, reference)) offsets[name] = number(timeText(*at));
    return offsets;
}

Json corridorJson(const std::string& street, std::optional<double> cycle, const std::vector<Direction>& directions,
                  const std::vector<RouteIntersection>& intersections) {
    Json ids = Json::array();
    for (const RouteIntersection& x : intersections) ids.push_back(x.file->id);
    Json all = Json::array();
    for (const Direction& d : directions) {
        const Band& band = d.progression.band;
        Json phases = Json::array(), times = Json::array(), links = Json::array();
        for (const RouteSignal& signal : d.route.signals)
            phases.push_back(signal.throughPhase ? Json(*signal.throughPhase) : Json(nullptr));
        for (double t : d.progression.travelTimes) times.push_back(number(timeText(t)));
        for (std::size_t i = 0; i < d.route.links.size(); ++i) {
            const RouteLink& link = d.route.links[i];
            links.push_back(Json{{"from", link.from}, {"to", link.to}, {"distance", number(fileFigure(link.distance))},
                                 {"speed", number(fileFigure(link.speed))},
                                 {"travel_time", number(timeText(d.progression.linkTimes[i]))}});
        }
        all.push_back(Json{{"from", d.route.signals.front().id}, {"to", d.route.signals.back().id},
                           {"band", number(timeText(band.seconds))}, {"efficiency", number(ratioText(band.efficiency))},
                           {"attainability", number(ratioText(band.attainability))}, {"through_phases", phases},
                           {"travel_times", times}, {"links", links},
                           {"note", band.seconds ? Json(nullptr) : Json(band.reason)}});
    }
    Json offsets = Json::array();
    for (const RouteIntersection& x : intersections)
        offsets.push_back(Json{{"intersection", x.file->id},
                               {"referenced_to", x.reference ? Json(static_cast<int>(*x.reference)) : Json(nullptr)},
                               {"file_offset", number(x.file->offset)},
                               {"offset", offsetsJson(x)}});
    return Json{{"corridor", ids}, {"street", street.empty() ? Json(nullptr) : Json(street)},
                {"cycle", number(timeText(cycle))}, {"directions", all}, {"intersections", offsets}};
}

void printCsv(const std::vector<Direction>& directions, const std::vector<RouteIntersection>& intersections,
              std::ostream& out) {
    out << "direction,intersection,through_phase,travel_time,distances,speeds,link_times,referenced_to,file_offset,"
           "ts2,last_green,type170,red,flashing_dont_walk,band,efficiency,attainability,note\n";
    for (const Direction& d : directions) {
        const Band& band = d.progression.band;
        for (std::size_t k = 0; k < d.route.signals.size(); ++k) {
            const RouteSignal& signal = d.route.signals[k];
            std::string distances, speeds, times;
            for (std::size_t i : legOf(d.route, k)) {
                const char* between = distances.empty() ? "" : " ";
                distances += between + fileFigure(d.route.links[i].distance);
                speeds += between + fileFigure(d.route.links[i].speed);
                times += between + timeText(d.progression.linkTimes[i]);
            }
            const auto x = std::find_if(intersections.begin(), intersections.end(),
                                        [&](const RouteIntersection& r) { return r.file->id == signal.id; });
            out << directionName(d.route) << ',' << signal.id << ','
                << (signal.throughPhase ? std::to_string(*signal.throughPhase) : "") << ','
                << timeText(d.progression.travelTimes[k]) << ',' << distances << ',' << speeds << ',' << times << ','
                << (x->reference ? std::to_string(static_cast<int>(*x->reference)) : "") << ','
                << csvField(x->file->offset);
            for (const auto& [reference, name] : kReferences)
                out << ',' << (x->points ? timeText(offsetIn(*x->points, reference)) : "");
            out << ',' << timeText(band.seconds) << ',' << ratioText(band.efficiency) << ','
                << ratioText(band.attainability) << ',' << csvField(band.seconds ? "" : band.reason) << '\n';
        }
    }
}

void printTable(const std::string& street, std::optional<double> cycle, bool metric,
                const std::vector<Direction>& directions, const std::vector<RouteIntersection>& intersections,
                std::ostream& out) {
    std::string ids;
    for (const RouteIntersection& x : intersections) ids += (ids.empty() ? "" : ", ") + x.file->id;
    out << "Corridor " << printableText(street.empty() ? ids : street + ": " + ids) << " | "
        << (cycle ? "cycle " + timeText(cycle) : std::string("cycles differ")) << '\n';
    const char* units = metric ? " m at %s km/h: " : " ft at %s mph: ";
    for (const Direction& d : directions) {
        const Band& band = d.progression.band;
        out << d.route.signals.front().id << " to " << d.route.signals.back().id << ": ";
        if (band.seconds)
            out << "band " << timeText(band.seconds) << " s | efficiency " << ratioText(band.efficiency)
                << " | attainability " << (band.attainability ? ratioText(band.attainability) : "none") << '\n';
        else
            out << "no band: " << printableText(band.reason) << '\n';
        for (std::size_t k = 0; k < d.route.signals.size(); ++k) {
            const RouteSignal& signal = d.route.signals[k];
            out << "  " << signal.id << " | " << signal.heading
                << (signal.throughPhase ? " phase " + std::to_string(*signal.throughPhase) : " no through phase")
                << " | at " << timeText(d.progression.travelTimes[k]) << " s";
            const char* between = " | ";
            for (std::size_t i : legOf(d.route, k)) {
                const RouteLink& link = d.route.links[i];
                std::string unit(units);
                unit.replace(unit.find("%s"), 2, fileFigure(link.speed));
                out << between << fileFigure(link.distance) << unit << timeText(d.progression.linkTimes[i]) << " s";
                between = ", ";
            }
            out << '\n';
        }
    }
    out << "Offsets (* the plan's own reference)\n";
    for (const RouteIntersection& x : intersections) {
        out << "  " << x.file->id << " | file " << printableText(x.file->offset);
        if (!x.points) out << " | no coordinated phase";
        for (const auto& [reference, name] : kReferences)
            if (const auto at = x.points ? offsetIn(*x.points, reference) : std::nullopt)
                out << " | " << name << ' ' << timeText(*at) << (x.reference == reference ? "*" : "");
        out << '\n';
    }
}

}  // namespace

int runCorridor(const CalcOptions& options, const UtdfNetwork& network, std::ostream& out, std::ostream& err) {
    const std::vector<std::string>& ids = *options.corridor;
    for (const std::string& id : ids)
        if (!network.find(id)) {
            tell(err, "intersection " + id + " is not in \"" + *options.network + "\"");
            return kUsageOrFile;
        }
    std::vector<Direction> directions;
    for (const bool back : {false, true}) {
        std::vector<std::string> route = ids;
        if (back) std::reverse(route.begin(), route.end());
        auto found = corridorRoute(network, route);
        if (const auto* why = std::get_if<std::string>(&found)) {
            std::string given;
            for (const std::string& id : ids) given += (given.empty() ? "" : ",") + id;
            tell(err, "--corridor " + given + ": " + *why);
            return kUsageOrFile;
        }
        directions.push_back({std::get<CorridorRoute>(std::move(found)), {}});
    }
    if (const auto failed = applyOffsets(options, network, directions)) {
        tell(err, *failed);
        return kUsageOrFile;
    }
    bool bothBands = true;
    for (Direction& d : directions) {
        d.progression = progressionAlong(d.route);
        bothBands = bothBands && d.progression.band.seconds.has_value();
    }
    std::vector<RouteIntersection> intersections;
    for (const RouteSignal& signal : directions.front().route.signals) {
        RouteIntersection x{network.find(signal.id), {}, {}};
        x.reference = fileReferenceOf(*x.file);
        if (signal.plan) x.points = referencePointsOf(*signal.plan);
        intersections.push_back(x);
    }
    const std::string street = streetOf(network, directions.front().route);
    const std::optional<double> cycle = cycleOf(directions.front().route);

    errno = 0;
    switch (options.format) {
    case OutputFormat::Json: printJson(corridorJson(street, cycle, directions, intersections), out); break;
    case OutputFormat::Csv: printCsv(directions, intersections, out); break;
    case OutputFormat::Table:
        printTable(street, cycle, directions.front().route.metric, directions, intersections, out);
        break;
    }
    if (const int status = printed(out, err); status != kPrinted) return status;
    if (options.diagramPath) {
        Corridor corridor{street, directions[0].route, directions[1].route, {}};
        for (const RouteSignal& signal : corridor.there.signals) {
            const std::optional<Signal> typed = typedPlanOf(*network.find(signal.id));
            corridor.windows.push_back(typed ? sideStreetWindowsOf(*typed) : std::nullopt);
        }
        const TimeSpaceDiagram diagram = timeSpaceDiagram(corridor, 2);
        DrawRequest request;
        request.diagramPath = *options.diagramPath;
        request.diagram = &diagram;
        if (const std::string failed = drawWithLibrary(request, out); !failed.empty()) {
            tell(err, failed);
            return kUsageOrFile;
        }
    }
    return bothBands ? kBothBands : kSomeWithoutBand;
}

}  // namespace tavimo::cli
