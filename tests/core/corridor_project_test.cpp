// SPDX-License-Identifier: MIT
// A corridor kept in a Tavimo project: read back exactly, offsets as set, and a file
// that does not hold together refused whole with the field at fault.
#include <functional>
#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include "calc/time_space.h"
#include "io/corridor_source.h"
#include "io/plan_project.h"

namespace tavimo {
namespace {

PlanProject glendaleProject() {
    PlanProject project;
    auto network = readUtdfNetwork(TAVIMO_TEST_DATA "/utdf8/glendale.csv");
    auto source = corridorSourceOf(std::get<UtdfNetwork>(network), {"3325", "3350", "3375"});
    CorridorSource& s = std::get<CorridorSource>(source);
    Corridor corridor{s.street, s.there, s.back, {}};
    // An offset the user set, off the file's whole seconds.
    EXPECT_TRUE(setOffset(corridor, 1, OffsetReference::Ts2, 61.3));
    project.corridors.push_back({corridor.street, corridor.there, corridor.back});
    for (std::size_t k = 0; k < s.typed.size(); ++k)
        if (s.typed[k]) project.intersections.push_back({s.there.signals[k].id, *s.typed[k]});
    return project;
}

TEST(CorridorProject, ReadsBackExactly) {
    const PlanProject project = glendaleProject();
    ASSERT_EQ(project.intersections.size(), 3u);
    const std::string text = formatPlanProject(project);
    auto read = parsePlanProject(text);
    ASSERT_TRUE(std::holds_alternative<PlanProject>(read)) << std::get<std::string>(read);
    const PlanProject& back = std::get<PlanProject>(read);
    ASSERT_EQ(back.corridors.size(), 1u);
    EXPECT_TRUE(back.corridors[0] == project.corridors[0]);
    EXPECT_EQ(back.corridors[0].street, "67th Ave");
    EXPECT_EQ(formatPlanProject(back), text);
    EXPECT_EQ(nlohmann::json::parse(text)["version"], 2);
    // Without corridors the file stays version 1 with no links.
    PlanProject plain = project;
    plain.corridors.clear();
    const nlohmann::json v1 = nlohmann::json::parse(formatPlanProject(plain));
    EXPECT_EQ(v1["version"], 1);
    EXPECT_TRUE(v1["links"].empty());
    EXPECT_FALSE(v1.contains("corridors"));
}

TEST(CorridorProject, ACorridorThatDoesNotHoldTogetherIsRefused) {
    const nlohmann::json good = nlohmann::json::parse(formatPlanProject(glendaleProject()));
    using Change = std::function<void(nlohmann::json&)>;
    const std::string c = "/corridors/0";
    const std::pair<Change, std::string> cases[] = {
        {[](auto& j) { j["links"].erase(0); }, c + "/ways/0/nodes/1 follows 3325, but no link in /links joins them"},
        {[](auto& j) { j["links"].push_back(j["links"][0]); }, "/links/4 is the link from 3325 to 3350 a second time"},
        {[](auto& j) { j["links"][0]["speed"] = 0; }, "/links/0/speed is 0, not a speed above 0"},
        {[](auto& j) { j["links"].push_back({{"from", "1"}, {"to", "2"}, {"heading", "NB"}, {"distance", 9}, {"speed", 30}, {"time", nullptr}}); },
         "/links/4 is driven by no corridor"},
        {[](auto& j) { std::swap(j["corridors"][0]["ways"][1]["signals"][0], j["corridors"][0]["ways"][1]["signals"][1]); },
         c + "/ways/1/signals/0/id must be the first node of /nodes"},
        {[](auto& j) { j["corridors"][0]["ways"][0]["signals"][1]["id"] = "9999"; },
         c + "/ways/0/signals/1/id is \"9999\", not a node of /nodes after the signal before"},
        {[](auto& j) { j["corridors"][0]["ways"][0]["signals"].erase(2); }, c + "/ways/0/signals/1/id must be the last node of /nodes"},
        {[](auto& j) { j["corridors"][0]["plans"][0]["intersection"] = "3350"; },
         c + "/plans/0/intersection must be \"3325\", the signal there"},
        {[](auto& j) { j["corridors"][0]["plans"][1]["plan"]["coordinated"] = {16}; },
         c + "/plans/1/plan/coordinated/0 is phase 16, which is not among the phases"},
        {[](auto& j) { j["corridors"][0]["plans"][1]["plan"]["cycle"] = 0; }, c + "/plans/1/plan/cycle is 0, not a cycle above 0 below 100000 s"},
        {[](auto& j) { j["corridors"][0]["plans"][2]["plan"]["phases"][0]["yield"] = 1e300; },
         c + "/plans/2/plan/phases/0/yield is 1e+300, not a time below 200000 s"},
        {[](auto& j) { j["corridors"][0]["extra"] = 1; }, c + " has the unknown field \"extra\""},
        {[](auto& j) { j["version"] = 1; }, "the file has the unknown field \"corridors\""},
    };
    for (const auto& [change, message] : cases) {
        nlohmann::json j = good;
        change(j);
        auto read = parsePlanProject(j.dump());
        ASSERT_TRUE(std::holds_alternative<std::string>(read)) << message;
        EXPECT_EQ(std::get<std::string>(read), message);
    }
}

}  // namespace
}  // namespace tavimo
