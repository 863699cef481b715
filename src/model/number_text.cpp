// SPDX-License-Identifier: MIT
#include "model/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace tavimo {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t'; }

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
    const char* p = text.data();
    const char* end = p + text.size();
    while (p != end && isSpace(*p)) ++p;
    while (end != p && isSpace(end[-1])) --end;

    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';

    // The digits are gathered by hand, so no locale setting can change the decimal
    // separator. Up to 19 digits the mantissa is exact, and with at most 22
    // decimals the power of ten is exact too: one correctly rounded division.
    // Leading zeros count for nothing: "0000000000000000000045" is 45, however many
    // zeros pad it, so only the digits from the first non-zero one are limited.
    std::uint64_t mantissa = 0;
    int digits = 0, decimals = 0;
    bool point = false, anyDigit = false;
    for (; p != end; ++p) {
        const auto digit = static_cast<unsigned>(static_cast<unsigned char>(*p)) - unsigned{'0'};
        if (digit <= 9) {
            anyDigit = true;
            if (digits == 0 && digit == 0) {
                decimals += point;  // 0.05: the zero after the point still scales
                continue;
            }
            if (digits < 19) {
                mantissa = mantissa * 10 + digit;
                decimals += point;
            } else if (!point) {
                --decimals;  // a digit beyond the 19th before the point scales by ten
            }
            ++digits;
        } else if (*p == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit) return std::nullopt;

    double value;
    if (decimals >= 0 && decimals <= 22) value = static_cast<double>(mantissa) / kPowersOfTen[decimals];
    else value = static_cast<double>(mantissa) * std::pow(10.0, -decimals);
    // A value beyond single precision would reach the calculation as infinity.
    const float narrowed = static_cast<float>(negative ? -value : value);
    if (!std::isfinite(narrowed)) return std::nullopt;
    return narrowed;
}

namespace {

// Seven significant digits of a value from 1e-4 up to below 1e7, the range of every
// time and position the timing sheet shows, without the general conversion: a float
// times a power of ten up to 1e11 is exact in a double, so rounding that product to
// a whole number rounds the value itself, an exact half to the even digit as the
// general conversion does. Returns the length of the text, 0 outside that range.
int formatSevenDigits(float value, char (&text)[16]) {
    const double a = std::fabs(static_cast<double>(value));
    if (!(a < 1e7)) return 0;  // also infinity and NaN
    int n = 0;
    if (value < 0) text[n++] = '-';

    // A whole number below 1e7 is its own seven digits: the usual force-off.
    auto whole = static_cast<std::uint32_t>(a);
    if (static_cast<double>(whole) == a && whole != 0) {
        char* const first = text + n;
        do {
            text[n++] = static_cast<char>('0' + whole % 10);
            whole /= 10;
        } while (whole != 0);
        std::reverse(first, text + n);
        return n;
    }

    int exponent = 0;  // decimal exponent of the leading digit
    if (a >= 1) {
        while (a >= kPowersOfTen[exponent + 1]) ++exponent;
    } else {
        const double scaled = a * 1e11;  // exact, and compared with exact powers
        exponent = -1;
        while (exponent > -5 && scaled < kPowersOfTen[exponent + 11]) --exponent;
        if (exponent < -4) return 0;
    }
    double rounded = std::nearbyint(a * kPowersOfTen[6 - exponent]);
    if (rounded >= 1e7) {  // 9999999.5 and the like round up to the next power of ten
        rounded = 1e6;
        if (++exponent > 6) return 0;
    }

    // The seven digits split at the decimal point; the fraction without its
    // trailing zeros.
    whole = static_cast<std::uint32_t>(rounded);
    std::uint32_t fraction = whole;
    int fractionDigits = 6 - exponent;
    if (exponent >= 0) {
        const auto unit = static_cast<std::uint32_t>(kPowersOfTen[fractionDigits]);
        std::uint32_t integer = whole / unit;
        fraction = whole % unit;
        char* const first = text + n;
        do {
            text[n++] = static_cast<char>('0' + integer % 10);
            integer /= 10;
        } while (integer != 0);
        std::reverse(first, text + n);
    } else {
        text[n++] = '0';  // the fraction's digits include the zeros after the point
    }
    if (fraction != 0) {
        while (fraction % 10 == 0) {
            fraction /= 10;
            --fractionDigits;
        }
        text[n++] = '.';
        for (int i = fractionDigits - 1; i >= 0; --i) {
            text[n + i] = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        n += fractionDigits;
    }
    return n;
}

}  // namespace

std::string formatNumber(float value) {
    if (value == 0.0f) return "0";  // also for -0
    char fast[16];
    if (const int length = formatSevenDigits(value, fast)) return std::string(fast, static_cast<std::size_t>(length));
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

std::string formatNumber(const std::optional<float>& value) { return value ? formatNumber(*value) : std::string(); }

std::string decimalsText(double value, int places) {
    if (!std::isfinite(value)) return "";
    char text[64];
    const auto [end, failed] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, places);
    if (failed != std::errc()) return "";
    std::string result(text, end);
    if (result.find('.') != std::string::npos) {
        result.erase(result.find_last_not_of('0') + 1);
        if (result.back() == '.') result.pop_back();
    }
    return result == "-0" ? "0" : result;
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
