// SPDX-License-Identifier: MIT
// tavimo-calc --corridor: the bands of a route picked by hand, read back as a program would.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "calc_in_process.h"

namespace tavimo::cli {
namespace {

const std::string kGlendale = TAVIMO_TEST_DATA "/utdf8/glendale.csv";
const std::string kSedona = TAVIMO_TEST_DATA "/utdf8/sedona.csv";
const std::string k67thAve = "3325,3350,3375";

// Glendale 67th Ave, through phases 4 north and 8 south, both green 24.5-104 at 3325,
// 78.5-158 at 3350 and 96-150 at 3375 (phase 4 to 150.5), 1283 ft and 1287 ft at 40 mph.
// Northbound [24.5, 104), [56.63, 136.13), [52.19, 106.69): 47.37 s of 120, of the
// shortest green 54.5. Southbound from 3375: [96, 150), [56.56, 136.06), [100.69, 180.19):
// 35.37 s, of 54.
TEST(CalcCorridor, JsonOfARealCorridorReadsBackWithItsFigures) {
    const Result r = run({"--utdf", kGlendale, "--corridor", k67thAve, "--format", "json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const nlohmann::json j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["corridor"], nlohmann::json::array({"3325", "3350", "3375"}));
    EXPECT_EQ(j["street"], "67th Ave");
    EXPECT_EQ(j["cycle"], 120);
    ASSERT_EQ(j["directions"].size(), 2u);
    EXPECT_EQ(j["directions"][0], nlohmann::json::parse(R"({
        "from": "3325", "to": "3375", "band": 47.37, "efficiency": 0.395, "attainability": 0.869,
        "through_phases": [4, 4, 4], "travel_times": [0, 21.87, 43.81],
        "links": [{"from": "3325", "to": "3350", "distance": 1283, "speed": 40, "travel_time": 21.87},
                  {"from": "3350", "to": "3375", "distance": 1287, "speed": 40, "travel_time": 21.94}],
        "note": null})"));
    const nlohmann::json& south = j["directions"][1];
    EXPECT_EQ(south["from"], "3375");
    EXPECT_EQ(south["band"], 35.37);
    EXPECT_EQ(south["attainability"], 0.655);
    EXPECT_EQ(south["through_phases"], nlohmann::json::array({8, 8, 8}));
    // Offsets: Referenced To 1 counts to the first coordinated yellow; the file's Offset is that point.
    EXPECT_EQ(j["intersections"][1], nlohmann::json::parse(R"({"intersection": "3350", "referenced_to": 1,
        "file_offset": 38, "offset": {"ts2": 78.5, "last_green": 78.5, "type170": 38, "red": 42}})"));
    EXPECT_EQ(j["intersections"][0]["offset"]["flashing_dont_walk"], 92);  // 3325 has pedestrian timing
}

// The same figures in the readable forms; the own reference marked in the table.
TEST(CalcCorridor, CsvAndTableCarryTheSameFigures) {
    const std::pair<const char*, std::vector<std::string>> forms[] = {
        {"csv",
         {"direction,intersection,through_phase,travel_time,distances,speeds,link_times,referenced_to,file_offset,"
          "ts2,last_green,type170,red,flashing_dont_walk,band,efficiency,attainability,note\n",
          "\n3325-3375,3350,4,21.87,1283,40,21.87,1,38.0,78.5,78.5,38,42,,47.37,0.395,0.869,\n",
          "\n3375-3325,3325,8,43.81,1283,40,21.87,1,104.0,24.5,24.5,104,108,92,35.37,0.295,0.655,\n"}},
        {"table",
         {"Corridor 67th Ave: 3325, 3350, 3375 | cycle 120\n"
          "3325 to 3375: band 47.37 s | efficiency 0.395 | attainability 0.869\n",
          "\n  3350 | NB phase 4 | at 21.87 s | 1283 ft at 40 mph: 21.87 s\n",
          "\n  3350 | file 38.0 | ts2 78.5 | last_green 78.5 | type170 38* | red 42\n"}},
    };
    for (const auto& [form, lines] : forms) {
        const Result r = run({"--utdf", kGlendale, "--corridor", k67thAve, "--format", form});
        EXPECT_EQ(r.status, 0) << r.err;
        for (const std::string& line : lines) EXPECT_NE(r.out.find(line), std::string::npos) << form << '\n' << r.out;
    }
}

// --offset 3350=50 counts 3350's new offset to its own reference, the first coordinated
// yellow (38 in the file): its green moves 12 s later to 90.5-170, whose departures
// [68.63, 148.13) leave a northbound band of [68.63, 104): 35.37 s.
TEST(CalcCorridor, AnOffsetGivenMovesThePlanBeforeTheBands) {
    const Result r = run({"--utdf", kGlendale, "--corridor", k67thAve, "--offset", "3350=50", "--format", "json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["directions"][0]["band"], 35.37);
    EXPECT_EQ(j["intersections"][1]["file_offset"], 38);
    EXPECT_EQ(j["intersections"][1]["offset"], nlohmann::json::parse(
        R"({"ts2": 90.5, "last_green": 90.5, "type170": 50, "red": 54})"));
    EXPECT_EQ(j["intersections"][0]["offset"]["type170"], 104);  // the others stay
}

// Without a band the figures are null with the reason, and the run fails as a network
// run does where an intersection cannot be calculated: Sedona's SR 89A runs 130 s, then
// 120 s from 24 on.
TEST(CalcCorridor, NoBandIsNullWithItsReason) {
    const Result r = run({"--utdf", kSedona, "--corridor", "3,7,10,9,14,20,24,31", "--format", "json"});
    EXPECT_EQ(r.status, 1);
    const nlohmann::json j = nlohmann::json::parse(r.out);
    EXPECT_TRUE(j["cycle"].is_null());
    for (const nlohmann::json& direction : j["directions"]) {
        EXPECT_TRUE(direction["band"].is_null() && direction["efficiency"].is_null() &&
                    direction["attainability"].is_null());
        EXPECT_NE(direction["note"].get<std::string>().find("the cycles differ"), std::string::npos);
    }
}

TEST(CalcCorridor, RoutesAndOffsetsThatDoNotFitAreRefused) {
    const std::string route = k67thAve;
    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"--corridor", "3325"}, "--corridor needs two intersections or more, not \"3325\""},
        {{"--corridor", "3325,,3350"}, "--corridor \"3325,,3350\" has an empty INTID"},
        {{"--corridor", "3325,123456"}, "intersection 123456 is not in \"" + kGlendale + "\""},
        {{"--corridor", "3325,3350,3325"}, "--corridor 3325,3350,3325: intersection 3325 is twice on the route"},
        {{"--corridor", "3325,4300"}, "--corridor 3325,4300: no links lead from 3325 to 4300"},
        {{"--corridor", route, "--offset", "4300=5"}, "--offset 4300=5: intersection 4300 is not on the --corridor route"},
        {{"--corridor", route, "--offset", "3350=x"}, "--offset 3350=x: \"x\" is not a number of seconds"},
        {{"--corridor", route, "--offset", "3350"}, "--offset needs ID=SECONDS, not \"3350\""},
        {{"--corridor", route, "--offset", "3350=-1"}, "--offset 3350=-1: an offset is never negative"},
        {{"--corridor", route, "--offset", "3350=120"}, "--offset 3350=120: not below the cycle of intersection 3350, 120 s"},
        {{"--corridor", route, "--offset", "3350=1", "--offset", "3350=2"}, "--offset given twice for intersection 3350"},
        {{"--corridor", route, "--corridor", route}, "--corridor given twice"},
        {{"--offset", "3350=1"}, "--offset needs --corridor"},
        {{"--corridor", route, "--chart", "a.svg"}, "--chart cannot go with --corridor, which calculates no signal's window"},
        {{"--corridor", route, "--controller", "170"}, "--controller cannot go with --corridor"},
        {{"--corridor", route, "--list-corridors"}, "--list-corridors cannot go with --corridor"},
        {{"--corridor", route, "--intersection", "3325"}, "--intersection cannot go with --corridor"},
        {{"--corridor", route, "--diagram", "d.txt"}, "--diagram writes a .svg, .png or .pdf file, not \"d.txt\""},
        {{"--diagram", "d.svg"}, "--diagram needs --corridor"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"--utdf", kGlendale};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Result r = run(args);
        EXPECT_EQ(r.status, 2) << c.err;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("tavimo-calc: " + c.err), std::string::npos) << r.err;
    }
    const Result project = run({"--corridor", route, TAVIMO_TEST_DATA "/main-and-1st.tvm"});
    EXPECT_EQ(project.status, 2);
    EXPECT_NE(project.err.find("--corridor needs --utdf with a network file"), std::string::npos) << project.err;
}

}  // namespace
}  // namespace tavimo::cli
