// SPDX-License-Identifier: MIT
// LANES reader in both forms: the first byte picks the form (odd: comma-separated),
// the rest is the file's text.
#include <cstdint>
#include <cstdlib>

#include "io/utdf.h"
#include "utdf_fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavimo;
    if (size == 0) return 0;
    const auto [form, text] = fuzz::utdfInput(data, size);
    UtdfImport values;
    // The LANES reader never fails; every direction is at most two characters.
    if (parseLanes(text, form, "LANES", values)) std::abort();
    for (const std::string& direction : values.direction)
        if (direction.size() > 2) std::abort();
    values.split.fill("10");
    values.cycleLength = "80";
    for (const char* mark : {"1", "2"}) {
        values.leadLagMark = mark;
        WindowState state = WindowState::fresh();
        importInto(state, values, "Nema", "Yield");
        // Every selected movement is an entry of its position's list.
        for (const Position& at : state.plan.positions)
            if (at.movementIndex >= static_cast<int>(at.movementList.size())) std::abort();
    }
    return 0;
}
