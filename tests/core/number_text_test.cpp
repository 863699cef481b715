// SPDX-License-Identifier: MIT
#include "model/number_text.h"

#include <charconv>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <locale>
#include <sstream>
#include <gtest/gtest.h>

namespace tavimo {
namespace {

struct ParseCase {
    const char* text;
    std::optional<float> expected;
};

TEST(NumberText, ReadsWhatEngineersType) {
    const ParseCase cases[] = {
        {"35", 35.f},      {" 25", 25.f},   {"25 ", 25.f},   {"4.0", 4.f},     {"3.5", 3.5f},
        {".5", 0.5f},      {"5.", 5.f},     {"-2", -2.f},    {"+7", 7.f},      {" - 3 ", std::nullopt},
        {"", std::nullopt}, {"   ", std::nullopt}, {"3,5", std::nullopt}, {"1.2.3", std::nullopt},
        {"12a", std::nullopt}, {"-", std::nullopt}, {".", std::nullopt}, {"1e3", std::nullopt},
        {"340282366920938463463374607431768211456000", std::nullopt},  // beyond single precision
        // Leading zeros count for nothing, however many there are.
        {"0000000000000000000045", 45.f}, {"0000000000000000000100", 100.f}, {"-000000000000000000000027.5", -27.5f},
        {"0.0000000000000000000005", 5e-22f}, {"00000000000000000000000", 0.f}, {"000000000000000000000.", 0.f},
    };
    for (const auto& c : cases) EXPECT_EQ(parseNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(NumberText, WritesShortestTextWithAtMostSevenDigits) {
    const std::pair<float, const char*> cases[] = {
        {35.f, "35"},     {29.5f, "29.5"},  {-2.f, "-2"},       {0.f, "0"},     {-0.f, "0"},
        {0.5f, "0.5"},    {3.5f, "3.5"},    {1923.077f, "1923.077"}, {0.1f + 0.2f, "0.3"},
        {100.f / 3.f, "33.33333"}, {45.99999f, "45.99999"}, {1e7f, "1E+07"},
        // An exact half at the eighth digit goes to the even seventh.
        {123456.75f, "123456.8"}, {123456.25f, "123456.2"}, {1234567.5f, "1234568"},
        {9999999.f, "9999999"},   {-0.4000001f, "-0.4000001"}, {0.0001234567f, "0.0001234567"},
        {0.0001f, "0.0001"},      {1e-5f, "1E-05"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(formatNumber(value), text);
}

// The digits are worked out by hand for the usual range; across it they must be the
// standard conversion's seven significant digits, trailing zeros dropped.
TEST(NumberText, WritesWhatTheGeneralConversionWrites) {
    auto general = [](float value) {
        char buffer[32];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7).ptr;
        std::string text(buffer, end);
        const std::size_t e = text.find('e');
        std::string digits = text.substr(0, e);
        if (digits.find('.') != std::string::npos) {
            digits.erase(digits.find_last_not_of('0') + 1);
            if (digits.back() == '.') digits.pop_back();
        }
        return e == std::string::npos ? digits : digits + "E" + text.substr(e + 1);
    };
    const float from = 1e-6f, to = 1e8f;
    std::uint32_t first, last;
    std::memcpy(&first, &from, sizeof first);
    std::memcpy(&last, &to, sizeof last);
    int mismatches = 0;
    for (std::uint32_t bits = first; bits <= last && mismatches < 5; bits += 997) {
        float value;
        std::memcpy(&value, &bits, sizeof value);
        for (float v : {value, -value})
            if (formatNumber(v) != general(v)) {
                ++mismatches;
                ADD_FAILURE() << "value " << v << ": " << formatNumber(v) << " vs " << general(v);
            }
    }
}

// A machine set up for German writes 29,5. The C++ side gets a locale built here,
// so the check runs on every machine; the C side a German one where it is installed.
struct DecimalComma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(NumberText, IgnoresTheLocaleDecimalComma) {
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new DecimalComma));
    const std::string savedC = std::setlocale(LC_ALL, nullptr);
    const bool germanC = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "de_DE");
    std::ostringstream shown;
    shown << 29.5;
    ASSERT_EQ(shown.str(), "29,5");  // the comma locale is in force
    if (germanC) {
        char c[16];
        std::snprintf(c, sizeof c, "%.1f", 29.5);
        EXPECT_STREQ(c, "29,5");
    }

    EXPECT_EQ(formatNumber(29.5f), "29.5");
    EXPECT_EQ(formatNumber(1234567.f), "1234567");
    EXPECT_EQ(formatNumber(1e7f), "1E+07");
    EXPECT_EQ(parseNumber("29.5"), 29.5f);
    EXPECT_EQ(parseNumber("29,5"), std::nullopt);

    std::setlocale(LC_ALL, savedC.c_str());
    std::locale::global(previous);
}

TEST(NumberText, RoundsHalvesToEven) {
    EXPECT_EQ(roundHalfEven(2.5f), 2.f);
    EXPECT_EQ(roundHalfEven(3.5f), 4.f);
    EXPECT_EQ(roundHalfEven(-0.5f), -0.f);
    EXPECT_EQ(roundHalfEven(2.51f), 3.f);
    EXPECT_EQ(roundToTenth(2.25f), 2.2f);
    EXPECT_EQ(roundToTenth(2.75f), 2.8f);
    EXPECT_EQ(roundToTenth(10.04f), 10.f);
    EXPECT_EQ(roundToTenth(-1.25f), -1.2f);
}

}  // namespace
}  // namespace tavimo
