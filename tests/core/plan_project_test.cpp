// SPDX-License-Identifier: MIT
// The project file of any plan: what is saved opens as the same signals, a bad file
// is refused whole with the field that is wrong, and tavimo-calc calculates it.
#include <algorithm>
#include <sstream>

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "calc/signal_reading.h"
#include "calc/window_calculation.h"
#include "calc_in_process.h"
#include "io/network_plan.h"
#include "io/plan_project.h"
#include "io/project_read.h"
#include "io/signal_arrival.h"
#include "io/utdf_network.h"
#include "support/file_text.h"

namespace tavimo {
namespace {

std::string tempPath(const std::string& name) {
    return ::testing::TempDir() + "tavimo_plan_project_" + std::to_string(::getpid()) + "_" + name;
}

// Ring 1 runs 1 then 2, ring 2 runs 6 then 5; 3, 4, 7, 8 follow. Coordinated on 2
// alone, with walks, movements, an offset and times only more digits can hold.
Signal leadLagPlan() {
    Signal s;
    s.description = "Main St & 1st Ave \xE2\x80\x94 S\xC3\xBC" "d, \"lead-lag\"";
    s.cycle = {"100", 100.f};
    s.controller = Controller::Type170;
    s.mode = SignalMode::Yield;
    const std::pair<int, float> splits[] = {{1, 15}, {2, 35}, {3, 25}, {4, 25}, {6, 30}, {5, 20}, {7, 20}, {8, 30}};
    for (auto [number, split] : splits) {
        SignalPhase p;
        p.number = number;
        p.movement = {static_cast<Approach>(1 + number % 4), number % 2 == 1};
        p.timing = PhaseTiming{split, 5, 3.5f, 1.5f};
        if (number % 2 == 0) p.walk = 7, p.flashDontWalk = 12.3456789f;
        s.phases.push_back(p);
    }
    s.phases[1].timing->minGreen = 0.1f;
    s.sequence = {{1, 1, {1, 2}}, {1, 2, {3, 4}}, {2, 1, {6, 5}}, {2, 2, {7, 8}}};
    s.coordinated = {2};
    s.offset = Offset{37.5f, OffsetReference::LastGreen};
    s.createdBy = "J. Ortiz";
    return s;
}

Signal gridPlan() {
    const std::string path = TAVIMO_TEST_DATA "/main-and-1st.tvm";
    auto values = readProjectFile(path);
    auto opened = openedSignal(std::get<ProjectValues>(values), path);
    return *readSignal(snapshotOf(std::get<WindowState>(opened))).signal;
}

Signal threeBarrierPlan() {
    auto read = readUtdfNetwork(TAVIMO_TEST_DATA "/utdf8/glendale.csv");
    const NetworkIntersection* x = std::get<UtdfNetwork>(read).find("5120");
    return std::get<Signal>(networkPlan(*x, Controller::NemaTs2, SignalMode::Permissive));
}

PlanProject sampleProject() { return {{{"4300", leadLagPlan()}, {"main-1st", gridPlan()}, {"5120", threeBarrierPlan()}}, {}}; }

TEST(PlanProject, SavedSignalsOpenAsTheSameSignals) {
    const PlanProject project = sampleProject();
    ASSERT_FALSE(project.intersections[1].signal.phases.empty());
    const std::string path = tempPath("round.tavimo");
    ASSERT_EQ(writePlanProjectFile(path, project), std::nullopt);
    auto read = readPlanProjectFile(path);
    ASSERT_TRUE(std::holds_alternative<PlanProject>(read)) << std::get<std::string>(read);
    const auto& back = std::get<PlanProject>(read).intersections;
    ASSERT_EQ(back.size(), project.intersections.size());
    for (std::size_t i = 0; i < back.size(); ++i) EXPECT_TRUE(back[i] == project.intersections[i]) << back[i].id;
    // Times are written as the window shows them; only a value seven digits miss keeps more.
    const std::string text = test::fileText(path);
    EXPECT_NE(text.find("\"min_green\": 0.1,"), std::string::npos);
    EXPECT_NE(text.find("\"amber\": 3.5,"), std::string::npos);
    EXPECT_NE(text.find("\"split\": 35,"), std::string::npos);
    EXPECT_NE(text.find("\"flash_dont_walk\": 12.345679,"), std::string::npos);
    EXPECT_NE(text.find("\"links\": []"), std::string::npos);
    // The creator is written where someone is named, so older files read and write as they were.
    EXPECT_NE(text.find("\"created_by\": \"J. Ortiz\""), std::string::npos);
    EXPECT_EQ(text.find("\"created_by\"", text.find("\"main-1st\"")), std::string::npos);
    // Saving again gives the same bytes, and so does the example the guide shows.
    EXPECT_EQ(formatPlanProject(std::get<PlanProject>(read)), text);
    std::remove(path.c_str());
    const std::string example = TAVIMO_TEST_DATA "/../../examples/lead-lag.tavimo";
    auto opened = readPlanProjectFile(example);
    ASSERT_TRUE(std::holds_alternative<PlanProject>(opened)) << std::get<std::string>(opened);
    EXPECT_EQ(formatPlanProject(std::get<PlanProject>(opened)), test::fileText(example));
}

TEST(PlanProject, ABadFileIsRefusedWholeWithWhatIsWrong) {
    const nlohmann::json good = nlohmann::json::parse(formatPlanProject(sampleProject()));
    using Change = std::function<void(nlohmann::json&)>;
    const std::string phase = "/intersections/0/signal/phases/1";
    const std::pair<Change, std::string> cases[] = {
        {[](auto& j) { j["format"] = "tvm"; }, "the file does not name its format \"tavimo-project\" in /format"},
        {[](auto& j) { j["version"] = 3; }, "the file is of version 3, newer than this Tavimo reads (version 2)"},
        {[](auto& j) { j["version"] = "1"; }, "/version must be a whole number from 1"},
        {[](auto& j) { j["links"].push_back(nlohmann::json::object()); }, "/links must be empty in version 1"},
        {[](auto& j) { j["intersections"] = nlohmann::json::array(); }, "/intersections holds no intersection"},
        {[](auto& j) { j["intersections"][1]["id"] = "4300"; }, "/intersections/1/id is \"4300\" a second time"},
        {[](auto& j) { j["intersections"][0]["signal"].erase("cycle"); }, "/intersections/0/signal has no \"cycle\""},
        {[](auto& j) { j["intersections"][0]["signal"]["colour"] = 1; },
         "/intersections/0/signal has the unknown field \"colour\""},
        {[](auto& j) { j["intersections"][0]["signal"]["cycle"] = 100; }, "/intersections/0/signal/cycle must be a text"},
        {[](auto& j) { j["intersections"][0]["signal"]["cycle"] = "-90"; },
         "/intersections/0/signal/cycle is \"-90\", not a cycle length of 0 or more"},
        {[](auto& j) { j["intersections"][0]["signal"]["mode"] = "free"; },
         "/intersections/0/signal/mode is \"free\", not one of \"permissive\", \"yield\""},
        {[&](auto& j) { j[nlohmann::json::json_pointer(phase + "/number")] = 17; },
         phase + "/number is 17, not a phase number 1 to 16"},
        {[&](auto& j) { j[nlohmann::json::json_pointer(phase + "/number")] = 1; }, phase + "/number is phase 1 a second time"},
        {[&](auto& j) { j[nlohmann::json::json_pointer(phase + "/number")] = 2.5; }, phase + "/number must be a whole number"},
        {[&](auto& j) { j[nlohmann::json::json_pointer(phase + "/timing/split")] = -1; },
         phase + "/timing/split is -1, not a time of 0 or more below 100000 s"},
        {[&](auto& j) { j[nlohmann::json::json_pointer(phase + "/walk")] = 1e300; },
         phase + "/walk is 1e+300, not a time of 0 or more below 100000 s"},
        {[&](auto& j) { j[nlohmann::json::json_pointer(phase + "/timing/amber")] = "3.5"; },
         phase + "/timing/amber must be a number"},
        {[&](auto& j) { j[nlohmann::json::json_pointer(phase + "/movement")].erase("left_turn"); },
         phase + "/movement has no \"left_turn\""},
        {[](auto& j) { j["intersections"][0]["signal"]["sequence"][2]["phases"][0] = 9; },
         "/intersections/0/signal/sequence/2/phases/0 is phase 9, which is not among the phases"},
        {[](auto& j) { j["intersections"][0]["signal"]["sequence"][0]["ring"] = 3; },
         "/intersections/0/signal/sequence/0/ring is 3, not ring 1 or 2"},
        {[](auto& j) { j["intersections"][0]["signal"]["coordinated"] = {2, 6, 4}; },
         "/intersections/0/signal/coordinated holds more than two phases"},
        {[](auto& j) { j["intersections"][0]["signal"]["offset"]["reference"] = "yellow"; },
         "/intersections/0/signal/offset/reference is \"yellow\", not one of \"last-green\", \"type-170\", \"red\", "
         "\"ts2\", \"flash-dont-walk\""},
    };
    for (const auto& [change, message] : cases) {
        nlohmann::json bad = good;
        change(bad);
        auto read = parsePlanProject(bad.dump(2));
        ASSERT_TRUE(std::holds_alternative<std::string>(read)) << message;
        EXPECT_EQ(std::get<std::string>(read), message);
    }
    // Texts that are no project at all.
    const std::pair<std::string, std::string> texts[] = {
        {"{\"format\": ", "it is not JSON (parse error at line 1, column 12: syntax error while parsing value - "
                          "unexpected end of input; expected '[', '{', or a literal)"},
        {"{\"version\": 1e999}", "it is not JSON (number overflow parsing '1e999')"},
        {"[1, 2]", "the file is not a JSON object"},
        {"{\"format\": \"tavimo-project\", \"format\": \"x\"}", "it gives the field \"format\" twice in one object"},
    };
    for (const auto& [text, message] : texts) EXPECT_EQ(std::get<std::string>(parsePlanProject(text)), message);

    // Read from a file, the message names it, and a file past the limit is not read.
    const std::string path = tempPath("large.tavimo");
    std::ofstream(path) << std::string(kLargestPlanProjectFile + 1, ' ');
    EXPECT_EQ(std::get<std::string>(readPlanProjectFile(path)), "Unable to open " + path + ": it is larger than 16 MiB.");
    std::ofstream(path) << "{\"format\": \"tavimo-project\", \"version\": 7}";
    EXPECT_EQ(std::get<std::string>(readPlanProjectFile(path)),
              path + " is not a Tavimo project: the file is of version 7, newer than this Tavimo reads (version 2).");
    std::remove(path.c_str());
}

TEST(PlanProject, WhatWouldNotOpenAgainIsNeverWritten) {
    const std::string path = tempPath("kept.tavimo");
    ASSERT_EQ(writePlanProjectFile(path, sampleProject()), std::nullopt);
    const std::string before = test::fileText(path);
    PlanProject negative = sampleProject(), notUtf8 = sampleProject(), otherSeconds = sampleProject();
    negative.intersections[0].signal.phases[0].timing->split = -15;
    notUtf8.intersections[0].signal.description = "S\xFC" "d";
    otherSeconds.intersections[0].signal.cycle.seconds = 90;
    const std::pair<const PlanProject*, std::string> refused[] = {
        {&negative, "cannot write " + path +
                        ": the project could not be opened again: /intersections/0/signal/phases/0/timing/split is "
                        "-15, not a time of 0 or more below 100000 s."},
        {&notUtf8, "cannot write " + path + ": intersection \"4300\" would not read back as it is."},
        {&otherSeconds, "cannot write " + path + ": intersection \"4300\" would not read back as it is."},
    };
    for (const auto& [project, message] : refused) {
        EXPECT_EQ(writePlanProjectFile(path, *project), message);
        EXPECT_EQ(test::fileText(path), before);
    }
    std::remove(path.c_str());
}

TEST(PlanProject, TavimoCalcCalculatesEachIntersection) {
    const std::string path = tempPath("calc.tavimo");
    PlanProject project = sampleProject();
    project.intersections[0].signal.controller = Controller::NemaTs2;
    project.intersections[0].signal.mode = SignalMode::Permissive;
    ASSERT_EQ(writePlanProjectFile(path, project), std::nullopt);

    const cli::Result csv = cli::run({"--format", "csv", path});
    EXPECT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(csv.err, "");
    std::istringstream lines(csv.out);
    std::string line;
    std::vector<std::string> rows;
    while (std::getline(lines, line)) rows.push_back(line);
    ASSERT_GT(rows.size(), 9u);
    EXPECT_EQ(rows[0], "intersection,position,phase,movement,split,min_green,amber,all_red,force_off,permissive_start,"
                       "permissive_end,note,warnings,ring,barrier,referenced_to,offset,offset_ts2,offset_last_green,"
                       "offset_type170,offset_red,offset_flashing_dont_walk");
    // The lead-lag plan under NEMA TS2 counts from phase 2's green, after phase 1's
    // 15 s. Phase 6 is not coordinated: it shares phase 1's window, joined by their starts.
    // Phase 2 alone is coordinated, so its green at 37.5 is ts2 and last_green; its
    // yellow 30 s later, its red 3.5 s after that, its flashing don't walk 12.3456789 s before.
    const std::string offsets = ",0,37.5,37.5,37.5,67.5,71,55.15";
    EXPECT_EQ(rows[1], "4300,,1,EBL,15,5,3.5,1.5,95,80,0,,,1,1" + offsets);
    EXPECT_EQ(rows[2], "4300,,2,SB,35,0.1,3.5,1.5,30,,,,,1,1" + offsets);
    EXPECT_EQ(rows[5], "4300,,6,SB,30,5,3.5,1.5,10,80,0,,,2,1" + offsets);
    EXPECT_NE(csv.out.find("\n5120,"), std::string::npos);
    // Barrier 3 of the three-barrier plan.
    EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [](const std::string& row) {
        std::vector<std::string> f;
        std::stringstream fields(row);
        for (std::string field; std::getline(fields, field, ',');) f.push_back(field);
        return f.size() > 14 && f[0] == "5120" && f[14] == "3";
    }));

    const cli::Result json = cli::run({"--format", "json", "--controller", "170", path});
    EXPECT_EQ(json.status, 0) << json.err;
    const auto list = nlohmann::json::parse(json.out);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0]["intersection"], 4300);
    EXPECT_EQ(list[0]["controller"], "Type 170");
    EXPECT_EQ(list[0]["phases"][1]["phase"], 2);
    EXPECT_EQ(list[0]["phases"][1]["force_off"], 0);  // the local zero is phase 2's yellow
    EXPECT_TRUE(list[1]["phases"][0]["position"].is_number());
    EXPECT_TRUE(list[0]["phases"][0]["position"].is_null());

    // A stopped intersection has its reason; the others are printed all the same, and
    // rings that reach a barrier apart are a warning, which --strict fails.
    project.intersections[2].signal.cycle = {"90", 90.f};
    project.intersections[0].signal.phases[4].timing->split = 32;  // phase 6: ring 2 reaches barrier 1 at 52
    project.intersections[0].signal.phases[6].timing->split = 18;
    ASSERT_EQ(writePlanProjectFile(path, project), std::nullopt);
    const cli::Result stopped = cli::run({path});
    EXPECT_EQ(stopped.status, 1);
    EXPECT_NE(stopped.out.find("the cycle length 90 s is not the ring cycle "), std::string::npos) << stopped.out;
    EXPECT_NE(stopped.out.find("Intersection 4300: Main St"), std::string::npos);
    EXPECT_EQ(stopped.err, "warning: 4300: barrier 1: ring 1 reaches it at 50 s, ring 2 at 52 s\n");

    // A bad file and what the project cannot go with.
    std::ofstream(path) << "{}";
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{path}, "tavimo-calc: " + path +
                     " is not a Tavimo project: the file does not name its format \"tavimo-project\" in /format.\n"},
    };
    for (const auto& [args, message] : refused) {
        const cli::Result r = cli::run(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, message);
    }
    std::remove(path.c_str());
}

}  // namespace
}  // namespace tavimo
