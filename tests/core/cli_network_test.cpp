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

TEST(CalcNetwork, CsvHasEightLinesPerSignalAndOneForAPlanTheGridCannotHold) {
    const Result r = run({"--utdf", kNetwork, "--intersection", "2", "--intersection=33", "--format", "csv"});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "intersection,position,phase,movement,split,min_green,amber,all_red,force_off,permissive_start,"
              "permissive_end,file_force_off,note,warnings\n"
              "2,1,1,WB,18,4,3,2.2,94.8,76.1,84.9,94.8,Force-offs agree with the UTDF file,\n"
              "2,2,2,EB,27,15,3.6,1.6,21.8,,,21.8,Force-offs agree with the UTDF file,\n"
              "2,3,3,NB,20,4,3,3.1,40.9,21.8,26.7,40.9,Force-offs agree with the UTDF file,\n"
              "2,4,4,SB,35,12,4.3,1.6,76.1,35.9,58,76.1,Force-offs agree with the UTDF file,\n"
              "2,5,5,EB,18,4,3,2.2,94.8,76.1,84.9,94.8,Force-offs agree with the UTDF file,\n"
              "2,6,6,WB,27,15,3.6,1.6,21.8,,,21.8,Force-offs agree with the UTDF file,\n"
              "2,7,7,SB,15,4,3,3.1,35.9,21.8,26.7,35.9,Force-offs agree with the UTDF file,\n"
              "2,8,8,NB,40,12,4.3,1.6,76.1,35.9,58,76.1,Force-offs agree with the UTDF file,\n"
              "33,,,,,,,,,,,,phase 9 is in use,\n");
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
    EXPECT_NE(r.out.find(std::string(",") + warning + "\n"), std::string::npos) << r.out;

    r = run({"--utdf", kNetwork, "--intersection", "19", "--format", "json"});
    EXPECT_EQ(nlohmann::json::parse(r.out)[0]["warnings"], nlohmann::json::array({warning})) << r.out;

    r = run({"--utdf", kNetwork, "--intersection", "19", "--strict"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find(std::string("warning: ") + warning + "\n"), std::string::npos) << r.out;
}

TEST(CalcNetwork, TableAndJsonCarryTheIntersectionAndTheAgreement) {
    Result r = run({"--utdf", kNetwork, "--intersection", "2", "--intersection", "33"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.rfind("Intersection 2: Hickory Valley Rd. & Shallowford Rd.\nDescription:", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\nForce-offs agree with the UTDF file\n\nIntersection 33: Shallowford Rd. & Lee Hwy\n"
                         "phase 9 is in use\n"),
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
    EXPECT_EQ(list[1], nlohmann::json::parse(R"({"intersection": 33, "description": "33: Shallowford Rd. & Lee Hwy",
                                                 "note": "phase 9 is in use"})"));
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
                                            "phase 9 is in use\n", ""},
        {{"--utdf", kNetwork}, 1, "Intersection 22: Hamilton Place Blvd. & Napier Dr.\n", ""},
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
