// SPDX-License-Identifier: MIT
#include "cli/calc_command.h"
#include "cli/calc_options.h"
#include "calc_in_process.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <sys/wait.h>

#include "support/file_text.h"

namespace tavimo::cli {
namespace {

const std::string kPlan = TAVIMO_TEST_DATA "/main-and-1st.tvm";

// A file of its own for each test, so tests may run side by side.
std::string writeTemp(const std::string& name, const std::string& text) {
    const std::string path = ::testing::TempDir() + "tavimo_cli_" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string planText(const std::string& movements, const std::string& splits, const std::string& misc) {
    return "movements," + movements + "\r\nsplits," + splits +
           "\r\nminGreen,5,20,5,10,5,20,5,10,\r\namber,3.5,4,3.5,4,3.5,4,3.5,4,\r\n"
           "red,1,1.5,1,1.5,1,1.5,1,1.5,\r\norder,1,2,3,4,5,6,7,8,\r\nmisc," + misc + "\r\n";
}

const char* const kCsvHeader =
    "position,phase,movement,split,min_green,amber,all_red,force_off,permissive_start,permissive_end,warnings,ring,"
    "barrier\n";

using test::fileText;

// A folder of tests/data/cli holds one run of the calculator: `args`, one argument a
// line ({data} stands for tests/data, {case} for the folder), the files they name and
// `stdout`, what the calculator printed when the results were checked by hand.
const std::string kCases = TAVIMO_TEST_DATA "/cli/";

std::string expected(const std::string& name) { return fileText(kCases + name + "/stdout"); }

void expectGolden(const std::string& name) {
    SCOPED_TRACE(name);
    std::vector<std::string> args;
    std::istringstream lines(fileText(kCases + name + "/args"));
    for (std::string line; std::getline(lines, line);) {
        for (const auto& [from, to] : {std::pair<std::string, std::string>{"{data}", TAVIMO_TEST_DATA},
                                       {"{case}", kCases + name}})
            if (line.rfind(from, 0) == 0) line = to + line.substr(from.size());
        args.push_back(line);
    }
    ASSERT_FALSE(args.empty());
    const std::string want = expected(name);
    ASSERT_FALSE(want.empty());
    const Result r = run(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, want);
    EXPECT_EQ(r.err, "");
}

// Main and 1st, Dual Lead, cycle 100, B = 45, clearances 4.5 (odd rows) and 5.5:
// FO(2) = 45 - 5.5 = 39.5, FO(3) = 45 + 12 - 4.5 = 52.5, FO(4) = 85 - 5.5 = 79.5,
// FO(1) = 100 - 4.5 = 95.5; PE(3) = 52.5 - 5 - 5.5 = 42, PE(4) = 79.5 - 10 - 4.5 = 65,
// PE(1) = 100 - 5.5 - 5 - 4.5 = 85; both rings alike, rows 2 and 6 without a window.
TEST(CalcCommand, CsvOfTheExamplePlan) { expectGolden("example-csv"); }

TEST(CalcCommand, TableOfTheExamplePlanIsTheDefault) { expectGolden("example-table"); }

// Type 170: shift = FO(6) - M + c(6) = 39.5; FO(2) = M - c(2) = 0,
// FO(1) = 100 - 45 + 5.5 - 4.5 = 56, the rest 39.5 earlier; PS(3) 0.
TEST(CalcCommand, JsonOfTheExamplePlanUnderType170) { expectGolden("example-json-170"); }

// The options override the file's controller and mode; only the results change.
// Yield opens every window at the earlier coordinated force-off (39.5, or 0 under
// Type 170); the ends stay those of Permissive.
TEST(CalcCommand, ControllerAndModeOptions) {
    expectGolden("example-yield-csv");
    expectGolden("example-yield-170-csv");
}

// Lag: ring runs 1 (coordinated), 2 (lagging left), 3, 4 from local zero.
// FO(1) = 45 - 5.5 = 39.5, FO(2) = 60 - 4.5 = 55.5, FO(3) = 72 - 4.5 = 67.5,
// FO(4) = 100 - 5.5 = 94.5; PS(2) = 39.5, PE(2) = 60 - 5.5 - 4.5 - 5 = 45;
// PS(3) = 55.5, PE(3) = 67.5 - 5 - 4.5 = 58; PS(4) = 67.5, PE(4) = 100 - 5.5 - 10 - 4.5 = 80.
// Rows 1 and 5 get no window and show 0.
TEST(CalcCommand, DualLagPlan) { expectGolden("lag-csv"); }

TEST(CalcCommand, JsonEscapesTheDescription) {
    // Windows-1252 "é" and a quote, a backslash and a tab in the description.
    const std::string path = writeTemp(
        "desc.tvm", planText("SB,NB,WB,EB,NB,SB,EB,WB,", "15,45,12,28,15,45,12,28,",
                             "100,Lead,Nema,Permissive,Caf\xE9 \"A\\B\"\t1st, north,"));
    const Result r = run({"--format", "json", path});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(R"("description": "Café \"A\\B\"\t1st, north",)"), std::string::npos) << r.out;
}

TEST(CalcCommand, HiddenRowOfABlankPhaseShowsNothing) {
    // Position 4 without split or movement is not opened; the calculation hides its row.
    const std::string text = planText("SB,NB,WB,,NB,SB,EB,WB,", "15,45,40,,15,45,12,28,", "100,Lead,Nema,Permissive,x,");
    const Result r = run({"--format", "csv", writeTemp("blank4.tvm", text)});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\n4,,,,,,,,,,,1,2\n"), std::string::npos) << r.out;
}

TEST(CalcCommand, ExitStatusesAndMessages) {
    const std::string cycle90 = writeTemp("c90.tvm", planText("SB,NB,WB,EB,NB,SB,EB,WB,", "15,45,12,28,15,45,12,28,",
                                                              "90,Lead,Nema,Permissive,x,"));
    // Position 3 has a phase and a split but no movement: its times are not enabled.
    const std::string phaseError = writeTemp("pe.tvm", planText("SB,NB,,EB,NB,SB,EB,WB,", "15,45,12,28,15,45,12,28,",
                                                                "100,Lead,Nema,Permissive,x,"));
    const std::string nothing = writeTemp("none.tvm", planText(",,,,,,,,", ",,,,,,,,", "100,Lead,Nema,Permissive,x,"));
    const std::string badController = writeTemp("bad.tvm", planText("SB,NB,WB,EB,NB,SB,EB,WB,",
                                                                    "15,45,12,28,15,45,12,28,", "100,Lead,NEMA,Permissive,x,"));
    const std::string badNumber = writeTemp("nan.tvm", planText("SB,NB,WB,EB,NB,SB,EB,WB,", "15,45,1x,28,15,45,12,28,",
                                                                "100,Lead,Nema,Permissive,x,"));
    const std::string missing = ::testing::TempDir() + "tavimo_cli_no_such_file.tvm";
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string errHas;
        bool usage = false;  // the usage lines follow the message
    };
    const Case cases[] = {
        {{cycle90}, 1, "Please specify correct cycle length!\n"},
        {{phaseError}, 1, "Phase Error! Please re-enter phase data.\n"},
        {{badNumber}, 1, "position 3 is not a number"},
        {{nothing}, 3, "either ring"},
        {{badController}, 2, "Unable to open " + badController + ": not a Tavimo signal (controller \"NEMA\" is not Nema or one70)."},
        {{missing}, 2, "Unable to open " + missing + ": No such file or directory."},
        {{}, 2, "no project file given", true},
        {{kPlan, kPlan}, 2, "more than one", true},
        {{kPlan, "--verbose"}, 2, "unknown option --verbose", true},
        {{kPlan, "--controller", "type170"}, 2, "--controller must be nema or 170", true},
        {{kPlan, "--mode"}, 2, "--mode needs", true},
        {{kPlan, "--format", "xml"}, 2, "--format must be", true},
        {{kPlan, "--mode", "yield", "--mode", "yield"}, 2, "given twice", true},
        {{"--utdf", "a.csv", "b.csv"}, 2, "--utdf needs", true},
        {{"--utdf", "a.csv", "b.csv", "c.csv", kPlan}, 2, "not both", true},
        {{"--utdf", missing, missing, missing}, 2, "cannot be opened: No such file or directory."},
    };
    for (const auto& c : cases) {
        const Result r = run(c.args);
        const std::string what = c.args.empty() ? "(none)" : c.args.back();
        EXPECT_EQ(r.status, c.status) << what << '\n' << r.err;
        EXPECT_NE(r.err.find(c.errHas), std::string::npos) << what << '\n' << r.err;
        EXPECT_EQ(r.out, "") << what;
        EXPECT_EQ(r.err.find("Usage: tavimo-calc") != std::string::npos, c.usage) << what;
    }
}

// "--" ends the options; before it, a word means what it always meant: a value is the
// next word whatever it looks like, "--name=" gives an empty value, a flag takes no
// "=", --utdf counts "-x" as a path, and the first fault in word order is the one told.
TEST(CalcOptions, DoubleDashEndsTheOptionsAndEveryWordKeepsItsPlace) {
    struct Case {
        std::vector<std::string> args;
        std::string plan;   // the project file, when the command line is good
        std::string error;  // else the usage error
    };
    const Case cases[] = {
        {{"--", "--strict.tvm"}, "--strict.tvm", ""},
        {{"--strict", "--", "-x.tvm"}, "-x.tvm", ""},
        {{"--", "--help"}, "--help", ""},
        {{"--mode", "yield", "[a,b]"}, "[a,b]", ""},
        {{"a.tvm", "--", "b.tvm"}, "", "more than one project file given"},
        {{"--controller", "--"}, "", "--controller needs nema or 170"},
        {{"--utdf", "n.csv", "--", "p.tvm"}, "", "give either a project file or --utdf, not both"},
        {{"--controller", "--mode", "p.tvm"}, "", "--controller must be nema or 170, not \"--mode\""},
        {{"--chart=", "c.svg", "p.tvm"}, "", "--chart needs a .svg, .png or .pdf file"},
        {{"p.tvm", "--format="}, "", "--format must be table, csv or json, not \"\""},
        {{"--strict=true", "p.tvm"}, "", "unknown option --strict=true"},
        {{"--utdf", "-x", "b", "c", "p.tvm"}, "", "give either a project file or --utdf, not both"},
        {{"p.tvm", "-1"}, "", "unknown option -1"},
        {{"-x", "--controller", "bad", "p.tvm"}, "", "unknown option -x"},
        {{"p.tvm", "q.tvm", "-x"}, "", "more than one project file given"},
        {{"--controller", "nema", "p.tvm", "--controller"}, "", "--controller given twice"},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const auto& a : c.args) line += "'" + a + "' ";
        const auto parsed = parseCalcOptions(c.args);
        if (const auto* usage = std::get_if<UsageError>(&parsed)) {
            EXPECT_EQ(usage->message, c.error) << line;
        } else {
            const CalcOptions& o = std::get<CalcOptions>(parsed);
            EXPECT_EQ(c.error, "") << line;
            EXPECT_EQ(o.planPath, c.plan) << line;
            EXPECT_FALSE(o.help) << line;
        }
    }
}

TEST(CalcCommand, HelpPrintsBothUsagesAndExitsZero) {
    const Result r = run({kPlan, "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    for (const char* has : {"tavimo-calc [--controller nema|170] [--mode permissive|yield] [--format table|csv|json] [--strict] PLAN.tvm\n",
                            "tavimo-calc --utdf TIMING PHASING LANES [--controller nema|170] [--mode permissive|yield] "
                            "[--format table|csv|json] [--strict]\n",
                            "Exit status", "  3  ", kCsvHeader})
        EXPECT_NE(r.out.find(has), std::string::npos) << has;
}

// The example plan as Synchro would export it (phase n at position n, lead mark 1)
// gives the project file's results.
TEST(CalcCommand, UtdfImportOfTheSameSignalGivesTheSameResults) {
    expectGolden("utdf-csv");
    EXPECT_EQ(expected("utdf-csv"), expected("example-csv"));
    expectGolden("utdf-yield-json");
}

// The installed program, as a shell would run it.
TEST(CalcCommand, RealBinaryPrintsCsvAndPassesOnTheExitStatus) {
    const auto shell = [](const std::string& command, std::string& out) {
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) return -1;
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, got);
        const int status = pclose(pipe);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    std::string out;
    EXPECT_EQ(shell("'" TAVIMO_CALC_EXE "' --format csv '" + kPlan + "'", out), 0);
    EXPECT_EQ(out, expected("example-csv"));
    out.clear();
    EXPECT_EQ(shell("'" TAVIMO_CALC_EXE "' --format csv /nonexistent/plan.tvm 2>/dev/null", out), 2);
    EXPECT_EQ(out, "");
}


// Position 3 of the example is cut to a split of 9: too short for 5 + 3.5 + 1, so its
// window cannot open either. Ring 2 reaches the barrier 5 s early.
TEST(CalcCommand, WarningsOnStderrInTheCsvColumnAndTheJsonList) {
    const std::string path = writeTemp("short3.tvm", planText("SB,NB,WB,EB,NB,SB,EB,WB,", "15,45,9,28,10,45,14,28,",
                                                              "97,Lead,Nema,Permissive,x,"));
    const std::string split3 = "Φ3 (position 3): split 9 is shorter than min green 5 + amber 3.5 + all red 1 = 9.5";
    const std::string window3 =
        "Φ3 (position 3): no permissive window: min green 5 does not fit between the force-off of Φ2 and its own";
    const std::string window7 = "Φ7 (position 7): no permissive window: it ends at 39, before it opens at 39.5";
    const std::string barrier = "ring 1 reaches the barrier at 60, ring 2 at 55";

    Result r = run({"--format", "csv", path});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "warning: " + split3 + "\nwarning: " + window3 + "\nwarning: " + window7 + "\nwarning: " +
                         barrier + "\n");
    // Position 7's window is joined to position 3's, which cannot open: it warns too.
    // Quoted by RFC 4180, the warning's comma kept.
    const std::string barrierCell = "\"ring 1 reaches the barrier at 60, ring 2 at 55\"";
    EXPECT_EQ(r.out, std::string(kCsvHeader) +
                         "1,1,SB,15,5,3.5,1,92.5,76.5,82," + barrierCell + ",1,1\n"
                         "2,2,NB,45,20,4,1.5,39.5,,," + barrierCell + ",1,1\n"
                         "3,3,WB,9,5,3.5,1,49.5,39.5,39," + split3 + "; " + window3 + ",1,2\n"
                         "4,4,EB,28,10,4,1.5,76.5,49.5,62,,1,2\n"
                         "5,5,NB,10,5,3.5,1,92.5,76.5,82," + barrierCell + ",2,1\n"
                         "6,6,SB,45,20,4,1.5,39.5,,," + barrierCell + ",2,1\n"
                         "7,7,EB,14,5,3.5,1,54.5,39.5,39,\"" + window7 + "\",2,2\n"
                         "8,8,WB,28,10,4,1.5,81.5,49.5,62,,2,2\n");

    r = run({"--format", "json", path});
    EXPECT_EQ(nlohmann::json::parse(r.out)["warnings"], nlohmann::json::array({split3, window3, window7, barrier}))
        << r.out;

    // --strict fails the run but still prints what the window shows.
    r = run({"--strict", path});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Force Off:"), std::string::npos);
    EXPECT_EQ(run({"--strict", kPlan}).status, 0);
}

}  // namespace
}  // namespace tavimo::cli
