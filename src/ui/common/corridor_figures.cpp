// SPDX-License-Identifier: MIT
#include "ui/common/corridor_figures.h"

#include <algorithm>

#include "calc/coordination.h"
#include "io/network_corridor.h"
#include "model/number_text.h"

namespace tavimo::ui {

std::vector<CorridorRow> corridorRows(const UtdfNetwork& network) {
    std::vector<CorridorRow> rows;
    for (const NetworkCorridor& corridor : findCorridors(network)) {
        CorridorRow& row = rows.emplace_back();
        row.street = corridor.street;
        row.ids = corridor.signals;
        std::vector<std::string> met;
        for (const std::string& id : corridor.signals) {
            const NetworkIntersection* x = network.find(id);
            if (!x) continue;
            const std::optional<float> seconds = parseNumber(x->cycleLength);
            const std::string cycle = seconds ? formatNumber(*seconds) : x->cycleLength;
            if (std::find(met.begin(), met.end(), cycle) != met.end()) continue;
            met.push_back(cycle);
            row.cycles += (row.cycles.empty() ? "" : ", ") + cycle;
        }
    }
    return rows;
}

std::variant<std::vector<DirectionBand>, std::string> bandsBothWays(const UtdfNetwork& network,
                                                                   const std::vector<std::string>& ids) {
    std::vector<DirectionBand> bands;
    std::vector<std::string> way = ids;
    for (int direction = 0; direction < 2; ++direction) {
        auto found = corridorRoute(network, way);
        if (auto* why = std::get_if<std::string>(&found)) return std::move(*why);
        const CorridorRoute& route = std::get<CorridorRoute>(found);
        const Band band = progressionAlong(route).band;
        bands.push_back({route.signals.front().id, route.signals.back().id, route.signals.front().heading,
                         band.seconds, band.efficiency, band.attainability, band.reason});
        std::reverse(way.begin(), way.end());
    }
    return bands;
}

}  // namespace tavimo::ui
