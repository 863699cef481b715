// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "io/utdf.h"

namespace tavimo::fuzz {

// A UTDF reader's fuzz input: the first byte picks the form (odd: comma-separated),
// the rest is the file's text.
struct UtdfInput {
    UtdfForm form;
    std::string_view text;
};

inline UtdfInput utdfInput(const std::uint8_t* data, std::size_t size) {
    return {data[0] & 1 ? UtdfForm::CommaSeparated : UtdfForm::FixedColumns,
            std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1)};
}

}  // namespace tavimo::fuzz
