// SPDX-License-Identifier: MIT
// A whole network file calculated as tavimo-calc does it (read, every intersection
// placed, calculated and compared with the file), against the least any program must do
// with the file: read it and split it into lines and fields. The file is the one named
// by TAVIMO_NETWORK_FILE, else the Glendale network of the tests.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>
#include <vector>

#include "calc/window_calculation.h"
#include "io/network_signal.h"
#include "io/signal_arrival.h"
#include "io/utdf_network.h"

namespace {

std::string networkPath() {
    const char* chosen = std::getenv("TAVIMO_NETWORK_FILE");
    return chosen ? chosen : TAVIMO_TEST_DATA "/utdf8/glendale.csv";
}

void BM_ReadAndSplitNetworkFile(benchmark::State& state) {
    const std::string path = networkPath();
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        const std::string text = bytes.str();
        std::vector<std::string_view> fields;
        std::string_view rest(text);
        while (!rest.empty()) {
            const std::size_t end = rest.find_first_of("\r\n");
            std::string_view line = rest.substr(0, end);
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
            fields.clear();
            for (std::size_t comma; (comma = line.find(',')) != std::string_view::npos; line.remove_prefix(comma + 1))
                fields.push_back(line.substr(0, comma));
            fields.push_back(line);
            benchmark::DoNotOptimize(fields.data());
        }
    }
}
BENCHMARK(BM_ReadAndSplitNetworkFile)->Unit(benchmark::kMillisecond);

void BM_CalculateWholeNetwork(benchmark::State& state) {
    const std::string path = networkPath();
    std::size_t plans = 0;
    for (auto _ : state) {
        auto read = tavimo::readUtdfNetwork(path);
        if (!std::holds_alternative<tavimo::UtdfNetwork>(read)) {
            state.SkipWithError("the network file cannot be read");
            return;
        }
        plans = 0;
        for (const tavimo::NetworkIntersection& x : std::get<tavimo::UtdfNetwork>(read).intersections) {
            if (!x.hasTimeplan) continue;
            ++plans;
            const tavimo::NetworkStanding standing = tavimo::standingOf(x);
            auto imported = tavimo::networkSignal(standing, tavimo::defaultControllerOf(x), tavimo::tag::kPermissive);
            if (auto* window = std::get_if<tavimo::WindowState>(&imported)) {
                const tavimo::CalcOutcome outcome = tavimo::calculateWindow(*window);
                benchmark::DoNotOptimize(
                    tavimo::verdictOf(standing, tavimo::runFailure(outcome), tavimo::forceOffsOf(outcome), false).calculated);
            }
        }
    }
    state.counters["plans"] = static_cast<double>(plans);
}
BENCHMARK(BM_CalculateWholeNetwork)->Unit(benchmark::kMillisecond);

}  // namespace
