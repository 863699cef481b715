// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "io/utdf_values.h"

namespace tavimo {

// Fixed-column (.dat) or comma-separated form, chosen from the path as the readers do:
// the extension is the four characters from the last "." of the path. TIMING and
// PHASING are comma-separated only for ".csv"/".CSV"; LANES is fixed-column only for
// ".dat"/".DAT". A path without "." is refused by readUtdfFiles.
enum class UtdfForm { FixedColumns, CommaSeparated };
std::optional<std::string> utdfExtension(const std::string& path);  // nothing without "."
UtdfForm timingFormOf(const std::string& path);
UtdfForm phasingFormOf(const std::string& path);
UtdfForm lanesFormOf(const std::string& path);

// Pure readers of a file's text; they fill their part of `into` and leave it
// untouched when they fail. A failure names `fileName` in its message.
//  - TIMING (line 3): split(1..8), cycle length, lead-lag mark. Fails when the cycle
//    length is blank or not a number, or when a comma-separated split or lead-lag
//    field holds something other than a number or blanks (blanks count as empty).
//  - PHASING (lines 4, 10, 11): green, amber, red. Fails when a comma-separated value
//    it converts holds something other than a number or blanks.
//  - LANES (lines 2, 12): direction(1..8). It takes what it finds: in the
//    comma-separated form any character of line 12 other than a digit or a comma is
//    ignored, and checkImport refuses a file without the lines it needs.
std::optional<UtdfError> parseTiming(std::string_view text, UtdfForm form, const std::string& fileName, UtdfImport& into);
std::optional<UtdfError> parsePhasing(std::string_view text, UtdfForm form, const std::string& fileName, UtdfImport& into);
void parseLanes(std::string_view text, UtdfForm form, UtdfImport& into);

// What the readers let through but the import must not take, with the file and line
// named: a PHASING file without the lines of its times, a LANES file without line 12,
// with no phase 1-8 in it or with a phase 10-16, and a split, time or cycle length
// that is not a number below 100000 in magnitude (a fixed-column slice included).
std::optional<UtdfError> checkImport(const UtdfImport& values, std::string_view phasingText,
                                     std::string_view lanesText, UtdfForm lanesForm, const std::string& timingPath,
                                     const std::string& phasingPath, const std::string& lanesPath);

// The texts of the three files, read whole.
struct UtdfTexts {
    std::string_view timing, phasing, lanes;
};

// Reads the three texts (PHASING, TIMING, LANES, each in the form its path gives) and
// checks them (checkImport); the values are UTF-8.
std::variant<UtdfImport, UtdfError> parseUtdfFiles(const UtdfTexts& texts, const std::string& timingPath,
                                                   const std::string& phasingPath, const std::string& lanesPath);

// Reads the three files (PHASING, TIMING, LANES) whole and checks them (checkImport)
// before anything uses them.
std::variant<UtdfImport, UtdfError> readUtdfFiles(const std::string& timingPath,
                                                  const std::string& phasingPath,
                                                  const std::string& lanesPath);

}  // namespace tavimo
