// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>

namespace tavimo {

// The values read from one set of UTDF files (TIMING, PHASING, LANES) for phases
// 1..8 (index 0..7), all texts.
struct UtdfImport {
    std::array<std::string, 8> split, green, amber, red, direction;
    std::string cycleLength;
    std::string leadLagMark;
};

// A reading failure, with a message naming the file and the problem.
struct UtdfError {
    std::string message;
};

}  // namespace tavimo
