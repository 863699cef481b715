// SPDX-License-Identifier: MIT
// Whole-network UTDF files: reading, placing real intersections on the grid, and the
// agreement of Tavimo's force-offs with the exporting program's on two real networks.
#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "calc/window_calculation.h"
#include "io/network_signal.h"
#include "io/signal_arrival.h"
#include "io/utdf_network.h"
#include "model/number_text.h"

namespace tavimo {
namespace {

std::string networkData(const std::string& name) { return std::string(TAVIMO_TEST_DATA) + "/utdf8/" + name; }

UtdfNetwork readNetwork(const std::string& name) {
    auto read = readUtdfNetwork(networkData(name));
    if (auto* error = std::get_if<UtdfError>(&read)) ADD_FAILURE() << error->message;
    return std::get_if<UtdfNetwork>(&read) ? std::get<UtdfNetwork>(read) : UtdfNetwork{};
}

std::string parseError(const std::string& text) {
    auto parsed = parseUtdfNetwork(text, "net.csv");
    return std::get_if<UtdfError>(&parsed) ? std::get<UtdfError>(parsed).message : "";
}

// The phases along the grid as one text: ".2.4.6.8" is phase 2 at position 2, ...
std::string gridOf(const NetworkPlacement& placed) {
    std::string grid;
    for (int phase : placed.phaseAt) grid += phase ? static_cast<char>('0' + phase) : '.';
    return grid;
}

// The verdict on an intersection calculated as the dialog and tavimo-calc calculate it.
NetworkVerdict calculated(const NetworkIntersection& x, const std::string& controller) {
    const NetworkStanding standing = standingOf(x);
    auto imported = networkSignal(standing, controller, tag::kPermissive);
    if (auto* reason = std::get_if<std::string>(&imported)) ADD_FAILURE() << x.id << ": " << *reason;
    WindowState state = std::get_if<WindowState>(&imported) ? std::get<WindowState>(imported) : WindowState::fresh();
    const CalcOutcome outcome = calculateWindow(state);
    return verdictOf(standing, runFailure(outcome), forceOffsOf(outcome), controller == tag::kType170);
}

TEST(UtdfNetwork, RecordsAreReadByNameNotByPlace) {
    const UtdfNetwork network = readNetwork("chattanooga.csv");
    ASSERT_EQ(network.intersections.size(), 26u);
    const NetworkIntersection* x = network.find("2");
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->cycleLength, "100.0");
    EXPECT_EQ(x->referencePhase, "206");
    EXPECT_EQ(x->phases[1].start, "70");
    EXPECT_EQ(x->phases[1].dontWalk, "12");
    // The export has no D13 column: D14 is the column after D12.
    EXPECT_EQ(x->phases[13].brp, "322");
    EXPECT_EQ(x->phases[12].brp, "");
    ASSERT_FALSE(x->laneGroups.empty());
    EXPECT_EQ(x->laneGroups[0].name, "NBL");
    EXPECT_EQ(x->laneGroups[0].phase, "3");
    EXPECT_EQ(networkDescription(*x), "2: Hickory Valley Rd. & Shallowford Rd.");
    EXPECT_FALSE(network.find("3")->hasTimeplan);  // a node without a signal
}

TEST(UtdfNetwork, LineEndsBlanksAndUnknownSectionsDoNotMatter) {
    const std::string lines[] = {"[Phases]", "Phasing Data", "RECORDNAME, INTID ,D1,D2", "Start , 7 , 10 ,",
                                 "[Extras]", "RECORDNAME,INTID,D1", "Start,7,99", "[Nodes]",
                                 "INTID,DESCRIPTION", " 7 , Main St "};
    for (const char* end : {"\r\n", "\n", "\r"}) {
        std::string text;
        for (const std::string& line : lines) text += line + end;
        auto parsed = parseUtdfNetwork(text, "net.csv");
        ASSERT_TRUE(std::holds_alternative<UtdfNetwork>(parsed)) << std::get<UtdfError>(parsed).message;
        const NetworkIntersection& x = std::get<UtdfNetwork>(parsed).intersections.at(0);
        EXPECT_EQ(x.phases[0].start, "10");
        EXPECT_EQ(x.nodeDescription, "Main St");
        EXPECT_EQ(networkDescription(x), "7: Main St");
    }
}

TEST(UtdfNetwork, MalformedFilesAreRefusedWithTheirLine) {
    std::string manyNodes, manyPlans;
    for (int id = 1; id <= 100001; ++id) manyNodes += std::to_string(id) + "\n";
    for (int id = 1; id <= 10001; ++id) manyPlans += "Cycle Length," + std::to_string(id) + ",90\n";
    const struct {
        std::string text, message;
    } cases[] = {
        {"[Timeplans]\nRECORDNAME,INTID,DATA\nCycle Length,2,100\n",
         "The UTDF file \"net.csv\" has no [Phases] section: it is not a combined UTDF file."},
        {"", "has no [Phases] section"},
        {"[Phases]\nRECORDNAME,INTID,D1,D2\nStart,2,10\n",
         "The UTDF file \"net.csv\" line 3, [Phases]: the record \"Start\" has 3 fields; its heading has 4."},
        {"[Phases]\nRECORDNAME,INTID,D1\nStart,,10\n", "line 3, [Phases]: the record \"Start\" has no INTID."},
        {"[Lanes]\nRECORDNAME,INTID,NBL\nPhase1,2a,1\n[Phases]\n",
         "line 3, [Lanes]: the record \"Phase1\" has the INTID \"2a\", which is not a whole number."},
        // A heading cut short: the record is as short, but still too short to read.
        {"[Timeplans]\nTiming Plan Settings\nRECORDNAME,INTID\nCycle Length,2\n[Phases]\n",
         "line 4, [Timeplans]: the record \"Cycle Length\" has 2 fields; it needs 3."},
        {"[Phases]\nRECORDNAME\nStart\n", "line 3, [Phases]: the record \"Start\" has 1 field; it needs 2."},
        // What one record may hold.
        {"[Phases]\nRECORDNAME,INTID,D1\nStart,2" + std::string(600, ',') + "\n",
         "line 3, [Phases]: the line has more than 512 fields."},
        {"[Nodes]\nINTID,DESCRIPTION\n2," + std::string(2000, 'x') + "\n[Phases]\n",
         "line 3, [Nodes]: a field of the line is longer than 1024 bytes."},
        {"[Nodes]\nINTID\n" + manyNodes, "line 100003, [Nodes]: the file holds more than 100000 nodes."},
        {"[Timeplans]\nRECORDNAME,INTID,DATA\n" + manyPlans,
         "line 10003, [Timeplans]: the file holds more than 10000 signals (intersections with a timing plan)."},
        // One INTID twice is two intersections or a pasted file, never one merged plan.
        {"[Timeplans]\nRECORDNAME,INTID,DATA\nCycle Length,2,100\nOffset,2,0\nCycle Length,2,90\n[Phases]\n",
         "line 5, [Timeplans]: INTID \"2\" has a second \"Cycle Length\" record (the first is on line 3); the file "
         "holds each intersection once."},
        {"[Phases]\nRECORDNAME,INTID,D1\nstart,7,10\nStart,7,20\n",
         "line 4, [Phases]: INTID \"7\" has a second \"Start\" record (the first is on line 3)"},
        {"[Timeplans]\nRECORDNAME,INTID,DATA\nCycle Length,7,100\n[Phases]\nRECORDNAME,INTID,D1\nStart,007,20\n",
         "line 6, [Phases]: INTID \"007\" is written \"7\" on line 3; the file writes each intersection's number one "
         "way."},
        {"[Nodes]\nINTID,DESCRIPTION\n7,Main St\n7,Elm St\n[Phases]\n",
         "line 4, [Nodes]: INTID \"7\" has a second node (the first is on line 3)"},
        {std::string("\xFF\xFE[\0P\0", 6),
         "The UTDF file \"net.csv\" is UTF-16 text; Tavimo reads UTF-8 and Windows-1252 text: save it as one of "
         "those."},
    };
    for (const auto& c : cases) EXPECT_NE(parseError(c.text).find(c.message), std::string::npos) << parseError(c.text);
}

TEST(UtdfNetwork, NamesAreReadAsUtf8OrWindows1252) {
    const std::pair<std::string, std::string> cases[] = {
        {"Caf\xE9 Rd", "Caf\xC3\xA9 Rd"},               // Windows-1252, as exports are written
        {"Caf\xC3\xA9 Rd", "Caf\xC3\xA9 Rd"},           // saved again as UTF-8
        {"\xEF\xBB\xBF", ""},                         // a UTF-8 mark before the first section
    };
    for (const auto& [bytes, expected] : cases) {
        const std::string text = bytes == "\xEF\xBB\xBF" ? bytes + "[Phases]\nRECORDNAME,INTID,D1\nStart,7,1\n"
                                                          : "[Phases]\n[Nodes]\nINTID,DESCRIPTION\n7," + bytes + "\n";
        auto parsed = parseUtdfNetwork(text, "net.csv");
        ASSERT_TRUE(std::holds_alternative<UtdfNetwork>(parsed)) << std::get<UtdfError>(parsed).message;
        ASSERT_EQ(std::get<UtdfNetwork>(parsed).intersections.size(), 1u);
        EXPECT_EQ(std::get<UtdfNetwork>(parsed).intersections[0].nodeDescription, expected);
    }
}

TEST(UtdfNetwork, FilesThatCannotBeReadAreNamed) {
    const std::string huge = ::testing::TempDir() + "tavimo_huge_network_" + std::to_string(::getpid()) + ".csv";
    std::ofstream(huge).put('[');
    std::filesystem::resize_file(huge, std::uintmax_t{65} << 20);  // sparse: nothing is written
    // A FIFO would hang a reader that opened it blocking.
    const std::string fifo = ::testing::TempDir() + "tavimo_network_fifo_" + std::to_string(::getpid()) + ".csv";
    std::filesystem::remove(fifo);
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string path, message;
    } cases[] = {
        {huge, "cannot be opened: it is larger than 64 MiB."},
        {::testing::TempDir(), "cannot be opened: it is a folder, not a file."},
        {networkData("no-such-file.csv"), "cannot be opened: No such file or directory."},
        {fifo, "cannot be opened: it is a FIFO, not a regular file."},
    };
    for (const auto& c : cases) {
        auto read = readUtdfNetwork(c.path);
        ASSERT_TRUE(std::holds_alternative<UtdfError>(read)) << c.path;
        EXPECT_NE(std::get<UtdfError>(read).message.find(c.path + "\" " + c.message), std::string::npos)
            << std::get<UtdfError>(read).message;
    }
    std::filesystem::remove(huge);
    std::filesystem::remove(fifo);
}

// Every rule of the placement on a real intersection.
TEST(UtdfNetwork, RealIntersectionsOnTheGrid) {
    const struct {
        const char* file;
        const char* id;
        const char* grid;         // or the reason it cannot be held
        const char* arrangement = "";
    } cases[] = {
        {"chattanooga.csv", "2", "12345678", "Lead"},      // eight phases, leading lefts
        {"union-hills-6.csv", "6", "12.46.78", "Lag"},     // lagging lefts: 2 before 1, 6 before 5
        {"peoria-3-7.csv", "7", ".4.2.8.6", "Lead"},       // coordinated on 4 and 8
        {"glendale.csv", "3000", "3.42867.", "Lag"},       // phase 8 alone coordinated, running first
        {"peoria-3-7.csv", "3", ".2...68.", "Lead"},       // T-intersection: no left turn beside 2
        {"us60-10.csv", "10", ".24.....", "Lead"},         // one-way street timed in ring 1 alone
        {"glendale.csv", "102", "one ring leads and the other lags: the eight-phase grid holds one left-turn arrangement"},
        {"chattanooga.csv", "33", "phase 9 is in use"},
        {"glendale.csv", "1", "ring 1 has three phases before the barrier"},
        {"glendale.csv", "5120", "phase 3 runs in barrier 3"},
        {"glendale.csv", "2137", "no coordinated phase is in use"},
        {"glendale.csv", "344", "ring 2 has no phase beside the coordinated phase"},
        // Coordinated on 6 alone, whose partner 2 turns yellow first: the grid's pair
        // would count a Type 170's zero from 2. Coordinated on 6 alone with 2 beside it
        // turning green and yellow with it (US 60 #1) stays on the grid.
        {"us60.csv", "5", "coordinated on phase 6 alone, and phase 2, which the timing window would coordinate with "
                          "it, turns yellow first"},
        {"us60.csv", "1", "12345678", "Lead"},
    };
    for (const auto& c : cases) {
        const UtdfNetwork network = readNetwork(c.file);
        const NetworkIntersection* x = network.find(c.id);
        ASSERT_NE(x, nullptr) << c.id;
        const auto placed = placeIntersection(*x);
        if (const auto* reason = std::get_if<std::string>(&placed)) {
            EXPECT_EQ(*reason, c.grid) << c.file << ' ' << c.id;
            continue;
        }
        EXPECT_EQ(gridOf(std::get<NetworkPlacement>(placed)), c.grid) << c.file << ' ' << c.id;
        EXPECT_EQ(std::get<NetworkPlacement>(placed).arrangement, c.arrangement) << c.file << ' ' << c.id;
    }
}

// Values of the plan that no controller can run are refused by name, before a
// calculation could turn them into force-offs.
TEST(UtdfNetwork, PlansWithImpossibleValuesSayWhy) {
    std::ifstream in(networkData("excerpts/chattanooga-2.csv"), std::ios::binary);
    const std::string excerpt((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto changed = [&](const std::string& from, const std::string& to) {
        std::string text = excerpt;
        const auto at = text.find(from);
        return at == std::string::npos ? std::string() : text.replace(at, from.size(), to);
    };
    const struct {
        std::string text, grid;  // or the reason
    } cases[] = {
        {excerpt, "12345678"},
        {changed("Cycle Length,2,100.0", "Cycle Length,2,3"),
         "phase 1 runs from 52 to 70, a split of 18 that does not fit the cycle of 3"},
        {changed("Cycle Length,2,100.0", "Cycle Length,2,0.0001"),
         "phase 1 runs from 52 to 70, a split of 18 that does not fit the cycle of 0.0001"},
        {changed("Reference Phase,2,206", "Reference Phase,2,666666666666"),
         "the Reference Phase \"666666666666\" is not a phase number"},
        {changed("BRP,2,111,", "BRP,2,666666666666,"), "phase 1 has no barrier, ring and position (BRP \"666666666666\")"},
        {changed("Offset,2,70.0", "Offset,2,nan"), "the Offset \"nan\" is not a number"},
        {changed("Referenced To,2,0", "Referenced To,2,abc"), "the Referenced To \"abc\" is not a number"},
    };
    for (const auto& c : cases) {
        ASSERT_FALSE(c.text.empty()) << c.grid;
        auto parsed = parseUtdfNetwork(c.text, "net.csv");
        ASSERT_TRUE(std::holds_alternative<UtdfNetwork>(parsed)) << std::get<UtdfError>(parsed).message;
        const auto placed = placeIntersection(*std::get<UtdfNetwork>(parsed).find("2"));
        if (const auto* reason = std::get_if<std::string>(&placed)) EXPECT_EQ(*reason, c.grid);
        else EXPECT_EQ(gridOf(std::get<NetworkPlacement>(placed)), c.grid);
    }
}

TEST(UtdfNetwork, ImportedSignalCarriesTheFileValuesLocked) {
    const UtdfNetwork network = readNetwork("peoria-3-7.csv");
    const NetworkIntersection& x = *network.find("3");
    EXPECT_EQ(defaultControllerOf(x), tag::kType170);  // Referenced To 1: the first coordinated yellow
    auto imported = networkSignal(standingOf(x), tag::kType170, tag::kYield);
    ASSERT_TRUE(std::holds_alternative<WindowState>(imported)) << std::get<std::string>(imported);
    const SignalPlan& plan = std::get<WindowState>(imported).plan;
    EXPECT_EQ(plan.description, "3: 71st Ave & Olive Ave");
    EXPECT_EQ(plan.cycleLength, "120");
    EXPECT_EQ(plan.cycleCopy, "120");
    EXPECT_EQ(plan.controlText, "170");
    EXPECT_EQ(plan.mode, tag::kYield);
    // Phase 8 runs from 112 to 23 on the master clock: a split across the cycle's end.
    const Position& eight = plan.at(7);
    EXPECT_EQ(eight.phase, "8");
    EXPECT_EQ(eight.split, "31");
    EXPECT_EQ(eight.movement(), "SB");
    const Position& two = plan.at(2);
    EXPECT_EQ(two.split, "89");
    EXPECT_EQ(two.amber, "5");
    EXPECT_TRUE(plan.at(1).phase.empty());
    EXPECT_FALSE(plan.at(1).timingEnabled);
    for (const Position& at : plan.positions) {
        EXPECT_TRUE(at.phaseLocked && at.movementLocked);
        EXPECT_EQ(at.timingEnabled, !at.phase.empty());
    }
}

// A phase's movement comes from the lane group it protects first, else one it also
// protects (a through movement run with its left turn's phase), else one it permits; a
// phase serving only diagonal approaches, or no lane group, has none.
TEST(UtdfNetwork, MovementsComeFromEveryPhaseServingALaneGroup) {
    struct Case {
        const char* intersection;
        int position;
        const char* movement;
        const char* note;  // the hint of a phase without a movement
    };
    const Case cases[] = {
        {"101", 5, "NB", ""},   // phase 7, first protected
        {"101", 1, "NB", ""},   // phase 4 also protects NBT (record Phase2)
        {"3000", 5, "SB", ""},  // phase 8 also protects SBT (Phase2)
        {"4417", 8, "NB", ""},  // phase 8 also protects NBL, NBT, NBR
        {"101", 2, "", "Phase 2 serves no lane group of the file (a pedestrian phase, or a phase kept free)"},
        {"254", 2, "", "Phase 2 serves NWT, SET, SEL only, which the list of movements (NB, SB, EB, WB) does not hold"},
    };
    const UtdfNetwork network = readNetwork("glendale.csv");
    for (const Case& c : cases) {
        auto imported = networkSignal(standingOf(*network.find(c.intersection)), tag::kNema, tag::kPermissive);
        ASSERT_TRUE(std::holds_alternative<WindowState>(imported)) << c.intersection;
        const Position& at = std::get<WindowState>(imported).plan.at(c.position);
        EXPECT_EQ(at.movement(), c.movement) << c.intersection << " position " << c.position;
        EXPECT_EQ(at.movementNote, c.note) << c.intersection << " position " << c.position;
    }
}

TEST(UtdfNetwork, DifferencesNameThePhaseAndBothForceOffs) {
    const UtdfNetwork network = readNetwork("chattanooga.csv");
    const NetworkIntersection& x = *network.find("2");
    const NetworkVerdict verdict = calculated(x, tag::kNema);
    ASSERT_TRUE(verdict.calculated);
    EXPECT_EQ(verdict.note, "Force-offs agree with the UTDF file");
    EXPECT_EQ(verdict.agreement.fileForceOff[3], "76.1");
    const NetworkPlacement placed = *standingOf(x).placement;
    std::array<std::optional<float>, 8> forceOff;
    for (int k = 0; k < 8; ++k) forceOff[k] = parseNumber(verdict.agreement.fileForceOff[k]);
    forceOff[3] = 75.f;
    forceOff[7].reset();
    const NetworkAgreement differs = agreementWith(x, placed, forceOff, false);
    EXPECT_FALSE(differs.agrees);
    EXPECT_EQ(differs.line, "\xCE\xA6" "4: 75 here, 76.1 in the file; \xCE\xA6" "8: none here, 76.1 in the file");
}

// Every actuated-coordinated plan of two whole real networks that the grid can hold is
// timed exactly as the exporting program timed it, under both controllers.
TEST(UtdfNetwork, ForceOffsAgreeOnEveryPlanOfTwoRealNetworks) {
    for (const char* file : {"chattanooga.csv", "glendale.csv"}) {
        const UtdfNetwork network = readNetwork(file);
        int agreed = 0;
        for (const NetworkIntersection& x : network.intersections) {
            if (!x.hasTimeplan || !standingOf(x).importable()) continue;
            for (const char* controller : {tag::kNema, tag::kType170}) {
                const NetworkAgreement agreement = calculated(x, controller).agreement;
                EXPECT_TRUE(agreement.agrees) << file << " intersection " << x.id << " (" << controller
                                              << "): " << agreement.line;
                agreed += agreement.agrees;
            }
        }
        EXPECT_GT(agreed, 0) << file;
    }
}

}  // namespace
}  // namespace tavimo
