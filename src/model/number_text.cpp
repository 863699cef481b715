// SPDX-License-Identifier: MIT
#include "model/number_text.h"

#include <cmath>
#include <cstdio>

namespace tavimo {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

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

    std::size_t i = 0;
    if (i < body.size() && (body[i] == '+' || body[i] == '-')) ++i;
    int digits = 0, points = 0;
    for (; i < body.size(); ++i) {
        if (isDigit(body[i])) ++digits;
        else if (body[i] == '.' && points == 0) ++points;
        else return std::nullopt;
    }
    if (digits == 0) return std::nullopt;

    // Built by hand from the digits, so no locale setting can change the decimal
    // separator; long double keeps every typed digit before the one narrowing.
    long double mantissa = 0;
    int exponent = 0;
    bool negative = false, afterPoint = false;
    for (char c : body) {
        if (c == '-') negative = true;
        else if (c == '.') afterPoint = true;
        else if (isDigit(c)) {
            mantissa = mantissa * 10 + (c - '0');
            if (afterPoint) --exponent;
        }
    }
    long double value = mantissa * std::pow(10.0L, exponent);
    if (negative) value = -value;
    return static_cast<float>(value);
}

std::string formatNumber(float value) {
    if (value == 0.0f) return "0";  // also for -0
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.7g", static_cast<double>(value));
    std::string text(buffer);
    // snprintf honours LC_NUMERIC; the project's files always use '.'.
    for (char& c : text)
        if (c == ',') c = '.';
    std::size_t e = text.find_first_of("eE");
    std::string exponent = e == std::string::npos ? "" : text.substr(e);
    std::string digits = e == std::string::npos ? text : text.substr(0, e);
    if (digits.find('.') != std::string::npos) {
        while (!digits.empty() && digits.back() == '0') digits.pop_back();
        if (!digits.empty() && digits.back() == '.') digits.pop_back();
    }
    if (!exponent.empty()) {
        // 1e+07 is written the way spreadsheets and controllers read it: 1E+07.
        exponent[0] = 'E';
    }
    return digits + exponent;
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
