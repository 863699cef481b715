// SPDX-License-Identifier: MIT
// PHASING reader in both forms: the first byte picks the form (odd: comma-separated),
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
    if (auto error = parsePhasing(text, form, "PHASING", values)) {
        if (error->message.empty()) std::abort();
        return 0;
    }
    // Fixed columns give at most three characters a value.
    if (form == UtdfForm::FixedColumns)
        for (const auto* texts : {&values.green, &values.amber, &values.red})
            for (const std::string& t : *texts)
                if (t.size() > 3) std::abort();
    values.split.fill("10");
    values.cycleLength = "80";
    WindowState state = WindowState::fresh();
    importInto(state, values, "one70", "Yield");
    return 0;
}
