// SPDX-License-Identifier: MIT
// Routes along a network's streets: the [Links] records joined into chains of signals,
// and the links, directions and through phases of a route in one direction of travel.
#include "io/network_corridor.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <queue>
#include <set>
#include <unordered_map>

#include "model/number_text.h"

#include "utdf_text.h"

namespace tavimo {

namespace {

std::optional<double> numberOf(const std::string& text) {
    const std::optional<float> value = parseNumber(text);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return static_cast<double>(*value);
}

// A phase number, BRP or reference of a few digits.
std::optional<int> wholeOf(const std::string& text) {
    const std::optional<float> value = parseNumber(text);
    if (!value || !(*value > -1e4f && *value < 1e4f) || *value != std::trunc(*value)) return std::nullopt;
    return static_cast<int>(*value);
}

// An INTID as a user or a file writes it: digits, blanks around them.
std::optional<long long> nodeNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return utdf::wholeNumber(text);
}

std::unordered_map<long long, std::size_t> indexByNumber(const UtdfNetwork& network) {
    std::unordered_map<long long, std::size_t> index;
    for (std::size_t i = 0; i < network.intersections.size(); ++i) index.emplace(network.intersections[i].number, i);
    return index;
}

std::string notTime(int phase, const char* record, const std::string& text) {
    return "phase " + std::to_string(phase) + " has the " + record + " " + utdf::quoted(text) + ", not a time";
}

// The chains of one street: its nodes and, for each, the nodes it is linked with.
using StreetGraph = std::map<long long, std::set<long long>>;

std::vector<std::vector<long long>> chainsOf(const StreetGraph& graph) {
    std::set<std::pair<long long, long long>> driven;
    const auto drive = [&](long long a, long long b) { return driven.insert({std::min(a, b), std::max(a, b)}).second; };
    const auto degree = [&](long long node) { return graph.at(node).size(); };
    std::vector<std::vector<long long>> chains;
    // From `from` by way of `next`, on through nodes that continue the street alone.
    const auto walk = [&](long long from, long long next) {
        std::vector<long long> chain{from};
        long long previous = from, at = next;
        for (;;) {
            chain.push_back(at);
            if (at == from || degree(at) != 2) break;
            const std::set<long long>& around = graph.at(at);
            const long long onward = *around.begin() == previous ? *around.rbegin() : *around.begin();
            if (!drive(at, onward)) break;
            previous = at;
            at = onward;
        }
        if (chain.size() > 2 && chain.back() == chain.front()) chain.pop_back();  // a loop
        chains.push_back(chain);
    };
    // Ends and forks first, lowest INTID first; what remains are loops.
    for (bool loops : {false, true})
        for (const auto& [node, around] : graph)
            if (loops || around.size() != 2)
                for (long long next : around)
                    if (drive(node, next)) walk(node, next);
    return chains;
}

}  // namespace

std::variant<CoordinationPlan, std::string> coordinationPlanOf(const NetworkIntersection& x) {
    if (!x.hasTimeplan) return std::string("the intersection has no timing plan");
    CoordinationPlan plan;
    const std::optional<double> cycle = numberOf(x.cycleLength);
    if (!cycle || !(*cycle > 0)) return "the Cycle Length " + utdf::quoted(x.cycleLength) + " is not a cycle length";
    plan.cycle = *cycle;
    for (int n = 1; n <= 16; ++n) {
        const NetworkPhase& p = x.phases[static_cast<std::size_t>(n - 1)];
        if (isBlank(p.start) && isBlank(p.end)) continue;
        const auto start = numberOf(p.start), end = numberOf(p.end);
        if (!start) return notTime(n, "Start", p.start);
        if (!end) return notTime(n, "End", p.end);
        if (*start == *end) continue;  // a phase the plan does not run
        const auto yield = numberOf(p.yield), yellow = numberOf(p.yellow);
        if (!yield) return notTime(n, "Yield", p.yield);
        if (!yellow) return notTime(n, "Yellow", p.yellow);
        const int brp = wholeOf(p.brp).value_or(0);
        plan.phases.push_back({n, brp / 100, brp / 10 % 10, brp % 10, *start, *yield, *yellow,
                               numberOf(p.dontWalk).value_or(0)});
    }
    // Reference Phase: ring 1's coordinated phase x 100 + ring 2's; below 100 a single one.
    if (const auto reference = wholeOf(x.referencePhase); reference && *reference > 0) {
        for (int phase : {*reference >= 100 ? *reference / 100 : *reference, *reference >= 100 ? *reference % 100 : 0})
            if (phase > 0) plan.coordinated.push_back(phase);
    }
    return plan;
}

std::optional<OffsetReference> fileReferenceOf(const NetworkIntersection& x) {
    const std::optional<int> code = wholeOf(x.referencedTo);
    if (!code || *code < 0 || *code > 4) return std::nullopt;
    return static_cast<OffsetReference>(*code);
}

std::optional<Offset> fileOffsetOf(const NetworkIntersection& x) {
    const std::optional<OffsetReference> reference = fileReferenceOf(x);
    const std::optional<double> seconds = numberOf(x.offset);
    if (!reference || !seconds || !isTimeInRange(static_cast<float>(*seconds))) return std::nullopt;
    return Offset{static_cast<float>(*seconds), *reference};
}

bool isMetric(const UtdfNetwork& network) {
    const std::optional<float> metric = parseNumber(network.metric);
    return metric && *metric != 0;
}

std::optional<int> throughPhaseOf(const NetworkIntersection& x, LinkHeading heading) {
    const std::string group = std::string(headingName(heading)) + "T";
    for (const NetworkLaneGroup& lanes : x.laneGroups)
        if (lanes.served == NetworkLaneGroup::Served::First && lanes.name == group) {
            const std::optional<int> phase = wholeOf(lanes.phase);
            return phase && *phase > 0 ? phase : std::nullopt;
        }
    return std::nullopt;
}

LinkHeading oppositeOf(LinkHeading heading) {
    switch (heading) {
    case LinkHeading::NB: return LinkHeading::SB;
    case LinkHeading::SB: return LinkHeading::NB;
    case LinkHeading::EB: return LinkHeading::WB;
    case LinkHeading::WB: return LinkHeading::EB;
    case LinkHeading::NE: return LinkHeading::SW;
    case LinkHeading::SW: return LinkHeading::NE;
    case LinkHeading::NW: return LinkHeading::SE;
    case LinkHeading::SE: return LinkHeading::NW;
    }
    return heading;
}

std::vector<NetworkCorridor> findCorridors(const UtdfNetwork& network) {
    const auto index = indexByNumber(network);
    std::map<std::string, StreetGraph> streets;
    for (const NetworkIntersection& x : network.intersections)
        for (const NetworkLink& link : x.links) {
            const std::string_view name = x.nameOf(link);
            if (name.empty() || link.upNode < 0 || link.upNode == x.number) continue;
            StreetGraph& graph = streets[std::string(name)];
            graph[link.upNode].insert(x.number);
            graph[x.number].insert(link.upNode);
        }
    const auto isSignal = [&](long long node) {
        const auto at = index.find(node);
        return at != index.end() && network.intersections[at->second].hasTimeplan;
    };
    std::vector<NetworkCorridor> corridors;
    for (const auto& [street, graph] : streets)
        for (const std::vector<long long>& chain : chainsOf(graph)) {
            NetworkCorridor corridor{street, {}};
            for (long long node : chain)
                if (isSignal(node)) corridor.signals.push_back(std::to_string(node));
            if (corridor.signals.size() >= 2) corridors.push_back(std::move(corridor));
        }
    std::stable_sort(corridors.begin(), corridors.end(), [](const NetworkCorridor& a, const NetworkCorridor& b) {
        return a.street != b.street ? a.street < b.street
                                    : *nodeNumber(a.signals.front()) < *nodeNumber(b.signals.front());
    });
    return corridors;
}

std::variant<CorridorRoute, std::string> corridorRoute(const UtdfNetwork& network,
                                                       const std::vector<std::string>& signals) {
    if (signals.size() < 2) return std::string("a route needs two signals or more");
    const auto index = indexByNumber(network);
    std::vector<std::size_t> stops;
    for (const std::string& id : signals) {
        const std::optional<long long> number = nodeNumber(id);
        const auto at = number ? index.find(*number) : index.end();
        if (at == index.end()) return "the file has no intersection " + utdf::quoted(id);
        if (!network.intersections[at->second].hasTimeplan) return "intersection " + id + " has no timing plan";
        if (std::find(stops.begin(), stops.end(), at->second) != stops.end())
            return "intersection " + id + " is twice on the route";
        stops.push_back(at->second);
    }
    // The links leaving each node: the intersection they arrive at and which of its links.
    std::unordered_map<long long, std::vector<std::pair<std::size_t, std::size_t>>> leaving;
    for (std::size_t v = 0; v < network.intersections.size(); ++v) {
        const auto& links = network.intersections[v].links;
        for (std::size_t i = 0; i < links.size(); ++i)
            if (links[i].upNode >= 0) leaving[links[i].upNode].push_back({v, i});
    }
    const auto& all = network.intersections;

    CorridorRoute route;
    route.metric = isMetric(network);
    std::vector<std::pair<std::size_t, std::size_t>> driven;  // (intersection, link) of each link
    std::vector<std::size_t> linksBefore{0};                  // links driven up to each signal
    for (std::size_t k = 0; k + 1 < stops.size(); ++k) {
        // The fewest links from one signal to the next, through nodes without a signal.
        const std::size_t from = stops[k], to = stops[k + 1];
        std::unordered_map<std::size_t, std::pair<std::size_t, std::size_t>> cameBy;  // node: (previous, link)
        std::queue<std::size_t> ahead;
        ahead.push(from);
        cameBy[from] = {from, 0};
        while (!ahead.empty() && !cameBy.count(to)) {
            const std::size_t at = ahead.front();
            ahead.pop();
            if (at != from && all[at].hasTimeplan) continue;
            const auto out = leaving.find(all[at].number);
            if (out == leaving.end()) continue;
            for (const auto& [next, link] : out->second)
                if (cameBy.emplace(next, std::pair{at, link}).second) ahead.push(next);
        }
        if (!cameBy.count(to)) return "no links lead from " + all[from].id + " to " + all[to].id;
        std::vector<std::pair<std::size_t, std::size_t>> leg;
        for (std::size_t at = to; at != from; at = cameBy[at].first) leg.push_back({at, cameBy[at].second});
        driven.insert(driven.end(), leg.rbegin(), leg.rend());
        linksBefore.push_back(driven.size());
    }

    for (const auto& [v, i] : driven) {
        const NetworkLink& link = all[v].links[i];
        const std::string from = std::to_string(link.upNode), to = all[v].id;
        if (std::isnan(link.distance)) return "the link from " + from + " to " + to + " has no distance";
        if (std::isnan(link.speed)) return "the link from " + from + " to " + to + " has no speed";
        route.links.push_back({from, to, std::string(headingName(link.heading)), link.distance, link.speed, link.time});
    }

    for (std::size_t k = 0; k < stops.size(); ++k) {
        const NetworkIntersection& x = all[stops[k]];
        RouteSignal signal;
        signal.id = x.id;
        auto plan = coordinationPlanOf(x);
        if (auto* read = std::get_if<CoordinationPlan>(&plan)) signal.plan = std::move(*read);
        else signal.planProblem = std::get<std::string>(plan);
        signal.linksBefore = linksBefore[k];
        // Arriving: the heading of the last link in. Leaving the first signal: that of
        // the first link out, or better the way opposite the link that comes back.
        const auto& [v, i] = driven[k > 0 ? linksBefore[k] - 1 : 0];
        LinkHeading heading = all[v].links[i].heading;
        if (k == 0) {
            const long long next = all[driven.front().first].number;
            for (const NetworkLink& back : x.links)
                if (back.upNode == next) heading = oppositeOf(back.heading);
        }
        signal.heading = std::string(headingName(heading));
        signal.throughPhase = throughPhaseOf(x, heading);
        route.signals.push_back(std::move(signal));
    }
    return route;
}

}  // namespace tavimo
