// SPDX-License-Identifier: MIT
// Corridors of a network: the links and settings read from real files, offsets in every
// reference, travel times, through phases, bands and the corridors found along a street.
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

}  // namespace
}  // namespace tavimo
