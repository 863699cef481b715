// SPDX-License-Identifier: MIT
// The whole-network UTDF reader on any text; every intersection it reads is placed,
// imported, calculated and compared with the file, as tavimo-calc does.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "calc/window_calculation.h"
#include "io/utdf_network.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavimo;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto parsed = parseUtdfNetwork(text, "network.csv");
    if (const auto* error = std::get_if<UtdfError>(&parsed)) {
        if (error->message.empty()) std::abort();
        return 0;
    }
    for (const NetworkIntersection& x : std::get<UtdfNetwork>(parsed).intersections) {
        if (networkDescription(x).empty()) std::abort();
        auto imported = importNetworkIntersection(x, defaultControllerOf(x), tag::kPermissive);
        if (const auto* reason = std::get_if<std::string>(&imported)) {
            if (reason->empty()) std::abort();
            continue;
        }
        WindowState& state = std::get<WindowState>(imported);
        // Every placed phase stands at one position only, with its timing fields enabled.
        int seen[17] = {};
        for (const Position& at : state.plan.positions) {
            const int n = phaseNumber(at.phase);
            if (n && (++seen[n] > 1 || !at.timingEnabled)) std::abort();
            if (at.movementIndex >= static_cast<int>(at.movementList.size())) std::abort();
        }
        calculateWindow(state);
        if (agreementWith(x, state).line.empty()) std::abort();
    }
    return 0;
}
