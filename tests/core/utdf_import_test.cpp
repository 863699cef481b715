// SPDX-License-Identifier: MIT
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "io/signal_arrival.h"
#include "io/utdf_import.h"
#include "io/utdf_readers.h"
#include "model/number_text.h"

namespace tavimo {
namespace {

using Texts = std::array<std::string, 8>;

std::string utdfData(const std::string& name) { return std::string(TAVIMO_TEST_DATA) + "/utdf/" + name; }

UtdfImport readSet(const std::string& folder, const std::string& timing, const std::string& phasing,
                   const std::string& lanes) {
    auto read = readUtdfFiles(utdfData(folder + "/" + timing), utdfData(folder + "/" + phasing),
                              utdfData(folder + "/" + lanes));
    if (auto* error = std::get_if<UtdfError>(&read)) ADD_FAILURE() << error->message;
    return std::get_if<UtdfImport>(&read) ? std::get<UtdfImport>(read) : UtdfImport{};
}

Texts phasesAt(const SignalPlan& plan) {
    Texts t;
    for (int k = 1; k <= 8; ++k) t[k - 1] = plan.at(k).phase;
    return t;
}

Texts movementsAt(const SignalPlan& plan) {
    Texts t;
    for (int k = 1; k <= 8; ++k) t[k - 1] = plan.at(k).movement();
    return t;
}

TEST(UtdfImport, DualLeadIntersectionFromThreeCsvFiles) {
    WindowState state = importedSignal(readSet("chattanooga", "TIMING.csv", "PHASING.csv", "LANES.csv"), "Nema", "Permissive");
    const SignalPlan& plan = state.plan;

    EXPECT_EQ(phasesAt(plan), (Texts{"1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(movementsAt(plan), (Texts{"WB", "EB", "NB", "SB", "EB", "WB", "SB", "NB"}));
    EXPECT_EQ(plan.at(2).split, "27");
    EXPECT_EQ(plan.at(4).green, "12");
    EXPECT_EQ(plan.at(8).amber, "4.3");
    EXPECT_EQ(plan.at(3).red, "3.1");
    EXPECT_EQ(plan.cycleLength, "100");
    EXPECT_EQ(plan.cycleCopy, "100");
    EXPECT_EQ(plan.arrangement, "Lead");
    EXPECT_EQ(plan.controller, "Nema");
    EXPECT_EQ(plan.controlText, "Nema");
    EXPECT_EQ(plan.mode, "Permissive");
    for (int k = 1; k <= 8; ++k) {
        const Position& at = plan.at(k);
        EXPECT_TRUE(at.phaseLocked && at.movementLocked && at.timingEnabled) << k;
        // The import leaves the pull-downs' enabled state as the window had it.
        EXPECT_EQ(at.phaseEnabled, WindowState::fresh().plan.at(k).phaseEnabled) << k;
        EXPECT_EQ(at.phaseList, WindowState::fresh().plan.at(k).phaseList) << k;
        EXPECT_EQ(at.movementList, movementListFor("Lead", k)) << k;
        // Phase k's two pictures stand above column k.
        EXPECT_TRUE(state.chart.pictureVisible[k - 1] && state.chart.pictureVisible[k + 7]) << k;
        EXPECT_EQ(state.chart.pictureLeft[k - 1], layout::kPictureLeft[k - 1]) << k;
    }
    EXPECT_EQ(plan.at(1).movementList[plan.at(1).movementIndex].picture, 3);  // westbound left
    EXPECT_TRUE(state.chart.windows[PPend1].visible && state.chart.windows[PPend2].visible);
    EXPECT_EQ(state.chart.windows[PP1].left, WindowState::fresh().chart.windows[PP1].left);
}

// Under "Lag" the through phase of each pair runs first: phase 2 must stand at the
// through position 1 and phase 1 at the left-turn position 2, with their times and
// movements, or the chart would run the left turns first under through arrows.
TEST(UtdfImport, DualLagPhasesTakeThePositionsOfTheirKind) {
    for (const char* ext : {"DAT", "csv"}) {
        const std::string e = ext;
        WindowState state = importedSignal(readSet("lagging", "TIMING." + e, "PHASING." + e, "LANES." + e), "one70", "Yield");
        const SignalPlan& plan = state.plan;
        SCOPED_TRACE(ext);

        EXPECT_EQ(plan.arrangement, "Lag");
        EXPECT_EQ(phasesAt(plan), (Texts{"2", "1", "4", "", "6", "5", "8", ""}));
        EXPECT_EQ(movementsAt(plan), (Texts{"NB", "SB", "WB", "", "SB", "NB", "EB", ""}));
        EXPECT_EQ(parseNumber(plan.at(1).split), 36.f);  // phase 2
        EXPECT_EQ(parseNumber(plan.at(2).split), 14.f);  // phase 1
        EXPECT_EQ(parseNumber(plan.at(2).green), 5.f);
        EXPECT_EQ(parseNumber(plan.at(5).amber), 4.5f);  // phase 6
        EXPECT_EQ(parseNumber(plan.at(7).red), 2.f);     // phase 8
        EXPECT_EQ(plan.at(1).movementList[plan.at(1).movementIndex].picture, 2);  // NB through
        EXPECT_EQ(plan.at(2).movementList[plan.at(2).movementIndex].picture, 5);  // SB left
        for (int k = 1; k <= 8; ++k) {
            EXPECT_EQ(plan.at(k).movementList, movementListFor("Lag", k)) << k;
            EXPECT_EQ(plan.at(k).timingEnabled, k != 4 && k != 8) << k;
        }
        // Pictures of phase 2 above column 1 and of phase 1 above column 2; none for 3, 7.
        EXPECT_EQ(state.chart.pictureLeft[1], layout::kPictureLeft[0]);
        EXPECT_EQ(state.chart.pictureLeft[0], layout::kPictureLeft[1]);
        EXPECT_FALSE(state.chart.pictureVisible[2] || state.chart.pictureVisible[10]);
        EXPECT_FALSE(state.chart.pictureVisible[6] || state.chart.pictureVisible[14]);
        EXPECT_FALSE(state.chart.windows[PPend1].visible || state.chart.windows[PPend2].visible);
        EXPECT_EQ(state.chart.windows[PP1].left, layout::kLagWindowLeft);
        EXPECT_EQ(state.chart.windows[PP4].left, layout::kLagWindowLeft);
        EXPECT_EQ(plan.controller, "one70");
        EXPECT_EQ(plan.controlText, "170");
        EXPECT_EQ(plan.mode, "Yield");
        EXPECT_EQ(plan.cycleCopy, "90");
    }
}

// Files with blank splits and movements the lists do not hold: every phase stands at
// its position, only what the files give is filled in.
TEST(UtdfImport, BlankSplitsAndUnknownMovements) {
    UtdfImport values;
    values.split = {"15", "45", "   ", "28", "15", "45", " ", "28"};
    values.green = {"5", "20", "9", "10", "5", "20", "", "10"};
    values.direction = {"SB", "NB", "EB", "WB", "NB", "", "WB", "nb"};
    values.cycleLength = "100";
    values.leadLagMark = " ";
    const WindowState state = importedSignal(values, "Nema", "Permissive");
    const SignalPlan& plan = state.plan;

    // Phases 3 and 7 have no split: their positions stay blank, but their movements
    // are selected; 6 ("") and 8 ("nb") get none.
    EXPECT_EQ(phasesAt(plan), (Texts{"1", "2", "", "4", "5", "6", "", "8"}));
    EXPECT_EQ(plan.at(3).split + plan.at(3).green, "");
    EXPECT_EQ(movementsAt(plan), (Texts{"SB", "NB", "EB", "WB", "NB", "", "WB", ""}));
    EXPECT_EQ(plan.at(5).movementList, movementListFor("Lead", 5));
    EXPECT_TRUE(plan.at(3).timingEnabled);
    EXPECT_FALSE(plan.at(6).timingEnabled);
    EXPECT_FALSE(plan.at(8).timingEnabled);
    EXPECT_EQ(plan.at(8).split, "28");  // a phase without a movement still gets its times
}

TEST(UtdfImport, ControllerAndModeFromTheDialog) {
    const struct {
        const char *controller, *mode, *tag, *shown, *modeTag;
    } cases[] = {
        {"Nema", "Permissive", "Nema", "Nema", "Permissive"},
        {"Nema", "Yield", "Nema", "Nema", "Yield"},
        {"one70", "Permissive", "one70", "170", "Permissive"},
        {"one70", "Yield", "one70", "170", "Yield"},
    };
    for (const auto& c : cases) {
        WindowState state = importedSignal(UtdfImport{}, c.controller, c.mode);
        EXPECT_EQ(state.plan.controller, c.tag);
        EXPECT_EQ(state.plan.controlText, c.shown);
        EXPECT_EQ(state.plan.mode, c.modeTag);
        EXPECT_EQ(state.plan.arrangement, "Lag");  // no mark at all
    }
}

TEST(UtdfImport, FailuresNameTheFileAndTheProblem) {
    namespace fs = std::filesystem;
    const std::string good = utdfData("chattanooga/");
    const fs::path folder = fs::path(::testing::TempDir()) / "utdf folder.csv";
    fs::create_directories(folder);
    // A FIFO without a writer would block the import for ever.
    const std::string fifo = ::testing::TempDir() + "utdf_fifo_" + std::to_string(::getpid()) + ".csv";
    ::unlink(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string timing, phasing, lanes, message;
    } cases[] = {
        {"", good + "PHASING.csv", good + "LANES.csv", "No TIMING file was chosen."},
        {good + "TIMING.csv", good + "PHASING.csv", "", "No LANES file was chosen."},
        {"", "/nowhere/PHASING.csv", "", "The PHASING file \"/nowhere/PHASING.csv\" cannot be opened: No such file or directory."},
        {good + "TIMING.csv", good + "PHASING.csv", "/tmp/LANES", "The LANES file \"/tmp/LANES\" has no extension; choose the .dat or .csv file."},
        {folder.string(), good + "PHASING.csv", good + "LANES.csv", "The TIMING file \"" + folder.string() + "\" cannot be opened: it is a folder, not a file."},
        {good + "TIMING.csv", good + "PHASING.csv", fifo,
         "The LANES file \"" + fifo + "\" cannot be opened: it is a FIFO, not a regular file."},
        {utdfData("malformed/TIMING.csv"), good + "PHASING.csv", good + "LANES.csv",
         "The TIMING file \"" + utdfData("malformed/TIMING.csv") + "\" has no cycle length in line 3."},
    };
    for (const auto& c : cases) {
        auto read = readUtdfFiles(c.timing, c.phasing, c.lanes);
        ASSERT_TRUE(std::holds_alternative<UtdfError>(read)) << c.message;
        EXPECT_EQ(std::get<UtdfError>(read).message, c.message);
    }
    ::unlink(fifo.c_str());
}

}  // namespace
}  // namespace tavimo

namespace tavimo {
namespace {

// What the readers let through but the calculation would refuse or get wrong is
// refused at import, naming the file and its line.
TEST(UtdfImport, ChecksNameTheFileAndLine) {
    namespace fs = std::filesystem;
    const std::string good = utdfData("chattanooga/");
    const auto text = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    };
    const auto replaced = [](std::string s, const std::string& from, const std::string& to) {
        return s.replace(s.find(from), from.size(), to);
    };
    const auto firstLines = [](const std::string& s, int n) {
        std::size_t end = 0;
        for (int i = 0; i < n; ++i) end = s.find('\n', end) + 1;
        return s.substr(0, end);
    };
    const std::string timing = text(good + "TIMING.csv"), timingDat = text(good + "TIMING.dat");
    const std::string phasing = text(good + "PHASING.csv"), lanes = text(good + "LANES.csv");
    const fs::path folder = fs::path(::testing::TempDir()) / ("utdf_checks_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    int written = 0;
    const auto file = [&](const std::string& name, const std::string& bytes) {
        const std::string path = (folder / (std::to_string(++written) + name)).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    };

    const struct {
        const char* what;
        std::string timing, phasing, lanes;
        std::string message;  // "%" stands for the path of the file it names
    } cases[] = {
        {"PHASING cut short", "TIMING.csv", firstLines(phasing, 3), "LANES.csv",
         "% has 3 lines; the minimum greens are in line 4"},
        {"PHASING without all-reds", "TIMING.csv", firstLines(phasing, 10), "LANES.csv",
         "% has 10 lines; the all-red times are in line 11"},
        {"LANES cut short", "TIMING.csv", "PHASING.csv", firstLines(lanes, 5),
         "% has 5 lines; the phases of the lane groups are in line 12"},
        {"LANES of phases 9 only", "TIMING.csv", "PHASING.csv",
         replaced(lanes, "Phase1,2,3,8,,7,4,,5,2,,1,6,", "Phase1,2,9,9,,9,9,,9,9,,9,9,"),
         "%: line 12 holds no phase number 1\u20138"},
        {"LANES with phase 12", "TIMING.csv", "PHASING.csv", replaced(lanes, "Phase1,2,3,8,", "Phase1,2,12,8,"),
         "%: line 12 holds phase 12; only phases 1 to 8 can be imported"},
        {"absurd split", replaced(timing, "18.0,27.0,20.0", "18.0,27.0,99999999999"), "PHASING.csv", "LANES.csv",
         "The TIMING file \"%\" holds \"1E+11\" as the split of phase 3 in line 3, which is out of range."},
        {"letters in a .dat split", replaced(timingDat, "   18   27", "   1x   27"), "PHASING.csv", "LANES.csv",
         "The TIMING file \"%\" holds \" 1x\" as the split of phase 1 in line 3, which is not a number."},
        {"leading zeros", replaced(timing, "18.0,27.0", "18.0,0000000000000000000027"), "PHASING.csv", "LANES.csv", ""},
    };
    for (const auto& c : cases) {
        const bool dat = c.timing == timingDat || std::string(c.what).find(".dat") != std::string::npos;
        const auto pathOf = [&](const std::string& given, const char* name) {
            return given.find('\n') == std::string::npos ? good + given : file(name, given);
        };
        const std::string t = pathOf(c.timing, dat ? "TIMING.dat" : "TIMING.csv");
        const std::string p = pathOf(c.phasing, "PHASING.csv"), l = pathOf(c.lanes, "LANES.csv");
        auto read = readUtdfFiles(t, p, l);
        if (c.message.empty()) {
            ASSERT_TRUE(std::holds_alternative<UtdfImport>(read)) << c.what << ": " << std::get<UtdfError>(read).message;
            EXPECT_EQ(std::get<UtdfImport>(read).split[1], "27") << c.what;
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<UtdfError>(read)) << c.what;
        const std::string named = c.timing.find('\n') != std::string::npos ? t : c.phasing.find('\n') != std::string::npos ? p : l;
        std::string expected = c.message;
        expected.replace(expected.find('%'), 1, named);
        EXPECT_EQ(std::get<UtdfError>(read).message, expected) << c.what;
    }
    fs::remove_all(folder);
}

}  // namespace
}  // namespace tavimo
