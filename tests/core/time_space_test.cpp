// SPDX-License-Identifier: MIT
// The time-space diagram of real corridors: signals on their lines, the through
// colours over the span, the band strips driven at the link speeds, the side streets'
// windows on the master clock, and a new offset moving all of it.
#include <cmath>

#include <gtest/gtest.h>

#include "calc/time_space.h"
#include "io/corridor_source.h"
#include "io/utdf_network.h"

namespace tavimo {
namespace {

Corridor corridorOf(const std::string& file, const std::vector<std::string>& ids) {
    Corridor corridor;
    auto network = readUtdfNetwork(std::string(TAVIMO_TEST_DATA) + "/utdf8/" + file);
    if (!std::holds_alternative<UtdfNetwork>(network)) {
        ADD_FAILURE() << std::get<UtdfError>(network).message;
        return corridor;
    }
    auto source = corridorSourceOf(std::get<UtdfNetwork>(network), ids);
    if (auto* why = std::get_if<std::string>(&source)) {
        ADD_FAILURE() << *why;
        return corridor;
    }
    CorridorSource& s = std::get<CorridorSource>(source);
    corridor.street = s.street;
    corridor.there = s.there;
    corridor.back = s.back;
    for (const auto& typed : s.typed) corridor.windows.push_back(typed ? sideStreetWindowsOf(*typed) : std::nullopt);
    return corridor;
}

bool inGreen(double t, const std::vector<AspectSpan>& spans) {
    for (const AspectSpan& a : spans)
        if (a.aspect == Aspect::Green && t >= a.start - 1e-6 && t <= a.end + 1e-6) return true;
    return false;
}

// What every diagram must hold: colours that tile the span without gap, and band
// strips whose edges meet each signal inside its through green (where the strip is on
// the span), as wide in time at every node as the band.
void expectSound(const TimeSpaceDiagram& d) {
    for (const DiagramSignal& s : d.signals)
        for (int way = 0; way < 2; ++way) {
            if (s.through[way].empty()) continue;
            EXPECT_DOUBLE_EQ(s.through[way].front().start, 0) << s.id;
            EXPECT_DOUBLE_EQ(s.through[way].back().end, d.span) << s.id;
            for (std::size_t i = 1; i < s.through[way].size(); ++i)
                EXPECT_NEAR(s.through[way][i].start, s.through[way][i - 1].end, 1e-9) << s.id;
        }
    for (int way = 0; way < 2; ++way) {
        const DiagramBand& band = d.bands[way];
        if (!band.band.seconds) continue;
        EXPECT_FALSE(band.strips.empty());
        for (const BandStrip& strip : band.strips)
            for (std::size_t i = 0; i < strip.lower.size(); ++i)
                EXPECT_NEAR(strip.upper[i].time - strip.lower[i].time, *band.band.seconds, 1e-9);
        for (const BandStrip& strip : band.strips)
            for (const DiagramSignal& s : d.signals)
                for (const std::vector<TimeDistance>* edge : {&strip.lower, &strip.upper})
                    for (const TimeDistance& p : *edge) {
                        if (std::abs(p.distance - s.distance) < 1e-9 && p.time > 0 && p.time < d.span) {
                            EXPECT_TRUE(inGreen(p.time, s.through[way])) << s.id << " at " << p.time;
                        }
                    }
    }
}

// Glendale 67th Ave (cycle 120, phase 4 each way at 3325, 3350, 3375; 1283 and 1287 ft):
// northbound 47.37 s by hand. Bell Rd 4300-4306 (cycle 135): westbound 35 s.
TEST(TimeSpaceDiagram, RealCorridorsDrawnToTheirBands) {
    struct Case {
        const char* file;
        std::vector<std::string> ids;
        double cycle, length;
        int way;
        double band;
    };
    const Case cases[] = {
        {"glendale.csv", {"3325", "3350", "3375"}, 120, 1283 + 1287, 0, 104 - (78.5 - 1283 / (40 * 22 / 15.0))},
        {"glendale.csv", {"4306", "4300"}, 135, 1320, 1, 35},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ids.front());
        const TimeSpaceDiagram d = timeSpaceDiagram(corridorOf(c.file, c.ids), 3);
        ASSERT_EQ(d.signals.size(), c.ids.size());
        EXPECT_EQ(d.cycle, c.cycle);
        EXPECT_EQ(d.span, 3 * c.cycle);
        EXPECT_NEAR(d.length, c.length, 1e-9);
        EXPECT_EQ(d.signals.front().distance, 0);
        ASSERT_TRUE(d.bands[c.way].band.seconds) << d.bands[c.way].band.reason;
        EXPECT_NEAR(*d.bands[c.way].band.seconds, c.band, 1e-3);
        expectSound(d);
        bool windows = false;
        for (const DiagramSignal& s : d.signals) windows = windows || !s.windows.empty();
        EXPECT_TRUE(windows);
    }
}

// A new offset at one signal moves its colours and windows by as much and changes the
// band; keying the old offset back gives the same diagram again.
TEST(TimeSpaceDiagram, ANewOffsetMovesTheSignalAndChangesTheBand) {
    Corridor corridor = corridorOf("glendale.csv", {"3325", "3350", "3375"});
    const TimeSpaceDiagram before = timeSpaceDiagram(corridor);
    const double ts2 = before.signals[1].offsets->ts2;
    ASSERT_TRUE(setOffset(corridor, 1, OffsetReference::Ts2, std::fmod(ts2 + 30, 120)));
    const TimeSpaceDiagram after = timeSpaceDiagram(corridor);
    expectSound(after);
    EXPECT_NEAR(after.signals[1].offsets->ts2, std::fmod(ts2 + 30, 120), 1e-9);
    EXPECT_NE(*after.bands[0].band.seconds, *before.bands[0].band.seconds);
    ASSERT_FALSE(before.signals[1].windows.empty());
    const LocalWindow& w = before.signals[1].windows.front();
    bool moved = false;
    for (const LocalWindow& v : after.signals[1].windows)
        moved = moved || (v.phase == w.phase && std::abs(v.end - v.start - (w.end - w.start)) < 1e-6 &&
                          std::abs(std::fmod(v.start - w.start + 240, 120) - 30) < 1e-6);
    EXPECT_TRUE(moved);
    EXPECT_EQ(after.signals[0].windows.size(), before.signals[0].windows.size());

    // Out of the cycle, or a point the plan lacks: refused, nothing changed.
    EXPECT_FALSE(setOffset(corridor, 1, OffsetReference::Ts2, 120));
    EXPECT_FALSE(setOffset(corridor, 1, OffsetReference::Ts2, -1));
    EXPECT_FALSE(setOffset(corridor, 7, OffsetReference::Ts2, 0));
    ASSERT_TRUE(setOffset(corridor, 1, OffsetReference::Ts2, ts2));
    const TimeSpaceDiagram again = timeSpaceDiagram(corridor);
    EXPECT_NEAR(*again.bands[0].band.seconds, *before.bands[0].band.seconds, 1e-9);
    EXPECT_NEAR(*again.bands[1].band.seconds, *before.bands[1].band.seconds, 1e-9);
}

// A band of 0 s (SR 95 at Bullhead City, 12 signals, cycle 130) is told, not drawn as
// a line of traffic that no green lets through.
TEST(TimeSpaceDiagram, ABandOfNoWidthHasNoStrip) {
    const TimeSpaceDiagram d =
        timeSpaceDiagram(corridorOf("bullhead-parkway.csv", {"2", "3", "4", "7", "65", "8", "60", "56", "11", "51", "48", "14"}));
    for (const DiagramBand& band : d.bands) {
        ASSERT_TRUE(band.band.seconds);
        EXPECT_EQ(*band.band.seconds, 0);
        EXPECT_TRUE(band.strips.empty());
    }
    EXPECT_EQ(d.signals.size(), 12u);
}

// A cycle far shorter than the span (a project made by hand) is left undrawn rather
// than repeated millions of times; the other signals and the reason still show.
TEST(TimeSpaceDiagram, ACycleTooShortToDrawIsLeftOut) {
    Corridor corridor = corridorOf("glendale.csv", {"3325", "3350", "3375"});
    corridor.there.signals[0].plan->cycle = 1e-6;
    corridor.back.signals[2].plan->cycle = 1e-6;
    const TimeSpaceDiagram d = timeSpaceDiagram(corridor);
    EXPECT_TRUE(d.signals[0].through[0].empty());
    EXPECT_TRUE(d.signals[0].windows.empty());
    EXPECT_FALSE(d.signals[1].through[0].empty());
    EXPECT_EQ(d.cycle, 0);
    EXPECT_FALSE(d.bands[0].band.seconds);
    EXPECT_FALSE(d.bands[0].band.reason.empty());
}

}  // namespace
}  // namespace tavimo
