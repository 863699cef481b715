// SPDX-License-Identifier: MIT
// Inputs the fuzzers once stopped at, kept in tests/data/fuzz/<target>/ and replayed.
#include <cmath>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "calc/calculation.h"
#include "io/signal_arrival.h"
#include "io/utdf_import.h"
#include "io/utdf_readers.h"
#include "support/file_text.h"

namespace tavimo {
namespace {

std::string fuzzInput(const std::string& target, const std::string& name) {
    const std::string text = test::fileText(std::string(TAVIMO_TEST_DATA) + "/fuzz/" + target + "/" + name);
    EXPECT_FALSE(text.empty()) << name;
    return text;
}

bool hasNanOrInf(const std::string& text) {
    return text.find("nan") != std::string::npos || text.find("inf") != std::string::npos;
}

// Every result text of the run is a number or empty.
void expectResultsAreNumbers(const CalcOutcome& out) {
    for (int k = 0; k < 8; ++k) {
        EXPECT_FALSE(hasNanOrInf(out.force[k])) << k << ": " << out.force[k];
        EXPECT_FALSE(hasNanOrInf(out.pps[k])) << k << ": " << out.pps[k];
        EXPECT_FALSE(hasNanOrInf(out.ppe[k])) << k << ": " << out.ppe[k];
    }
}

// A cycle length of 6E+13 seconds is absurd but a number: the reader delivers it in
// the program's exponent form and leaves the verdict to the calculation.
TEST(FuzzFindings, TimingWithAHugeCycleLength) {
    const std::string input = fuzzInput("fuzz_utdf_timing", "huge-cycle-length");
    UtdfImport values;
    const auto error = parseTiming(std::string_view(input).substr(1), UtdfForm::CommaSeparated, "TIMING", values);
    ASSERT_FALSE(error) << error->message;
    EXPECT_EQ(values.cycleLength, "6E+13");
    EXPECT_EQ(values.split[1], "3E+13");
    EXPECT_EQ(values.leadLagMark, "6");  // field 13 is "6.0": lagging lefts
    WindowState state = importedSignal(values, "Nema", "Permissive");
    EXPECT_EQ(state.plan.cycleCopy, "6E+13");
}

// An amber of 388888888.5 s gives force-offs far outside the cycle, still numbers.
TEST(FuzzFindings, CalculationWithAHugeAmber) {
    EXPECT_FALSE(fuzzInput("fuzz_calculation", "huge-amber").empty());
    CalcInput in;
    in.phase = {"1", "2", "3", "4", "5", "6", "7", "8"};
    in.split = {"15", "45", "12", "28", "15", "45", "12", "28"};
    in.green = {"5", "20", "5", "10", "5", "20", "5", "10"};
    in.amber = {"388888888.5", "4", "3.5", "4", "3.5", "4", "3.5", "4"};
    in.red = {"1", "1.5", "1", "1", ".5", "11.5", "1", "1.5"};
    in.splitEnabled.fill(true);
    in.cycleLength = "100";
    in.arrangement = "Lead";
    in.controller = "Nema(Permi\x8fsive";
    in.mode = "Main and 1st";
    in.chart = ChartLayout::designed();
    const CalcOutcome out = calculate(in);
    expectResultsAreNumbers(out);
}

// A 45-digit amber once read as infinity and the run wrote "-inf" force-offs; a
// number beyond single precision is not a number, so the run stops untouched.
TEST(FuzzFindings, CalculationWithAnOverflowingAmber) {
    EXPECT_FALSE(fuzzInput("fuzz_calculation", "overflowing-amber").empty());
    CalcInput in;
    in.phase = {"", "3", "", "4", "", "6\xff", "", ""};
    in.split = {"", "60", "", "40", "", "60", "", ""};
    in.green = {"", "20", "", "10", "", "20", "", ""};
    in.amber = {"", "4", "", "333333333333333333333333333333330000000000333.5", "", "4", "", ""};
    in.red = {"", "1.5", "", "1", "", "1.5", "", ""};
    in.splitEnabled = {false, true, false, true, false, true, false, false};
    in.cycleLength = "100";
    in.arrangement = "Lead";
    in.controller = "N";
    in.chart = ChartLayout::designed();
    const CalcOutcome out = calculate(in);
    expectResultsAreNumbers(out);
    EXPECT_EQ(out.stop, CalcStop::BadNumber);
}

// An amber near the top of single precision in a Lag Yield plan once scaled the
// chart's bars to infinite or undefined widths; such a time is out of range now, and
// the run stops before the chart changes.
TEST(FuzzFindings, CalculationWithAnAmberNearTheFloatLimit) {
    EXPECT_FALSE(fuzzInput("fuzz_calculation", "huge-amber-in-a-lag-yield-plan").empty());
    CalcInput in;
    in.phase = {"1", "2", "3", "4", "5", "6", "7", "8"};
    in.split = {" 18", "24.0", "20", "35", "18", "27", "15", "40"};
    in.green = {"4", "15", "4", "12", "4", "15", "4", "12"};
    in.amber = {"33333333333333", "3.6", "32", "4.3", "7777777777777777777777777777777777773", "3.6", "3", "4.3"};
    in.red = {"2.2", "1.6", "3.1", "1.62", "2.", "1.6", "3.1", "1.6"};
    in.splitEnabled.fill(true);
    in.cycleLength = "100";
    in.arrangement = "L=ead";
    in.controller = "Nema";
    in.mode = "Yield";
    in.chart = ChartLayout::designed();
    const CalcOutcome out = calculate(in);
    expectResultsAreNumbers(out);
    EXPECT_EQ(out.stop, CalcStop::BadNumber);
    ASSERT_TRUE(out.message);
    EXPECT_EQ(out.message->text, "Amber Time at position 1 is out of range!");
    EXPECT_EQ(out.chart.windows[PP5].width, in.chart.windows[PP5].width);
}

}  // namespace
}  // namespace tavimo

