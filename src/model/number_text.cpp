// SPDX-License-Identifier: MIT
#include "model/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace tavimo {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

}  // namespace

bool isBlank(std::string_view text) {
    for (char c : text)
        if (c != ' ') return false;
    return true;
}

std::optional<float> parseNumber(std::string_view text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && isSpace(text[begin])) ++begin;
    while (end > begin && isSpace(text[end - 1])) --end;
    std::string_view body = text.substr(begin, end - begin);

    bool negative = false;
    std::size_t i = 0;
    if (i < body.size() && (body[i] == '+' || body[i] == '-')) negative = body[i++] == '-';

    // The digits are gathered by hand, so no locale setting can change the decimal
    // separator. Up to 19 digits the mantissa is exact, and with at most 22
    // decimals the power of ten is exact too: one correctly rounded division.
    std::uint64_t mantissa = 0;
    int digits = 0, decimals = 0, points = 0;
    bool exact = true;
    for (; i < body.size(); ++i) {
        const char c = body[i];
        if (isDigit(c)) {
            if (digits == 19) exact = false;
            if (exact) {
                mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
                if (points) ++decimals;
            } else if (!points) {
                --decimals;  // a digit beyond the 19th before the point scales by ten
            }
            ++digits;
        } else if (c == '.' && points == 0) {
            ++points;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;

    double value;
    if (decimals >= 0 && decimals <= 22) value = static_cast<double>(mantissa) / kPowersOfTen[decimals];
    else value = static_cast<double>(mantissa) * std::pow(10.0, -decimals);
    // A value beyond single precision would reach the calculation as infinity.
    const float narrowed = static_cast<float>(negative ? -value : value);
    if (!std::isfinite(narrowed)) return std::nullopt;
    return narrowed;
}

std::string formatNumber(float value) {
    if (value == 0.0f) return "0";  // also for -0
    // Seven significant digits in the general form, never touched by the locale.
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));

    const std::size_t e = text.find('e');
    std::string_view digits = text.substr(0, e);
    if (digits.find('.') != std::string_view::npos) {
        while (!digits.empty() && digits.back() == '0') digits.remove_suffix(1);
        if (!digits.empty() && digits.back() == '.') digits.remove_suffix(1);
    }
    std::string out(digits);
    if (e != std::string_view::npos) {
        // 1e+07 is written the way spreadsheets and controllers read it: 1E+07.
        out += 'E';
        out += text.substr(e + 1);
    }
    return out;
}

float roundHalfEven(float value) {
    return static_cast<float>(std::nearbyint(static_cast<double>(value)));
}

float roundToTenth(float value) {
    // 2.25f is exact and goes to the even 2.2; 0.35f is stored as 0.3499999 and
    // goes to 0.3, as the stored value says.
    double scaled = static_cast<double>(value) * 10.0;
    double nearest = std::nearbyint(scaled);
    return static_cast<float>(nearest / 10.0);
}

}  // namespace tavimo
