// SPDX-License-Identifier: MIT
#include "utdf_text.h"

#include <cmath>

#include "model/number_text.h"

#include "text_lines.h"

namespace tavimo::utdf {

Lines::Lines(std::string_view text) {
    TextLines cut(text);
    for (int number = 1; number <= kLastLineRead; ++number) {
        const std::optional<std::string_view> line = cut.next();
        if (!line) break;
        lines_[number] = *line;
        count_ = number;
    }
}

std::string_view Lines::line(int number) const {
    if (number < 1 || number > kLastLineRead) return {};
    return lines_[number];
}

std::string_view columns(std::string_view line, int first, int last) {
    if (first < 1 || last < first) return {};
    const std::size_t begin = static_cast<std::size_t>(first - 1);
    if (begin >= line.size()) return {};
    return line.substr(begin, static_cast<std::size_t>(last - first + 1));
}

std::optional<std::string_view> field(std::string_view line, std::size_t number) {
    if (number < 1) return std::nullopt;
    std::size_t start = 0;
    for (std::size_t i = 1; i < number; ++i) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) return std::nullopt;
        start = comma + 1;
    }
    const std::size_t comma = line.find(',', start);
    return line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
}

std::optional<std::string> numberText(std::string_view fieldText) {
    // parseNumber already refuses forty digits that overflow a float.
    const std::optional<float> value = parseNumber(fieldText);
    if (!value) return std::nullopt;
    return formatNumber(*value);
}

std::optional<std::string> convertedField(std::string_view fieldText, const std::string& emptyValue) {
    if (isBlank(fieldText)) return emptyValue;
    return numberText(fieldText);
}

std::optional<std::string> notATime(std::string_view value) {
    if (isBlank(value)) return std::nullopt;
    const std::optional<float> seconds = parseNumber(value);
    // A converted field of 1E+07 s or more (or below 1E-04) is written with an
    // exponent, which no time field reads: it is out of range, not a typing error.
    const std::size_t exponent = value.find('E');
    if (!seconds && exponent != std::string_view::npos && parseNumber(value.substr(0, exponent)))
        return "which is out of range";
    if (!seconds) return "which is not a number";
    if (!isTimeInRange(*seconds)) return "which is out of range";
    return std::nullopt;
}

std::string fileMessage(const char* kind, const std::string& fileName, const std::string& problem) {
    return std::string("The ") + kind + " file \"" + fileName + "\" " + problem;
}

std::string quoted(std::string_view value) {
    constexpr std::size_t kShown = 24;
    std::string text = "\"";
    for (std::size_t i = 0; i < value.size() && i < kShown; ++i) {
        const unsigned char c = static_cast<unsigned char>(value[i]);
        text += (c >= 0x20 && c < 0x7f) ? static_cast<char>(c) : '?';
    }
    if (value.size() > kShown) text += "...";
    return text + "\"";
}

std::optional<long long> wholeNumber(std::string_view text) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<int> smallWholeNumber(const std::string& text) {
    const auto value = parseNumber(text);
    if (!value || !(*value > -1e4f && *value < 1e4f) || *value != std::trunc(*value)) return std::nullopt;
    return static_cast<int>(*value);
}

}  // namespace tavimo::utdf
