// SPDX-License-Identifier: MIT
// tavimo-calc on a whole-network UTDF file: a corridor in one run.
#include <cstdio>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/calc_command.h"
#include "calc_in_process.h"

namespace tavimo::cli {
namespace {

const std::string kNetwork = TAVIMO_TEST_DATA "/utdf8/chattanooga.csv";

// Intersection 33 runs phase 9 beside 7 and 8 in ring 2 after the barrier: the grid
// cannot hold it, so its rows follow its rings in running order, without a position.
TEST(CalcNetwork, CsvHasEightLinesPerGridSignalAndOnePerPhaseOfAnyOtherPlan) {
    const Result r = run({"--utdf", kNetwork, "--intersection", "2", "--intersection=33", "--format", "csv"});
    EXPECT_EQ(r.status, 0) << r.err;
    const char* agree = ",Force-offs agree with the UTDF file,";
    const std::string grid[] = {"2,1,1,WB,18,4,3,2.2,94.8,76.1,84.9,94.8", "2,2,2,EB,27,15,3.6,1.6,21.8,,,21.8",
                                "2,3,3,NB,20,4,3,3.1,40.9,21.8,26.7,40.9", "2,4,4,SB,35,12,4.3,1.6,76.1,35.9,58,76.1",
                                "2,5,5,EB,18,4,3,2.2,94.8,76.1,84.9,94.8", "2,6,6,WB,27,15,3.6,1.6,21.8,,,21.8",
                                "2,7,7,SB,15,4,3,3.1,35.9,21.8,26.7,35.9", "2,8,8,NB,40,12,4.3,1.6,76.1,35.9,58,76.1"};
    const char* ringBarrier[] = {",1,1", ",1,1", ",1,2", ",1,2", ",2,1", ",2,1", ",2,2", ",2,2"};
    // The file's Offset 70 to the last coordinated green, and the same plan counted to
    // every other reference, on each row of the intersection.
    const std::string offsets2 = ",0,70,70,70,91.8,95.4,79.8", offsets33 = ",0,9,9,9,36.4,40,1.4";
    std::string want = "intersection,position,phase,movement,split,min_green,amber,all_red,force_off,permissive_start,"
                       "permissive_end,file_force_off,note,warnings,ring,barrier,referenced_to,offset,offset_ts2,"
                       "offset_last_green,offset_type170,offset_red,offset_flashing_dont_walk\n";
    for (int k = 0; k < 8; ++k) want += grid[k] + agree + ringBarrier[k] + offsets2 + "\n";
    EXPECT_EQ(r.out.substr(0, want.size()), want);
    EXPECT_NE(r.out.find("\n33,,7,,20,6,3,3.9,47.1,27.4,34.6,47.1,Force-offs agree with the UTDF file,,2,2" +
                         offsets33 + "\n33,,8,,12,4,3.9,2.4,59.7,47.1,48.8,59.7,Force-offs agree with the UTDF file,"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\n33,,9,,17,4,4,1,78,59.7,61.7,78,Force-offs agree with the UTDF file,,2,2" + offsets33 +
                         "\n"),
              std::string::npos)
        << r.out;
    // The pedestrian check of a plan off the grid names its phase, on the phase's row.
    EXPECT_NE(r.err.find("warning: 33: \xCE\xA6" "8: pedestrian timing 4 + 33 + 3.9 + 2.4 = 43.3 exceeds the split 12\n"),
              std::string::npos)
        << r.err;
}

// Plans of each structure the grid cannot hold, read back from csv: every force-off
// agrees with the file's under both controllers, and the rows run ring by ring,
// barrier by barrier, in running order. A plan without a coordinated phase keeps
// its one line and its reason.
TEST(CalcNetwork, PlansTheGridCannotHoldAgreeWithTheFile) {
    const std::string plans = TAVIMO_TEST_DATA "/utdf8/plans/";
    const struct {
        std::string file, id;
        const char* order;  // ring/barrier: phases, as read back
    } cases[] = {
        {plans + "bullhead-parkway-3-lead-lag.csv", "3", "1/1: 2 1 | 1/2: 4 3 | 2/1: 5 6 | 2/2: 8 7"},
        {plans + "i19-ruby-6-three-phases.csv", "6", "1/1: 1 2 | 1/2: 3 5 4"},
        {TAVIMO_TEST_DATA "/utdf8/glendale.csv", "2137", ""},
    };
    for (const auto& c : cases)
        for (const char* controller : {"nema", "170"}) {
            SCOPED_TRACE(c.file + " #" + c.id + " " + controller);
            const Result r = run({"--utdf", c.file, "--intersection", c.id, "--controller", controller, "--format", "csv"});
            std::istringstream lines(r.out);
            std::string line, order, at;
            std::getline(lines, line);  // the header
            int rows = 0;
            while (std::getline(lines, line)) {
                std::vector<std::string> f;
                std::stringstream fields(line);
                for (std::string field; std::getline(fields, field, ',');) f.push_back(field);
                if (line.back() == ',') f.push_back("");
                ASSERT_EQ(f.size(), 23u) << line;
                ++rows;
                EXPECT_EQ(f[1], "") << line;  // no position
                if (!*c.order) {
                    EXPECT_EQ(f[12], "no coordinated phase is in use");
                    EXPECT_EQ(f[14] + f[15], "");
                    // Not calculated: the file's Offset in its own reference (Type 170), no other.
                    EXPECT_EQ(f[16] + "|" + f[17] + "|" + f[18] + f[19] + "|" + f[20] + "|" + f[21] + f[22], "1|0||0|");
                    continue;
                }
                EXPECT_EQ(f[17], f[19]) << line;  // referenced to the last coordinated green
                EXPECT_EQ(f[12], "Force-offs agree with the UTDF file") << line;
                EXPECT_EQ(f[8], f[11]) << line;  // force-off as the file has it
                const std::string here = f[14] + "/" + f[15];
                if (here != at) order += (order.empty() ? "" : " | ") + here + ":", at = here;
                order += " " + f[2];
            }
            EXPECT_EQ(order, c.order);
            EXPECT_EQ(r.status, *c.order ? 0 : 1);
            if (!*c.order) {
                EXPECT_EQ(rows, 1);
            }
        }
}

// Intersection 19 of Chattanooga: phase 4's walk and flashing don't walk do not fit in its
// split. The warning stands beside the position, on standard error with the intersection,
// and --strict fails the run.
TEST(CalcNetwork, TimingWarningsNameTheirIntersection) {
    const char* warning = "Φ4 (position 4): pedestrian timing 6 + 18 + 3 + 2 = 29 exceeds the split 20";
    Result r = run({"--utdf", kNetwork, "--intersection", "19", "--format", "csv"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, std::string("warning: 19: ") + warning + "\n");
    EXPECT_NE(r.out.find(std::string("\n19,4,4,") ), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(std::string(",") + warning + ",1,2,0,32,32,32,94,97.8,\n"), std::string::npos) << r.out;

    r = run({"--utdf", kNetwork, "--intersection", "19", "--format", "json"});
    EXPECT_EQ(nlohmann::json::parse(r.out)[0]["warnings"], nlohmann::json::array({warning})) << r.out;

    r = run({"--utdf", kNetwork, "--intersection", "19", "--strict"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find(std::string("warning: ") + warning + "\n"), std::string::npos) << r.out;
}

TEST(CalcNetwork, TableAndJsonCarryTheIntersectionAndTheAgreement) {
    Result r = run({"--utdf", kNetwork, "--intersection", "2", "--intersection", "33"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("Intersection 2: Hickory Valley Rd. & Shallowford Rd.\nDescription:", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\nForce-offs agree with the UTDF file\n\nIntersection 33: Shallowford Rd. & Lee Hwy\n"
                         "Description:  33: Shallowford Rd. & Lee Hwy\n"),
              std::string::npos)
        << r.out;
    // A plan off the grid: a line a phase, under its heads.
    EXPECT_NE(r.out.find("Coordinated:  2, 6\nOffset:       ts2 9, last_green 9 (own), type170 36.4, red 40, "
                         "flashing_dont_walk 1.4\n\nPhase  Ring  Barrier  Split  Min Green  Amber  All Red  Force Off  "
                         "Permissive Start  Permissive End\n    1     1        1     17          4      4        1  "
                         "       95              76.7            84.7\n"),
              std::string::npos)
        << r.out;

    r = run({"--utdf", kNetwork, "--intersection", "2", "--intersection", "33", "--format", "json",
             "--controller", "170"});
    // Read back by a JSON reader: numbers are numbers, the controller as the window shows it.
    const nlohmann::json list = nlohmann::json::parse(r.out);
    ASSERT_EQ(list.size(), 2u);
    const nlohmann::json& two = list[0];
    EXPECT_EQ(two["intersection"], 2);
    EXPECT_EQ(two["agrees"], true);
    EXPECT_EQ(two["controller"], "Type 170");
    EXPECT_EQ(two["cycle_length"], 100);
    const nlohmann::json& p1 = two["positions"][0];
    EXPECT_EQ(p1["force_off"], 73);
    EXPECT_EQ(p1["permissive_start"], 54.3);
    EXPECT_EQ(p1["permissive_end"], 63.1);
    EXPECT_EQ(p1["file_force_off"], 73);
    EXPECT_TRUE(two["positions"][1]["permissive_start"].is_null());  // a coordinated phase: no window
    EXPECT_EQ(p1["ring"], 1);
    EXPECT_EQ(two["positions"][6]["barrier"], 2);
    const nlohmann::json& nine = list[1]["positions"].back();
    EXPECT_EQ(list[1]["agrees"], true);
    EXPECT_TRUE(nine["position"].is_null());
    EXPECT_EQ(nine["phase"], 9);
    EXPECT_EQ(nine["ring"], 2);
    EXPECT_EQ(nine["barrier"], 2);
    EXPECT_EQ(nine["force_off"], nine["file_force_off"]);
    // Calculated for a Type 170, the plans stand on the master clock where they did for
    // a NEMA TS2: the offset in every reference is the plan's, not the controller's.
    EXPECT_EQ(two["referenced_to"], 0);
    EXPECT_EQ(two["offset"], nlohmann::json::parse(
                                 R"({"ts2": 70, "last_green": 70, "type170": 91.8, "red": 95.4, "flashing_dont_walk": 79.8})"));
    EXPECT_EQ(list[1]["offset"], nlohmann::json::parse(
                                     R"({"ts2": 9, "last_green": 9, "type170": 36.4, "red": 40, "flashing_dont_walk": 1.4})"));
}

TEST(CalcNetwork, ExitStatusesAndListing) {
    const std::string project = TAVIMO_TEST_DATA "/main-and-1st.tvm";
    const std::string noPlans = ::testing::TempDir() + "tavimo_cli_network_without_plans_" + std::to_string(::getpid()) + ".csv";
    std::ofstream(noPlans) << "[Phases]\nRECORDNAME,INTID,D1\nStart,1,0\n";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string outHas, errHas;
    } cases[] = {
        {{"--utdf", kNetwork, "--intersection", "2"}, 0, "Force-offs agree with the UTDF file\n", ""},
        {{"--utdf", kNetwork, "--list"}, 0, "33: Shallowford Rd. & Lee Hwy | actuated-coordinated | cycle 100.0 | "
                                            "phase 9 is in use | plan window\n", ""},
        {{"--utdf", kNetwork, "--list"}, 0, "Napier Dr. | actuated-coordinated | cycle 100.0 | can be imported | form\n", ""},
        {{"--utdf", kNetwork, "--list", "--format", "csv"}, 0,
         "intersection,description,control_type,cycle_length,note,window\n", ""},
        {{"--utdf", kNetwork, "--list", "--format", "json"}, 0, "\"note\": \"phase 9 is in use\",\n    \"window\": \"plan window\"", ""},
        {{"--utdf", kNetwork}, 0, "Intersection 22: Hamilton Place Blvd. & Napier Dr.\n", ""},
        {{"--utdf", kNetwork, "--intersection", "2", "--intersection", "99"}, 2, "",
         "tavimo-calc: intersection 99 is not in \"" + kNetwork + "\"\n"},
        {{"--utdf", project}, 2, "", "has no [Phases] section: it is not a combined UTDF file."},
        {{project, "--list"}, 2, "", "--list needs --utdf with a network file"},
        {{"--utdf", noPlans}, 2, "", "has no intersection with a timing plan"},
        {{"--utdf", kNetwork, "--intersection"}, 2, "", "--intersection needs an INTID"},
    };
    for (const auto& c : cases) {
        const Result r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.back() << '\n' << r.err;
        EXPECT_NE(r.out.find(c.outHas), std::string::npos) << c.args.back() << '\n' << r.out;
        EXPECT_NE(r.err.find(c.errHas), std::string::npos) << c.args.back() << '\n' << r.err;
    }
    std::remove(noPlans.c_str());
}

TEST(CalcNetwork, ListsCorridorsInEachForm) {
    const std::string sedona = TAVIMO_TEST_DATA "/utdf8/sedona.csv";
    const std::pair<const char*, std::string> forms[] = {
        {"table", "SR 89A | 8 signals: 3, 7, 10, 9, 14, 20, 24, 31 | cycles 130.0, 120.0\n"},
        {"csv", "street,signals,intersections,cycle_lengths\nSR 89A,8,3 7 10 9 14 20 24 31,130.0 120.0\n"},
        {"json", "[\n  {\n    \"street\": \"SR 89A\",\n    \"intersections\": [\n      \"3\",\n      \"7\",\n"},
    };
    for (const auto& [form, out] : forms) {
        const Result r = run({"--utdf", sedona, "--list-corridors", "--format", form});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out.substr(0, out.size()), out);
    }
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"--list-corridors", TAVIMO_TEST_DATA "/main-and-1st.tvm"}, "--list-corridors needs --utdf with a network file"},
        {{"--utdf", sedona, "--list-corridors", "--intersection", "3"},
         "--intersection cannot go with --list-corridors, which calculates nothing"},
        {{"--utdf", sedona, "--list-corridors", "--list"}, "--list cannot go with --list-corridors"},
    };
    for (const auto& [args, err] : refused) {
        const Result r = run(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(err), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace tavimo::cli
