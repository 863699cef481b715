// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavimo {

// Reads a number the way an engineer types it: blanks around an optional sign,
// digits and at most one '.'. Anything else (a letter, a decimal comma, an empty
// text) is not a number. Independent of the locale.
std::optional<float> parseNumber(std::string_view text);

// No signal runs a time of 100000 s (27 hours). Below that the sums of a cycle stay
// finite and every result is written in plain digits that read back; above it, an
// amber of 3e38 and an all-red of 3e38 would make an infinite clearance.
constexpr float kLargestTime = 100000.f;
inline bool isTimeInRange(float seconds) { return seconds > -kLargestTime && seconds < kLargestTime; }

// True when the text is empty or made of blanks only.
bool isBlank(std::string_view text);

// The shortest text of a single-precision value with at most seven significant
// digits, no trailing zeros and '.' as the decimal separator: 35, 29.5, -2, 0.5.
std::string formatNumber(float value);
// The same of a value that may not be given: empty where none is.
std::string formatNumber(const std::optional<float>& value);

// A figure of a calculation with at most `places` decimals, trailing zeros dropped
// ("47.37", "12"); empty for a figure that is not finite.
std::string decimalsText(double value, int places);

// Nearest whole number; an exact half goes to the even neighbour.
float roundHalfEven(float value);

// Nearest value with one decimal; an exact half goes to the even last digit.
float roundToTenth(float value);

}  // namespace tavimo
