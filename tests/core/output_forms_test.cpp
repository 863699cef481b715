// SPDX-License-Identifier: MIT
// The csv and json forms read back by readers of their own (Python's csv and json
// modules): what was written comes back exactly, numbers as numbers.
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <unistd.h>

#include "calc/window_calculation.h"
#include "io/project_read.h"
#include "io/signal_arrival.h"
#include "output/results_forms.h"
#include "support/file_text.h"

namespace tavimo {
namespace {

// Runs a Python program on `input`; its standard output.
std::string python(const std::string& program, const std::string& input) {
    const std::string in = ::testing::TempDir() + "tavimo_output_forms_" + std::to_string(::getpid());
    std::ofstream(in, std::ios::binary) << input;
    FILE* pipe = popen(("python3 -c '" + program + "' < '" + in + "'").c_str(), "r");
    std::string out;
    if (!pipe) return out;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, got);
    pclose(pipe);
    return out;
}

// Python's csv module, strict, its records handed back as JSON.
nlohmann::json csvRead(const std::string& csv) {
    return nlohmann::json::parse(python(
        "import csv, json, sys; print(json.dumps(list(csv.reader(sys.stdin.read().splitlines(True), strict=True))))",
        csv));
}

TEST(OutputForms, CsvFieldsComeBackExactlyThroughARealCsvReader) {
    const std::vector<std::string> fields = {
        "Main, \"North\"\nand 1st",                     // a description
        "43 here, 44 in the file; \"x\" differs\r\n",   // a note
        "plain", "", "\"", ",", "a\"\"b", " spaced ",
    };
    std::string line;
    for (const std::string& f : fields) line += (line.empty() ? "" : ",") + csvField(f);
    EXPECT_EQ(csvField("plain"), "plain");  // a plain field stays as it was, so plain runs print as before
    EXPECT_EQ(csvRead(line + "\n"), nlohmann::json::array({fields}));
}

// The example plan with other splits and cycle, calculated.
WindowState calculatedExample(const std::string& splits, const std::string& cycle, CheckedRun& run) {
    std::string text = test::fileText(TAVIMO_TEST_DATA "/main-and-1st.tvm");
    text.replace(text.find("splits,15,45,12,28,15,45,12,28"), 30, "splits," + splits);
    text.replace(text.find("misc,100"), 8, "misc," + cycle);
    auto opened = openedSignal(parseProject(text), "x.tvm");
    WindowState state = std::get<WindowState>(opened);
    run = calculateAndCheckWindow(state);
    return state;
}

TEST(OutputForms, JsonNumbersReadAsTheWindowsTextReads) {
    const struct {
        const char* text;
        Json value;
        const char* written;
    } cases[] = {
        {"0.3999996", 0.3999996, "0.3999996"}, {"45", 45, "45"},   {"0045", 45, "45"},     {"-1.5", -1.5, "-1.5"},
        {"95.5", 95.5, "95.5"},                {"", nullptr, "null"}, {"abc", "abc", "\"abc\""},
        {"1e5", "1e5", "\"1e5\""},             {"1.2.3", "1.2.3", "\"1.2.3\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(jsonNumber(c.text), c.value) << c.text;
        EXPECT_EQ(jsonNumber(c.text).dump(), c.written) << c.text;
    }

    CheckedRun run;
    const WindowState state = calculatedExample("15,45,12,28,15,45,12,28", "100", run);
    std::ostringstream json;
    printJson(signalJson(state, nullptr, &run.warnings), json);
    // Python's reader, an independent one: types and values as the window shows them.
    const std::string read = python(
        "import json, sys; d = json.load(sys.stdin); p = d[\"positions\"]; "
        "print(d[\"controller\"], type(d[\"cycle_length\"]).__name__, p[0][\"force_off\"], type(p[0][\"phase\"]).__name__, "
        "p[1][\"permissive_start\"], p[0][\"movement\"])",
        json.str());
    EXPECT_EQ(read, "NEMA TS2 int 95.5 int None SB\n");
}

}  // namespace
}  // namespace tavimo
