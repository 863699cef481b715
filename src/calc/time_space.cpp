// SPDX-License-Identifier: MIT
// The time-space diagram of a corridor: where each signal stands, what its through
// phase shows each way over a few cycles, the bands and the side streets' windows.
#include "calc/time_space.h"

#include <algorithm>
#include <cmath>

#include "calc/plan_calculation.h"

namespace tavimo {

namespace {

int barrierOf(const Signal& signal, int phase) {
    for (const RingBarrier& rb : signal.sequence)
        if (std::find(rb.phases.begin(), rb.phases.end(), phase) != rb.phases.end()) return rb.barrier;
    return 0;
}

// A cycle this many times shorter than the span shown would be bars too thin to see
// and, from a file made by hand, millions of them: it is left undrawn.
constexpr double kMostRepeats = 1000;

// Adds an interval repeated every cycle, cut to [0, span]: each piece that shows.
template <typename Piece, typename Make>
void repeatOver(std::vector<Piece>& out, double start, double end, double cycle, double span, Make make) {
    if (!(cycle > 0) || !(end > start) || !(span / cycle <= kMostRepeats)) return;
    const double first = std::floor((0 - end) / cycle);
    for (double m = first; start + m * cycle < span; ++m) {
        const double a = std::max(0.0, start + m * cycle), b = std::min(span, end + m * cycle);
        if (b > a) out.push_back(make(a, b));
    }
}

std::vector<AspectSpan> throughAspects(const CoordinationPlan& plan, int phase, double span) {
    std::vector<AspectSpan> spans;
    const std::optional<GreenInterval> green = greenOf(plan, phase);
    const CoordinationPhase* p = phaseOf(plan, phase);
    if (!green || !p) return spans;
    const double yellowEnd = std::min(green->end + std::max(0.0, p->yellow), green->start + plan.cycle);
    const auto piece = [&](Aspect aspect) {
        return [aspect](double a, double b) { return AspectSpan{aspect, a, b}; };
    };
    repeatOver(spans, green->start, green->end, plan.cycle, span, piece(Aspect::Green));
    repeatOver(spans, green->end, yellowEnd, plan.cycle, span, piece(Aspect::Yellow));
    repeatOver(spans, yellowEnd, green->start + plan.cycle, plan.cycle, span, piece(Aspect::Red));
    std::sort(spans.begin(), spans.end(), [](const AspectSpan& a, const AspectSpan& b) { return a.start < b.start; });
    return spans;
}

// Each node driven as a time after leaving the first signal and a place on the
// diagram's distance axis: within the leg between two signals, by its share of the
// leg's distance, so that both directions meet every signal on its own line.
std::vector<TimeDistance> nodesAlong(const CorridorRoute& route, const Progression& progression,
                                     const std::vector<double>& signalPlaces) {
    std::vector<TimeDistance> nodes{{0, signalPlaces.front()}};
    double time = 0;
    for (std::size_t k = 1; k < route.signals.size(); ++k) {
        const std::size_t from = route.signals[k - 1].linksBefore, to = route.signals[k].linksBefore;
        double legLength = 0;
        for (std::size_t i = from; i < to; ++i) legLength += route.links[i].distance;
        double driven = 0;
        for (std::size_t i = from; i < to; ++i) {
            driven += route.links[i].distance;
            time += progression.linkTimes[i].value_or(0);
            const double share = legLength > 0 ? driven / legLength : 1;
            nodes.push_back({time, signalPlaces[k - 1] + share * (signalPlaces[k] - signalPlaces[k - 1])});
        }
    }
    return nodes;
}

DiagramBand bandAlong(const CorridorRoute& route, const std::vector<double>& signalPlaces, double span) {
    DiagramBand result;
    result.from = route.signals.front().id;
    result.to = route.signals.back().id;
    const Progression progression = progressionAlong(route);
    result.band = progression.band;
    // A band of no width is no strip of traffic to draw.
    if (!result.band.seconds || !(*result.band.seconds > 0) || !route.signals.front().plan) return result;
    const double cycle = route.signals.front().plan->cycle;
    const std::vector<TimeDistance> nodes = nodesAlong(route, progression, signalPlaces);
    const double drive = nodes.back().time;
    const double width = *result.band.seconds;
    if (!((span + drive + width) / cycle <= kMostRepeats)) return result;
    for (double m = std::floor((0 - drive - width - result.band.start) / cycle);
         result.band.start + m * cycle < span; ++m) {
        const double leave = result.band.start + m * cycle;
        BandStrip strip;
        for (const TimeDistance& node : nodes) {
            strip.lower.push_back({leave + node.time, node.distance});
            strip.upper.push_back({leave + width + node.time, node.distance});
        }
        if (strip.upper.back().time > 0) result.strips.push_back(std::move(strip));
    }
    return result;
}

}  // namespace

std::optional<SideStreetWindows> sideStreetWindowsOf(const Signal& signal) {
    const PlanCalculation plan = calculatePlan(signal);
    if (plan.stop != PlanStop::Completed || signal.coordinated.empty()) return std::nullopt;
    const int coordinatedBarrier = barrierOf(signal, signal.coordinated.front());
    SideStreetWindows result;
    result.localZeroAfterTs2 = plan.localZero;
    for (const PlanPhaseResult& p : plan.phases)
        if (p.barrier != coordinatedBarrier && p.permissiveStart && p.permissiveEnd)
            result.windows.push_back({p.number, *p.permissiveStart, *p.permissiveEnd});
    return result;
}

const CoordinationPlan* planAt(const Corridor& corridor, std::size_t index) {
    if (index >= corridor.there.signals.size() || !corridor.there.signals[index].plan) return nullptr;
    return &*corridor.there.signals[index].plan;
}

bool setOffset(Corridor& corridor, std::size_t index, OffsetReference reference, double seconds) {
    const std::size_t count = corridor.there.signals.size();
    if (index >= count || corridor.back.signals.size() != count) return false;
    std::optional<CoordinationPlan>& there = corridor.there.signals[index].plan;
    std::optional<CoordinationPlan>& back = corridor.back.signals[count - 1 - index].plan;
    if (!there || !(seconds >= 0) || !(seconds < there->cycle)) return false;
    CoordinationPlan moved = *there;
    if (!moveToOffset(moved, reference, seconds)) return false;
    there = moved;
    if (back) back = moved;
    return true;
}

TimeSpaceDiagram timeSpaceDiagram(const Corridor& corridor, int cycles) {
    TimeSpaceDiagram d;
    d.street = corridor.street;
    d.metric = corridor.there.metric;
    const CorridorRoute& there = corridor.there;
    const std::size_t count = there.signals.size();
    if (count == 0) return d;

    double longest = 0;
    std::optional<double> common;
    bool differ = false;
    for (const RouteSignal& s : there.signals) {
        if (!s.plan) continue;
        longest = std::max(longest, s.plan->cycle);
        if (common && *common != s.plan->cycle) differ = true;
        common = s.plan->cycle;
    }
    d.cycle = differ || !common ? 0 : *common;
    d.span = longest * std::max(1, cycles);

    std::vector<double> places;
    double distance = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t from = k > 0 ? there.signals[k - 1].linksBefore : 0;
        for (std::size_t i = from; i < there.signals[k].linksBefore && i < there.links.size(); ++i)
            distance += there.links[i].distance;
        places.push_back(distance);
    }
    d.length = places.back();

    const bool bothWays = corridor.back.signals.size() == count;
    for (std::size_t k = 0; k < count; ++k) {
        const RouteSignal& s = there.signals[k];
        DiagramSignal signal;
        signal.id = s.id;
        signal.distance = places[k];
        if (s.plan) {
            signal.offsets = referencePointsOf(*s.plan);
            const RouteSignal* ways[2] = {&s, bothWays ? &corridor.back.signals[count - 1 - k] : nullptr};
            for (int way = 0; way < 2; ++way)
                if (ways[way] && ways[way]->throughPhase) {
                    signal.throughPhase[way] = ways[way]->throughPhase;
                    signal.throughGreen[way] = greenOf(*s.plan, *ways[way]->throughPhase);
                    signal.through[way] = throughAspects(*s.plan, *ways[way]->throughPhase, d.span);
                }
            const std::optional<SideStreetWindows>& side = k < corridor.windows.size() ? corridor.windows[k] : std::nullopt;
            if (side && signal.offsets) {
                const double zero = signal.offsets->ts2 + side->localZeroAfterTs2;
                for (const LocalWindow& w : side->windows) {
                    const double start = zero + w.start;
                    const double end = zero + w.end + (w.end < w.start ? s.plan->cycle : 0);
                    repeatOver(signal.windows, start, end, s.plan->cycle, d.span,
                               [&](double a, double b) { return LocalWindow{w.phase, a, b}; });
                }
            }
        }
        d.signals.push_back(std::move(signal));
    }

    d.bands[0] = bandAlong(there, places, d.span);
    if (bothWays) {
        std::vector<double> backPlaces(places.rbegin(), places.rend());
        d.bands[1] = bandAlong(corridor.back, backPlaces, d.span);
    }
    return d;
}

}  // namespace tavimo
