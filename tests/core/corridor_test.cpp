// SPDX-License-Identifier: MIT
// Corridors of a network: the links and settings read from real files, offsets in every
// reference, travel times, through phases, bands and the corridors found along a street.
#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "calc/coordination.h"
#include "io/network_corridor.h"
#include "io/utdf_network.h"
#include "model/number_text.h"

namespace tavimo {
namespace {

std::string networkData(const std::string& name) { return std::string(TAVIMO_TEST_DATA) + "/utdf8/" + name; }

UtdfNetwork readNetwork(const std::string& path) {
    auto read = readUtdfNetwork(path);
    if (auto* error = std::get_if<UtdfError>(&read)) ADD_FAILURE() << error->message;
    return std::get_if<UtdfNetwork>(&read) ? std::get<UtdfNetwork>(read) : UtdfNetwork{};
}

// One Glendale intersection as exported (feet and mph, two distances set by hand), and
// the same links written in metres and km/h: the shared networks are all in feet.
TEST(CorridorLinks, ApproachesAreReadWithTheirUpstreamNodeAndFigures) {
    struct Case {
        const char* file;
        const char* metric;
        float distances[4], speed, times[4];
    };
    const Case cases[] = {
        {"excerpts/glendale-4300-links.csv", "0", {1200, 721, 1320, 1310}, 40, {20.5f, 12.3f, 22.5f, 22.3f}},
        {"excerpts/glendale-4300-links-metric.csv", "1", {366, 220, 402, 399}, 64, {20.6f, 12.4f, 22.6f, 22.4f}},
    };
    const long long upNodes[] = {38, 4325, 4306, 3618};
    const char* names[] = {"75th", "75th Ave", "Bell", "Bell"};
    const LinkHeading headings[] = {LinkHeading::NB, LinkHeading::SB, LinkHeading::EB, LinkHeading::WB};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const UtdfNetwork network = readNetwork(networkData(c.file));
        EXPECT_EQ(network.metric, c.metric);
        const NetworkIntersection* x = network.find("4300");
        ASSERT_NE(x, nullptr);
        ASSERT_EQ(x->links.size(), 4u);  // the four empty diagonal columns hold none
        for (std::size_t i = 0; i < 4; ++i) {
            const NetworkLink& link = x->links[i];
            EXPECT_EQ(link.heading, headings[i]);
            EXPECT_EQ(link.upNode, upNodes[i]);
            EXPECT_EQ(x->nameOf(link), names[i]);
            EXPECT_EQ(link.distance, c.distances[i]);
            EXPECT_EQ(link.speed, c.speed);
            EXPECT_EQ(link.time, c.times[i]);
        }
        EXPECT_EQ(x->streetNames.size(), 4u);
    }
}

// Blanks, a column that is no direction and texts that are no numbers leave a figure
// out without refusing the file; the name of such a column still describes the node.
TEST(CorridorLinks, MissingFiguresAreLeftOut) {
    const std::string text =
        "[Network]\nRECORDNAME,DATA\nMetric , 1 \n[Links]\nRECORDNAME,INTID,NB,XX,EB\n"
        "Up ID,7,3,9,n/a\nName,7,,Side St,Main St\nDistance,7,*,100,\nSpeed,7,30,30,abc\n[Phases]\n";
    auto parsed = parseUtdfNetwork(text, "net.csv");
    ASSERT_TRUE(std::holds_alternative<UtdfNetwork>(parsed)) << std::get<UtdfError>(parsed).message;
    const UtdfNetwork& network = std::get<UtdfNetwork>(parsed);
    EXPECT_EQ(network.metric, "1");
    const NetworkIntersection& x = network.intersections.at(0);
    ASSERT_EQ(x.links.size(), 2u);
    EXPECT_EQ(x.links[0].upNode, 3);
    EXPECT_TRUE(std::isnan(x.links[0].distance));
    EXPECT_EQ(x.links[0].speed, 30.f);
    EXPECT_EQ(x.nameOf(x.links[0]), "");
    EXPECT_EQ(x.links[1].heading, LinkHeading::EB);
    EXPECT_EQ(x.links[1].upNode, -1);
    EXPECT_TRUE(std::isnan(x.links[1].speed));
    EXPECT_EQ(x.nameOf(x.links[1]), "Main St");
    EXPECT_EQ(x.streetNames, (std::vector<std::string>{"Side St", "Main St"}));
}

// Every real network of the test data: the timing exports of fifteen networks.
const char* const kRealNetworks[] = {
    "bullhead-parkway.csv", "bullhead-seg4.csv", "camp-verde.csv", "chattanooga.csv", "cortaro-am.csv",
    "cortaro-pm.csv", "glendale.csv", "i19-ruby.csv", "kingman.csv", "lake-havasu.csv",
    "payson.csv", "peoria.csv", "sedona.csv", "union-hills.csv", "us60.csv"};

const std::vector<UtdfNetwork>& realNetworks() {
    static const std::vector<UtdfNetwork> networks = [] {
        std::vector<UtdfNetwork> read;
        for (const char* name : kRealNetworks) read.push_back(readNetwork(networkData(name)));
        return read;
    }();
    return networks;
}

// The distance between two times on a clock of `cycle` seconds.
double apartOnCycle(double a, double b, double cycle) {
    const double d = onCycle(a - b, cycle);
    return std::min(d, cycle - d);
}

// The exporting program counts each plan's Offset to the point its Referenced To names:
// the definitions of the points hold on every actuated-coordinated plan.
TEST(CorridorDefinitions, FileOffsetIsThePointItsReferenceNames) {
    int checked = 0, withoutCoordinatedPhase = 0;
    for (std::size_t n = 0; n < std::size(kRealNetworks); ++n)
        for (const NetworkIntersection& x : realNetworks()[n].intersections) {
            if (!x.hasTimeplan || x.controlType != "3") continue;
            SCOPED_TRACE(std::string(kRealNetworks[n]) + " " + x.id);
            auto plan = coordinationPlanOf(x);
            ASSERT_TRUE(std::holds_alternative<CoordinationPlan>(plan)) << std::get<std::string>(plan);
            const auto points = referencePointsOf(std::get<CoordinationPlan>(plan));
            if (!points) {
                ++withoutCoordinatedPhase;  // Reference Phase 0
                continue;
            }
            const auto reference = fileReferenceOf(x);
            ASSERT_TRUE(reference);
            const std::optional<double> offset = offsetIn(*points, *reference);
            ASSERT_TRUE(offset);
            EXPECT_LT(apartOnCycle(*offset, *parseNumber(x.offset), std::get<CoordinationPlan>(plan).cycle), 0.05)
                << "Referenced To " << x.referencedTo << ", Offset " << x.offset << ", " << referenceName(*reference)
                << " " << *offset;
            ++checked;
        }
    EXPECT_EQ(checked, 212);
    EXPECT_EQ(withoutCoordinatedPhase, 2);
}

TEST(CorridorDefinitions, TravelTimeOfEveryLinkIsTheFilesTime) {
    int checked = 0;
    for (std::size_t n = 0; n < std::size(kRealNetworks); ++n) {
        const UtdfNetwork& network = realNetworks()[n];
        for (const NetworkIntersection& x : network.intersections)
            for (const NetworkLink& link : x.links) {
                if (std::isnan(link.time)) continue;
                SCOPED_TRACE(std::string(kRealNetworks[n]) + " " + x.id + " " + std::string(headingName(link.heading)));
                const auto time = travelTime(link.distance, link.speed, isMetric(network));
                ASSERT_TRUE(time) << link.distance << " at " << link.speed;
                EXPECT_LE(std::abs(*time - link.time), 0.05 + 1e-4) << link.distance << " at " << link.speed;
                ++checked;
            }
    }
    EXPECT_GT(checked, 2500);
}

// Chattanooga's signal 2: phases 2 and 6 green together from 70 to 91.8 (yellow 3.6,
// flashing don't walk 12) in a cycle of 100; the file's Yield170 of phase 2 is 79.8.
// Glendale's 4300 runs 6 from 121 and 2 from 14 in a barrier that opens at 121.
TEST(CorridorDefinitions, ReferencePointsOfTwoRealPlans) {
    struct Case {
        const char* file;
        const char* id;
        double ts2, lastGreen, type170, red, flashingDontWalk;
    };
    const Case cases[] = {{"chattanooga.csv", "2", 70, 70, 91.8, 95.4, 79.8},
                          {"glendale.csv", "4300", 121, 14, 36, 40, 16}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const UtdfNetwork network = readNetwork(networkData(c.file));
        auto plan = coordinationPlanOf(*network.find(c.id));
        ASSERT_TRUE(std::holds_alternative<CoordinationPlan>(plan));
        const auto points = referencePointsOf(std::get<CoordinationPlan>(plan));
        ASSERT_TRUE(points);
        EXPECT_NEAR(points->ts2, c.ts2, 1e-4);
        EXPECT_NEAR(points->lastGreen, c.lastGreen, 1e-4);
        EXPECT_NEAR(points->type170, c.type170, 1e-4);
        EXPECT_NEAR(points->red, c.red, 1e-4);
        EXPECT_NEAR(points->flashingDontWalk.value_or(-1), c.flashingDontWalk, 1e-4);
    }
}

// Hand-checkable bands, cycle 100 unless said. Each signal's green less its travel time
// gives the departures that meet it; the band is the longest run inside all of them.
TEST(CorridorBand, HandCheckableCases) {
    struct Case {
        const char* what;
        std::vector<BandStop> stops;
        std::optional<double> band;
        double start;
        std::string reason;
    };
    const Case cases[] = {
        // [0, 50) and [30, 70) - 20 = [10, 50).
        {"two signals", {{"A", 100, 0, {0, 50}}, {"B", 100, 20, {30, 70}}}, 40, 10, ""},
        // [80, 130) and [10, 40) - 20 = [90, 120): past the cycle's end and on to 20.
        {"wraps", {{"A", 100, 0, {80, 130}}, {"B", 100, 20, {10, 40}}}, 30, 90, ""},
        // [0, 30) and [60, 80) - 10 = [50, 70) never meet.
        {"no band", {{"A", 100, 0, {0, 30}}, {"B", 100, 10, {60, 80}}}, 0, 0, ""},
        // [0, 60) and [70, 140) - 20 = [50, 120) meet twice: [50, 60) and [0, 20).
        {"the longer of two pieces", {{"A", 100, 0, {0, 60}}, {"B", 100, 20, {70, 140}}}, 20, 0, ""},
        // A third signal narrows the band: [10, 50) and [45, 65) - 30 = [15, 35).
        {"three signals",
         {{"A", 100, 0, {0, 50}}, {"B", 100, 20, {30, 70}}, {"C", 100, 30, {45, 65}}}, 20, 15, ""},
        {"unequal cycles", {{"A", 100, 0, {0, 50}}, {"B", 90, 20, {30, 70}}}, std::nullopt, 0,
         "the cycles differ: 100 s at A, 90 s at B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Band band = bandOf(c.stops);
        EXPECT_EQ(band.reason, c.reason);
        ASSERT_EQ(band.seconds.has_value(), c.band.has_value());
        if (!c.band) {
            EXPECT_FALSE(band.efficiency);
            continue;
        }
        EXPECT_NEAR(*band.seconds, *c.band, 1e-9);
        EXPECT_NEAR(band.start, c.start, 1e-9);
        EXPECT_NEAR(*band.efficiency, *c.band / 100, 1e-9);
    }
    // Attainability: band / the shortest through green (20 s at C).
    EXPECT_NEAR(*bandOf(cases[4].stops).attainability, 1.0, 1e-9);
}

// Real corridors: each signal's through green and travel time from the file, the band by
// hand. Glendale 67th Ave northbound (cycle 120, phase 4 at all three):
//   3325 green 24.5-104, T 0        -> departures [24.5, 104)
//   3350 green 78.5-158, T 21.87    -> [56.63, 136.13)
//   3375 green 96-150.5, T 43.81    -> [52.19, 106.69)
// 1283 ft and 1287 ft at 40 mph; together [56.63, 104): 47.37 s, of the shortest green 54.5.
// Glendale Bell Rd westbound (cycle 135, phase 2): 4300 green 14-64, 4306 green
// 51.5-103 after 1320 ft at 40 mph (22.5 s) -> [29, 80.5); with [14, 64): 35 s.
TEST(CorridorBand, RealCorridorsAgreeWithAHandComputation) {
    struct Case {
        std::vector<std::string> signals;
        const char* headings;
        std::vector<int> through;
        double band, attainability;
    };
    const Case cases[] = {
        {{"3325", "3350", "3375"}, "NB NB NB", {4, 4, 4}, 104 - (78.5 - 1283 / (40 * 22 / 15.0)),
         (104 - (78.5 - 1283 / (40 * 22 / 15.0))) / 54.5},
        {{"4300", "4306"}, "WB WB", {2, 2}, 35, 35 / 50.0},
    };
    const UtdfNetwork network = readNetwork(networkData("glendale.csv"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.signals.front());
        auto route = corridorRoute(network, c.signals);
        ASSERT_TRUE(std::holds_alternative<CorridorRoute>(route)) << std::get<std::string>(route);
        std::string headings;
        std::vector<int> through;
        for (const RouteSignal& signal : std::get<CorridorRoute>(route).signals) {
            headings += (headings.empty() ? "" : " ") + signal.heading;
            through.push_back(signal.throughPhase.value_or(0));
        }
        EXPECT_EQ(headings, c.headings);
        EXPECT_EQ(through, c.through);
        const Progression progression = progressionAlong(std::get<CorridorRoute>(route));
        ASSERT_TRUE(progression.band.seconds) << progression.band.reason;
        EXPECT_NEAR(*progression.band.seconds, c.band, 1e-3);
        EXPECT_NEAR(progression.band.attainability.value_or(-1), c.attainability, 1e-3);
    }
}

// Signals joined along one street name, in order along it; a street that forks (Peoria
// Ave at 26) is cut at the fork.
TEST(CorridorFinding, ChainsOfSignalsAlongOneStreet) {
    struct Case {
        const char* file;
        std::size_t corridors;
        const char* street;
        std::vector<std::string> signals;
    };
    const Case cases[] = {
        {"sedona.csv", 1, "SR 89A", {"3", "7", "10", "9", "14", "20", "24", "31"}},
        {"chattanooga.csv", 1, "Shallowford Rd.", {"2", "33", "4", "8", "11", "22", "19", "16"}},
        {"union-hills.csv", 1, "Union Hills Dr",
         {"15", "14", "13", "12", "11", "10", "9", "8", "6", "5", "4", "3", "2", "1"}},
        {"peoria.csv", 47, "Peoria Ave", {"26", "27", "83", "86", "18", "12", "4", "1", "327"}},
        {"kingman.csv", 0, "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::vector<NetworkCorridor> found = findCorridors(readNetwork(networkData(c.file)));
        EXPECT_EQ(found.size(), c.corridors);
        if (c.signals.empty()) continue;
        const auto along = std::find_if(found.begin(), found.end(), [&](const NetworkCorridor& corridor) {
            return corridor.street == c.street && corridor.signals.front() == c.signals.front();
        });
        ASSERT_NE(along, found.end());
        EXPECT_EQ(along->signals, c.signals);
    }
}

}  // namespace
}  // namespace tavimo
