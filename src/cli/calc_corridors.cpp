// SPDX-License-Identifier: MIT
#include "cli/calc_corridors.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "io/network_corridor.h"
#include "io/utf8.h"

namespace tavimo::cli {

namespace {

using ById = std::unordered_map<std::string_view, const NetworkIntersection*>;

std::vector<std::string> cycleLengthsOf(const ById& byId, const NetworkCorridor& corridor) {
    std::vector<std::string> lengths;
    for (const std::string& id : corridor.signals) {
        const auto x = byId.find(id);
        if (x != byId.end() && std::find(lengths.begin(), lengths.end(), x->second->cycleLength) == lengths.end())
            lengths.push_back(x->second->cycleLength);
    }
    return lengths;
}

std::string joined(const std::vector<std::string>& texts, const char* between) {
    std::string line;
    for (const std::string& text : texts) line += (line.empty() ? "" : between) + text;
    return line;
}

}  // namespace

void printCorridors(const UtdfNetwork& network, OutputFormat format, std::ostream& out) {
    if (format == OutputFormat::Csv) out << "street,signals,intersections,cycle_lengths\n";
    Json list = Json::array();
    ById byId;
    for (const NetworkIntersection& x : network.intersections) byId.emplace(x.id, &x);
    for (const NetworkCorridor& corridor : findCorridors(network)) {
        const std::vector<std::string> cycles = cycleLengthsOf(byId, corridor);
        const std::size_t count = corridor.signals.size();
        switch (format) {
        case OutputFormat::Csv:
            out << csvField(corridor.street) << ',' << count << ',' << joined(corridor.signals, " ") << ','
                << csvField(joined(cycles, " ")) << '\n';
            break;
        case OutputFormat::Json: {
            Json lengths = Json::array();
            for (const std::string& cycle : cycles) lengths.push_back(jsonNumber(cycle));
            list.push_back(Json{{"street", corridor.street}, {"intersections", corridor.signals},
                                {"cycle_lengths", lengths}});
            break;
        }
        case OutputFormat::Table:
            out << printableText(corridor.street) << " | " << count << " signals: " << joined(corridor.signals, ", ")
                << " | " << (cycles.size() == 1 ? "cycle " : "cycles ") << printableText(joined(cycles, ", ")) << '\n';
            break;
        }
    }
    if (format == OutputFormat::Json) printJson(list, out);
}

}  // namespace tavimo::cli
