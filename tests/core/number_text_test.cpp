// SPDX-License-Identifier: MIT
#include "model/number_text.h"

#include <clocale>
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
    };
    for (const auto& c : cases) EXPECT_EQ(parseNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(NumberText, WritesShortestTextWithAtMostSevenDigits) {
    const std::pair<float, const char*> cases[] = {
        {35.f, "35"},     {29.5f, "29.5"},  {-2.f, "-2"},       {0.f, "0"},     {-0.f, "0"},
        {0.5f, "0.5"},    {3.5f, "3.5"},    {1923.077f, "1923.077"}, {0.1f + 0.2f, "0.3"},
        {100.f / 3.f, "33.33333"}, {45.99999f, "45.99999"}, {1e7f, "1E+07"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(formatNumber(value), text);
}

TEST(NumberText, IgnoresTheLocaleDecimalComma) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = old ? old : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no German locale";
    EXPECT_EQ(formatNumber(29.5f), "29.5");
    EXPECT_EQ(parseNumber("29.5"), 29.5f);
    std::setlocale(LC_NUMERIC, saved.c_str());
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
