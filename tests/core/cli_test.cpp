// SPDX-License-Identifier: MIT
#include "cli/calc_command.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>

namespace tavimo::cli {
namespace {

const std::string kPlan = TAVIMO_TEST_DATA "/main-and-1st.tvm";

struct Result {
    int status;
    std::string out, err;
};

Result run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = runCalc(args, out, err);
    return {status, out.str(), err.str()};
}

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
    "position,phase,movement,split,min_green,amber,all_red,force_off,permissive_start,permissive_end,warnings\n";

// Main and 1st, Dual Lead, cycle 100, B = 45, clearances 4.5 (odd rows) and 5.5:
// FO(2) = 45 - 5.5 = 39.5, FO(3) = 45 + 12 - 4.5 = 52.5, FO(4) = 85 - 5.5 = 79.5,
// FO(1) = 100 - 4.5 = 95.5; PE(3) = 52.5 - 5 - 5.5 = 42, PE(4) = 79.5 - 10 - 4.5 = 65,
// PE(1) = 100 - 5.5 - 5 - 4.5 = 85; both rings alike, rows 2 and 6 without a window.
const std::string kNemaPermissiveCsv = std::string(kCsvHeader) +
    "1,1,SB,15,5,3.5,1,95.5,79.5,85,\n"
    "2,2,NB,45,20,4,1.5,39.5,,,\n"
    "3,3,WB,12,5,3.5,1,52.5,39.5,42,\n"
    "4,4,EB,28,10,4,1.5,79.5,52.5,65,\n"
    "5,5,NB,15,5,3.5,1,95.5,79.5,85,\n"
    "6,6,SB,45,20,4,1.5,39.5,,,\n"
    "7,7,EB,12,5,3.5,1,52.5,39.5,42,\n"
    "8,8,WB,28,10,4,1.5,79.5,52.5,65,\n";

TEST(CalcCommand, CsvOfTheExamplePlan) {
    const Result r = run({"--format", "csv", kPlan});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kNemaPermissiveCsv);
    EXPECT_EQ(r.err, "");
}

TEST(CalcCommand, TableOfTheExamplePlanIsTheDefault) {
    const Result r = run({kPlan});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Description:  Main and 1st\n"
              "Cycle Length: 100\n"
              "Controller:   NEMA TS2\n"
              "Mode:         Permissive\n"
              "Left Turns:   Dual Lead\n"
              "\n"
              "Position:             1     2     3     4     5     6     7     8\n"
              "Phase:                1     2     3     4     5     6     7     8\n"
              "Movement:            SB    NB    WB    EB    NB    SB    EB    WB\n"
              "Split Time:          15    45    12    28    15    45    12    28\n"
              "Min Green:            5    20     5    10     5    20     5    10\n"
              "Amber Time:         3.5     4   3.5     4   3.5     4   3.5     4\n"
              "All Red Time:         1   1.5     1   1.5     1   1.5     1   1.5\n"
              "Force Off:         95.5  39.5  52.5  79.5  95.5  39.5  52.5  79.5\n"
              "Permissive Start:  79.5        39.5  52.5  79.5        39.5  52.5\n"
              "Permissive End:      85          42    65    85          42    65\n");
}

TEST(CalcCommand, JsonOfTheExamplePlanUnderType170) {
    // Type 170: shift = FO(6) - M + c(6) = 39.5; FO(2) = M - c(2) = 0,
    // FO(1) = 100 - 45 + 5.5 - 4.5 = 56, the rest 39.5 earlier; PS(3) 0.
    const Result r = run({kPlan, "--format=json", "--controller", "170"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\n"
              "  \"description\": \"Main and 1st\",\n"
              "  \"cycle_length\": \"100\",\n"
              "  \"controller\": \"one70\",\n"
              "  \"mode\": \"Permissive\",\n"
              "  \"arrangement\": \"Lead\",\n"
              "  \"positions\": [\n"
              R"(    {"position": 1, "phase": "1", "movement": "SB", "split": "15", "min_green": "5", "amber": "3.5", "all_red": "1", "force_off": "56", "permissive_start": "40", "permissive_end": "45.5"},)" "\n"
              R"(    {"position": 2, "phase": "2", "movement": "NB", "split": "45", "min_green": "20", "amber": "4", "all_red": "1.5", "force_off": "0", "permissive_start": "", "permissive_end": ""},)" "\n"
              R"(    {"position": 3, "phase": "3", "movement": "WB", "split": "12", "min_green": "5", "amber": "3.5", "all_red": "1", "force_off": "13", "permissive_start": "0", "permissive_end": "2.5"},)" "\n"
              R"(    {"position": 4, "phase": "4", "movement": "EB", "split": "28", "min_green": "10", "amber": "4", "all_red": "1.5", "force_off": "40", "permissive_start": "13", "permissive_end": "25.5"},)" "\n"
              R"(    {"position": 5, "phase": "5", "movement": "NB", "split": "15", "min_green": "5", "amber": "3.5", "all_red": "1", "force_off": "56", "permissive_start": "40", "permissive_end": "45.5"},)" "\n"
              R"(    {"position": 6, "phase": "6", "movement": "SB", "split": "45", "min_green": "20", "amber": "4", "all_red": "1.5", "force_off": "0", "permissive_start": "", "permissive_end": ""},)" "\n"
              R"(    {"position": 7, "phase": "7", "movement": "EB", "split": "12", "min_green": "5", "amber": "3.5", "all_red": "1", "force_off": "13", "permissive_start": "0", "permissive_end": "2.5"},)" "\n"
              R"(    {"position": 8, "phase": "8", "movement": "WB", "split": "28", "min_green": "10", "amber": "4", "all_red": "1.5", "force_off": "40", "permissive_start": "13", "permissive_end": "25.5"})" "\n"
              "  ],\n"
              "  \"warnings\": []\n"
              "}\n");
}

// The options override the file's controller and mode; only the results change.
// Yield opens every window at the earlier coordinated force-off (39.5, or 0 under
// Type 170); the ends stay those of Permissive.
TEST(CalcCommand, ControllerAndModeOptions) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{kPlan, "--mode", "yield", "--format", "csv"}, "\n1,1,SB,15,5,3.5,1,95.5,39.5,85,\n2,2,NB,45,20,4,1.5,39.5,,,\n"
                                                        "3,3,WB,12,5,3.5,1,52.5,39.5,42,\n4,4,EB,28,10,4,1.5,79.5,39.5,65,\n"},
        {{"--format", "csv", "--mode", "YIELD", "--controller", "170", kPlan},
         "\n1,1,SB,15,5,3.5,1,56,0,45.5,\n2,2,NB,45,20,4,1.5,0,,,\n3,3,WB,12,5,3.5,1,13,0,2.5,\n4,4,EB,28,10,4,1.5,40,0,25.5,\n"},
    };
    for (const auto& [args, rows] : cases) {
        const Result r = run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find(rows), std::string::npos) << r.out;
    }
}

TEST(CalcCommand, DualLagPlan) {
    // Lag: ring runs 1 (coordinated), 2 (lagging left), 3, 4 from local zero.
    // FO(1) = 45 - 5.5 = 39.5, FO(2) = 60 - 4.5 = 55.5, FO(3) = 72 - 4.5 = 67.5,
    // FO(4) = 100 - 5.5 = 94.5; PS(2) = 39.5, PE(2) = 60 - 5.5 - 4.5 - 5 = 45;
    // PS(3) = 55.5, PE(3) = 67.5 - 5 - 4.5 = 58; PS(4) = 67.5, PE(4) = 100 - 5.5 - 10 - 4.5 = 80.
    // Rows 1 and 5 get no window and show 0.
    const std::string text =
        "movements,NB,SB,EB,WB,SB,NB,WB,EB,\r\nsplits,45,15,12,28,45,15,12,28,\r\n"
        "minGreen,20,5,5,10,20,5,5,10,\r\namber,4,3.5,3.5,4,4,3.5,3.5,4,\r\n"
        "red,1.5,1,1,1.5,1.5,1,1,1.5,\r\norder,2,1,4,3,6,5,8,7,\r\nmisc,100,Lag,Nema,Permissive,Oak Creek,\r\n";
    const Result r = run({"--format", "csv", writeTemp("lag.tvm", text)});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, std::string(kCsvHeader) +
                         "1,2,NB,45,20,4,1.5,39.5,0,0,\n"
                         "2,1,SB,15,5,3.5,1,55.5,39.5,45,\n"
                         "3,4,EB,12,5,3.5,1,67.5,55.5,58,\n"
                         "4,3,WB,28,10,4,1.5,94.5,67.5,80,\n"
                         "5,6,SB,45,20,4,1.5,39.5,0,0,\n"
                         "6,5,NB,15,5,3.5,1,55.5,39.5,45,\n"
                         "7,8,WB,12,5,3.5,1,67.5,55.5,58,\n"
                         "8,7,EB,28,10,4,1.5,94.5,67.5,80,\n");
}

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
    EXPECT_NE(r.out.find("\n4,,,,,,,,,,\n"), std::string::npos) << r.out;
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

TEST(CalcCommand, UtdfImportOfTheSameSignalGivesTheSameResults) {
    // The example plan as Synchro would export it: phase n at position n, lead mark 1.
    const std::string timing = writeTemp("TIMING.csv", "[Timing]\r\nRECORDNAME,INTID,D1,D2,D3,D4,D5,D6,D7,D8\r\n"
                                                       "Split,1,15,45,12,28,15,45,12,28,100,,1\r\n");
    const std::string phasing = writeTemp("PHASING.csv", "[Phases]\r\n\r\n\r\nMinGreen,1,5,20,5,10,5,20,5,10\r\n"
                                                         "\r\n\r\n\r\n\r\n\r\nYellow,1,3.5,4,3.5,4,3.5,4,3.5,4\r\n"
                                                         "AllRed,1,1,1.5,1,1.5,1,1.5,1,1.5\r\n");
    const std::string lanes = writeTemp("LANES.csv", "[Lanes]\r\nRECORDNAME,INTID,NBL,NBT,EBL,EBT,SBL,SBT,WBL,WBT\r\n"
                                                     "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nPhase1,1,5,2,7,4,1,6,3,8\r\n");
    Result r = run({"--format", "csv", "--utdf", timing, phasing, lanes});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kNemaPermissiveCsv);
    r = run({"--utdf", timing, phasing, lanes, "--format", "json", "--mode", "yield"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"mode\": \"Yield\""), std::string::npos);
    EXPECT_NE(r.out.find("\"controller\": \"Nema\""), std::string::npos);
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
    EXPECT_EQ(out, kNemaPermissiveCsv);
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
    const std::string barrier = "ring 1 reaches the barrier at 60, ring 2 at 55";

    Result r = run({"--format", "csv", path});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "warning: " + split3 + "\nwarning: " + window3 + "\nwarning: " + barrier + "\n");
    // Position 7 keeps the window it was joined to, and no warning of its own.
    const std::string barrierCell = "ring 1 reaches the barrier at 60 and ring 2 at 55";
    EXPECT_EQ(r.out, std::string(kCsvHeader) +
                         "1,1,SB,15,5,3.5,1,92.5,76.5,82," + barrierCell + "\n"
                         "2,2,NB,45,20,4,1.5,39.5,,," + barrierCell + "\n"
                         "3,3,WB,9,5,3.5,1,49.5,39.5,39," + split3 + "; " + window3 + "\n"
                         "4,4,EB,28,10,4,1.5,76.5,49.5,62,\n"
                         "5,5,NB,10,5,3.5,1,92.5,76.5,82," + barrierCell + "\n"
                         "6,6,SB,45,20,4,1.5,39.5,,," + barrierCell + "\n"
                         "7,7,EB,14,5,3.5,1,54.5,39.5,39,\n"
                         "8,8,WB,28,10,4,1.5,81.5,49.5,62,\n");

    r = run({"--format", "json", path});
    EXPECT_NE(r.out.find("\"warnings\": [\"" + split3 + "\", \"" + window3 + "\", \"" + barrier + "\"]\n}\n"),
              std::string::npos)
        << r.out;

    // --strict fails the run but still prints what the window shows.
    r = run({"--strict", path});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Force Off:"), std::string::npos);
    EXPECT_EQ(run({"--strict", kPlan}).status, 0);
}

}  // namespace
}  // namespace tavimo::cli
