// SPDX-License-Identifier: MIT
// TIMING reader in both forms: the first byte picks the form (odd: comma-separated),
// the rest is the file's text. A read that succeeds is imported into a window.
#include <cstdint>
#include <cstdlib>

#include "io/utdf.h"
#include "utdf_fuzz_input.h"
#include "model/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavimo;
    if (size == 0) return 0;
    const auto [form, text] = fuzz::utdfInput(data, size);
    UtdfImport values;
    if (auto error = parseTiming(text, form, "TIMING", values)) {
        if (error->message.empty()) std::abort();
        return 0;
    }
    // A read that succeeds always carries a finite cycle length (exponent forms such
    // as 6E+13 come from absurd files) and a mark of at most one character.
    const std::string& cycle = values.cycleLength;
    if (isBlank(cycle) || cycle.find_first_of("nNiI") != std::string::npos || values.leadLagMark.size() > 1)
        std::abort();
    WindowState state = WindowState::fresh();
    importInto(state, values, "Nema", "Permissive");
    return 0;
}
