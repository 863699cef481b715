// SPDX-License-Identifier: MIT
#include "io/corridor_source.h"

#include <algorithm>

#include "io/network_corridor.h"
#include "io/network_plan.h"
#include "model/number_text.h"
#include "model/signal_plan.h"

namespace tavimo {

std::string streetOf(const UtdfNetwork& network, const CorridorRoute& route) {
    std::vector<std::string> names;
    for (const RouteLink& link : route.links) {
        const NetworkIntersection* to = network.find(link.to);
        if (!to) continue;
        for (const NetworkLink& approach : to->links)
            if (std::to_string(approach.upNode) == link.from && !to->nameOf(approach).empty()) {
                const std::string name(to->nameOf(approach));
                if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
                break;
            }
    }
    std::string street;
    for (const std::string& name : names) street += (street.empty() ? "" : " / ") + name;
    return street;
}

std::optional<Signal> typedPlanOf(const NetworkIntersection& x) {
    const Controller controller = defaultControllerOf(x) == tag::kType170 ? Controller::Type170 : Controller::NemaTs2;
    auto typed = networkPlan(x, controller, SignalMode::Permissive);
    auto* plan = std::get_if<Signal>(&typed);
    if (!plan) return std::nullopt;
    Signal signal = std::move(*plan);
    const std::optional<OffsetReference> reference = fileReferenceOf(x);
    if (const std::optional<float> seconds = parseNumber(x.offset); seconds && reference)
        signal.offset = Offset{*seconds, *reference};
    return signal;
}

std::variant<CorridorSource, std::string> corridorSourceOf(const UtdfNetwork& network,
                                                           const std::vector<std::string>& signals) {
    CorridorSource source;
    auto there = corridorRoute(network, signals);
    if (const auto* why = std::get_if<std::string>(&there)) return *why;
    source.there = std::get<CorridorRoute>(std::move(there));
    const std::vector<std::string> reversed(signals.rbegin(), signals.rend());
    auto back = corridorRoute(network, reversed);
    if (const auto* why = std::get_if<std::string>(&back)) return *why;
    source.back = std::get<CorridorRoute>(std::move(back));
    source.street = streetOf(network, source.there);

    for (const RouteSignal& s : source.there.signals) source.typed.push_back(typedPlanOf(*network.find(s.id)));
    return source;
}

}  // namespace tavimo
