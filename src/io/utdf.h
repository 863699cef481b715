// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <optional>
#include <variant>

#include "model/window_state.h"

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

// Fixed-column (.dat) or comma-separated form, chosen from the path as the readers do.
enum class UtdfForm { FixedColumns, CommaSeparated };
UtdfForm timingFormOf(const std::string& path);
UtdfForm phasingFormOf(const std::string& path);
UtdfForm lanesFormOf(const std::string& path);

// Pure readers of a file's text; they fill their part of `into`. A failure names
// `fileName` in its message.
std::optional<UtdfError> parseTiming(std::string_view text, UtdfForm form, const std::string& fileName, UtdfImport& into);
std::optional<UtdfError> parsePhasing(std::string_view text, UtdfForm form, const std::string& fileName, UtdfImport& into);
std::optional<UtdfError> parseLanes(std::string_view text, UtdfForm form, const std::string& fileName, UtdfImport& into);

// Reads the three files (PHASING, TIMING, LANES) whole before anything uses them.
std::variant<UtdfImport, UtdfError> readUtdfFiles(const std::string& timingPath,
                                                  const std::string& phasingPath,
                                                  const std::string& lanesPath);

// "Lead" for a lead-lag mark "1", "3", "5", "7" or " ", "Lag" for any other.
std::string arrangementOf(const std::string& leadLagMark);

// Fills the window with an imported signal as "Load" does, before it calculates:
// phases at their positions with their times, locks, movement lists and movements,
// controller ("Nema"/"one70") and mode ("Permissive"/"Yield") from the caller, the
// cycle length, the arrangement with its layout, and the timing fields enabled.
void importInto(WindowState& state, const UtdfImport& values, const std::string& controller,
                const std::string& mode);

}  // namespace tavimo
