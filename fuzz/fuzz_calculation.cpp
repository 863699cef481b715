// SPDX-License-Identifier: MIT
// "Calculate" on plans made from fuzz bytes. The input is laid out like a project
// file, so the .tvm files of the tests seed it:
//   line 1 movements (a position with a movement has its split field enabled),
//   lines 2-5 splits, minimum greens, ambers, all-reds, line 6 the phase order,
//   line 7 cycle length, arrangement, controller, mode,
//   lines 8-10 (optional) force-off, permissive start and end texts before the run.
// Each line's first value is skipped as its keyword; values are cut at commas.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "calc/calculation.h"
#include "model/window_state.h"

namespace {

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start <= text.size() && lines.size() < 10) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++start;
    }
    lines.resize(10);
    return lines;
}

template <std::size_t N>
std::array<std::string, N> valuesOf(std::string_view line) {
    std::array<std::string, N> values;
    std::size_t start = line.find(',');
    if (start == std::string_view::npos) return values;
    ++start;
    for (std::size_t i = 0; i < N && start <= line.size(); ++i) {
        std::size_t end = line.find(',', start);
        if (end == std::string_view::npos) end = line.size();
        values[i] = std::string(line.substr(start, end - start));
        start = end + 1;
    }
    return values;
}

// A result the run writes is a number or nothing; "nan" or "inf" on a controller
// sheet would be a wrong result, not a message. Texts the run keeps are the input's.
bool usableResult(const std::string& before, const std::string& after) {
    if (after == before) return true;
    std::string lower;
    for (char c : after) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower.find("nan") == std::string::npos && lower.find("inf") == std::string::npos;
}

// Absurd times (an amber of 1E+36 s) give bars of infinite or no width; a NaN is
// the same NaN on both runs, though it never compares equal.
bool sameNumber(float a, float b) { return a == b || (std::isnan(a) && std::isnan(b)); }

template <std::size_t N>
bool sameBoxes(const std::array<tavimo::Box, N>& a, const std::array<tavimo::Box, N>& b) {
    for (std::size_t i = 0; i < N; ++i)
        if (!sameNumber(a[i].left, b[i].left) || !sameNumber(a[i].top, b[i].top) ||
            !sameNumber(a[i].width, b[i].width) || !sameNumber(a[i].height, b[i].height) ||
            a[i].visible != b[i].visible)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavimo;
    const auto lines = linesOf(std::string_view(reinterpret_cast<const char*>(data), size));
    CalcInput in;
    const auto movements = valuesOf<8>(lines[0]);
    for (int k = 0; k < 8; ++k) in.splitEnabled[k] = !movements[k].empty();
    in.split = valuesOf<8>(lines[1]);
    in.green = valuesOf<8>(lines[2]);
    in.amber = valuesOf<8>(lines[3]);
    in.red = valuesOf<8>(lines[4]);
    in.phase = valuesOf<8>(lines[5]);
    const auto misc = valuesOf<4>(lines[6]);
    in.cycleLength = misc[0];
    in.arrangement = misc[1];
    in.controller = misc[2];
    in.mode = misc[3];
    in.force = valuesOf<8>(lines[7]);
    in.pps = valuesOf<8>(lines[8]);
    in.ppe = valuesOf<8>(lines[9]);
    in.chart = ChartLayout::designed();
    if (in.arrangement == tag::kLag) applyLagWindowLayout(in.chart);

    const CalcOutcome out = calculate(in);
    // The calculation keeps nothing between runs.
    const CalcOutcome again = calculate(in);
    if (again.stop != out.stop || again.force != out.force || again.pps != out.pps || again.ppe != out.ppe ||
        !sameBoxes(again.chart.windows, out.chart.windows))
        std::abort();
    if (out.stop == CalcStop::Completed)
        for (int k = 0; k < 8; ++k)
            if (!usableResult(in.force[k], out.force[k]) || !usableResult(in.pps[k], out.pps[k]) ||
                !usableResult(in.ppe[k], out.ppe[k]))
                std::abort();
    return 0;
}
