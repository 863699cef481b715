// SPDX-License-Identifier: MIT
#include "io/project_file.h"

#include "calc/window_calculation.h"
#include "io/signal_arrival.h"
#include "io/utdf_import.h"
#include "io/windows1252.h"
#include "support/file_text.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace tavimo {
namespace {

using Eight = std::array<std::string, 8>;

const std::string kMainAnd1st =
    "movements,SB,NB,WB,EB,NB,SB,EB,WB,\r\n"
    "splits,15,45,12,28,15,45,12,28,\r\n"
    "minGreen,5,20,5,10,5,20,5,10,\r\n"
    "amber,3.5,4,3.5,4,3.5,4,3.5,4,\r\n"
    "red,1,1.5,1,1.5,1,1.5,1,1.5,\r\n"
    "order,1,2,3,4,5,6,7,8,\r\n"
    "misc,100,Lead,Nema,Permissive,Main and 1st,\r\n";

using test::fileText;

TEST(ProjectFile, ExampleFileReadsAndWritesBackByteForByte) {
    EXPECT_EQ(fileText(TAVIMO_TEST_DATA "/main-and-1st.tvm"), kMainAnd1st);
    const ProjectValues v = parseProject(kMainAnd1st);
    EXPECT_EQ(v.movements, (Eight{"SB", "NB", "WB", "EB", "NB", "SB", "EB", "WB"}));
    EXPECT_EQ(v.ambers, (Eight{"3.5", "4", "3.5", "4", "3.5", "4", "3.5", "4"}));
    EXPECT_EQ(v.cycleLength + v.arrangement + v.controller + v.mode + v.description,
              "100LeadNemaPermissiveMain and 1st");
    EXPECT_EQ(formatProject(v), kMainAnd1st);
    EXPECT_EQ(formatProject(ProjectValues{}).substr(0, 21), "movements,,,,,,,,,\r\ns");
}

std::string joined(const Eight& values) {
    std::string out;
    for (const auto& v : values) out += v + "|";
    return out;
}

// How a hand-edited or damaged file is cut into values: splits and description.
TEST(ProjectFile, ReadsLinesByPlaceAndValuesByComma) {
    const std::string misc = "\n\n\n\n\n\nmisc,100,Lead,Nema,Permissive,";
    const std::tuple<const char*, std::string, const char*, const char*> cases[] = {
        {"comma in a split shifts the rest", "m,\nsplits,30,2,0,25,25,20,30,25,25,\n", "30|2|0|25|25|20|30|25|", ""},
        {"lines count by place, not keyword", "order,1,2,\r\norder,7,8,\r\n", "7|8|||||||", ""},
        {"an empty line counts as a line", "m,\n\nsplits,1,2,\n", "||||||||", ""},
        {"short file", "movements,NB,", "||||||||", ""},
        {"one empty line", "\r\n", "||||||||", ""},
        {"no trailing comma", "m,\nsplits,30,20", "30|20|||||||", ""},
        {"line without a comma", "m,\nsplits 30 20\n", "||||||||", ""},
        {"empty first value, untrimmed texts", "m,\r\nsplits,, 30,4.0,\r\n", "| 30|4.0||||||", ""},
        {"lines after the seventh", kMainAnd1st + "movements,NB,\r\nsplits,99,\r\n", "15|45|12|28|15|45|12|28|",
         "Main and 1st"},
        {"description with commas", misc + "Main St, 5th Ave,\r\n", "||||||||", "Main St, 5th Ave"},
        {"description without trailing comma", misc + "Main and 1st", "||||||||", "Main and 1st"},
        {"misc line ending after the mode", "\n\n\n\n\n\nmisc,100,Lead,Nema,Permissive", "||||||||", ""},
    };
    for (const auto& [name, text, splits, description] : cases) {
        const ProjectValues v = parseProject(text);
        EXPECT_EQ(joined(v.splits), splits) << name;
        EXPECT_EQ(v.description, description) << name;
    }
    // CR LF, CR and LF end lines alike; CR LF is one line end, not two.
    for (const char* end : {"\r", "\n"}) {
        std::string text;
        for (const char c : kMainAnd1st)
            if (c != '\r') text += c == '\n' ? std::string(end) : std::string(1, c);
        EXPECT_EQ(formatProject(parseProject(text)), kMainAnd1st) << (end[0] == '\n' ? "LF" : "CR");
    }
}

TEST(ProjectFile, AnyDescriptionRoundTrips) {
    ProjectValues v = parseProject(kMainAnd1st);
    for (const char* description : {"", "Main St, 5th Ave", ",", "a,,b", "trailing,"}) {
        v.description = description;
        EXPECT_EQ(parseProject(formatProject(v)).description, description);
    }
}

TEST(ProjectFile, ValidationNamesWhatIsWrong) {
    const ProjectValues good = parseProject(kMainAnd1st);
    EXPECT_EQ(validateProject(good), std::nullopt);
    struct Case {
        void (*change)(ProjectValues&);
        const char* message;  // nullptr: valid
    };
    const Case cases[] = {
        {[](ProjectValues& v) { v.arrangement = "lead"; }, "arrangement \"lead\" is not Lead or Lag"},
        {[](ProjectValues& v) { v.controller = "NEMA"; }, "controller \"NEMA\" is not Nema or one70"},
        {[](ProjectValues& v) { v.controller = "170"; }, "controller \"170\" is not Nema or one70"},
        {[](ProjectValues& v) { v.mode = ""; }, "mode \"\" is not Permissive or Yield"},
        {[](ProjectValues& v) { v.order[2] = "9"; }, "order value \"9\" at position 3 is not a phase number 1 to 8"},
        // A cleared phase beside its split, as the window can save it, opens as it was.
        {[](ProjectValues& v) { v.order[2] = ""; }, nullptr},
        {[](ProjectValues& v) { v.order[0] = " 1"; }, "order value \" 1\" at position 1 is not a phase number 1 to 8"},
        {[](ProjectValues& v) { v.order[6] = "2"; }, "phase 2 stands at positions 2 and 7"},
        // A position without a split is not opened, whatever its order value.
        {[](ProjectValues& v) { v.splits[6] = "", v.order[6] = "2"; }, nullptr},
        {[](ProjectValues& v) { v.splits[3] = "", v.order[3] = "x"; }, nullptr},
        {[](ProjectValues& v) { v.arrangement = "Lag", v.controller = "one70", v.mode = "Yield"; }, nullptr},
        // Control bytes are shown as '?' and a long value is cut, so a message stays readable.
        {[](ProjectValues& v) { v.arrangement = std::string("L\0a\x1bg", 5); }, "arrangement \"L?a?g\" is not Lead or Lag"},
        {[](ProjectValues& v) { v.mode = std::string(10 << 20, 'Y'); },
         "mode \"YYYYYYYYYYYYYYYYYYYYYYYY...\" is not Permissive or Yield"},
        {[](ProjectValues& v) { v.order[1] = "\xC3\xA9\xC3\xA9"; }, "order value \"\xC3\xA9\xC3\xA9\" at position 2 is not a phase number 1 to 8"},
    };
    for (const auto& c : cases) {
        ProjectValues v = good;
        c.change(v);
        const auto problem = validateProject(v);
        if (c.message) {
            EXPECT_EQ(problem, std::optional<std::string>(c.message));
        } else {
            EXPECT_EQ(problem, std::nullopt) << problem.value_or("");
        }
    }
}

// A comma typed into a timing field would shift the rest of its line on reading.
TEST(ProjectFile, ValuesThatWouldNotReadBackAreNamed) {
    const ProjectValues good = parseProject(kMainAnd1st);
    EXPECT_EQ(unstorableValue(good), std::nullopt);
    const std::pair<void (*)(ProjectValues&), const char*> cases[] = {
        {[](ProjectValues& v) { v.ambers[2] = "3,5"; }, "the amber time at position 3 holds \"3,5\""},
        {[](ProjectValues& v) { v.splits[7] = "2\n8"; }, "the split at position 8 holds \"2?8\""},
        {[](ProjectValues& v) { v.cycleLength = "1,0"; }, "the cycle length holds \"1,0\""},
        {[](ProjectValues& v) { v.description = "Main\r\n1st"; }, "the intersection description holds a line break"},
        {[](ProjectValues& v) { v.description = "Main St, 5th Ave"; }, nullptr},
    };
    for (const auto& [change, message] : cases) {
        ProjectValues v = good;
        change(v);
        EXPECT_EQ(unstorableValue(v), message ? std::optional<std::string>(message) : std::nullopt);
    }
}

TEST(ProjectFile, Windows1252ToUtf8AndBack) {
    EXPECT_EQ(fromWindows1252("Caf\xE9 \x80 \x96 \x9F"), "Café € – Ÿ");
    EXPECT_EQ(toWindows1252("Café € – Ÿ"), std::optional<std::string>("Caf\xE9 \x80 \x96 \x9F"));
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(toWindows1252(fromWindows1252(all)), std::optional<std::string>(all));

    for (const char* cannot : {"Ω", "東京", "\xF0\x9F\x9A\xA6", "\xE9", "\xC3", "\xC0\xAF", "\xED\xA0\x80"})
        EXPECT_EQ(toWindows1252(cannot), std::nullopt) << cannot;
}

// A plan as the window holds it after a signal was entered and calculated.
SignalPlan enteredPlan() {
    WindowState s = std::get<WindowState>(openedSignal(parseProject(kMainAnd1st), "/tmp/x.tvm"));
    s.plan.at(8).rowVisible = false;  // a calculation hid the row of a blank phase
    s.plan.at(3).movementIndex = -1;
    s.plan.cycleCopy = "copy";
    return s.plan;
}

TEST(ProjectFile, SaveAndSaveAsTakeMovementAndCycleFromTheirFields) {
    const SignalPlan plan = enteredPlan();
    ProjectValues expected = parseProject(kMainAnd1st);
    expected.movements[2] = "";  // nothing selected
    expected.cycleLength = "copy";
    EXPECT_EQ(formatProject(projectValuesOf(plan, false)), formatProject(expected));
    expected.movements[7] = "";  // hidden pull-down
    expected.cycleLength = "100";
    EXPECT_EQ(formatProject(projectValuesOf(plan, true)), formatProject(expected));
}

TEST(ProjectFile, OpenThenSaveWritesTheFileBack) {
    WindowState s = std::get<WindowState>(openedSignal(parseProject(kMainAnd1st), "p.tvm"));
    EXPECT_EQ(formatProject(projectValuesOf(s.plan, false)), kMainAnd1st);
    EXPECT_EQ(formatProject(projectValuesOf(s.plan, true)), kMainAnd1st);
    EXPECT_EQ(s.chart.windows, ChartLayout::designed().windows);  // "Lead" keeps the layout
    EXPECT_EQ(s.plan.controlText, "Nema");
}

const std::string kLagFile =
    "movements,NB,WB,SB,EB,SB,EB,NB,XX,\r\n"
    "splits,40,15,25,,40,15,20,5,\r\n"
    "minGreen,20,5,8,9,20,5,8,4,\r\n"
    "amber,4,3,4,4,4,3,4,3,\r\n"
    "red,1,1,1,1,1,1,1,1,\r\n"
    "order,6,5,8,7,2,1,3,4,\r\n"
    "misc,80,Lag,one70,Yield,Oak,\r\n";

TEST(ProjectFile, OpenFillsTheWindowAndLocksTheMovements) {
    const WindowState s = std::get<WindowState>(openedSignal(parseProject(kLagFile), "/data/oak.tvm"));
    const SignalPlan& p = s.plan;
    EXPECT_EQ(p.arrangement + p.controller + p.controlText + p.mode + p.cycleLength + p.cycleCopy + p.description,
              "Lagone70170Yield8080Oak");
    EXPECT_EQ(p.projectFile, "/data/oak.tvm");

    const Eight phases{"6", "5", "8", "", "2", "1", "3", "4"};
    const Eight movements{"NB", "WB", "SB", "EB", "SB", "EB", "NB", ""};
    for (int k = 1; k <= 8; ++k) {
        const Position& q = p.at(k);
        SCOPED_TRACE(k);
        EXPECT_EQ(q.phaseList, Position{}.phaseList);
        EXPECT_EQ(q.phase, phases[k - 1]);
        EXPECT_EQ(q.movementList, movementListFor("Lag", k));
        EXPECT_EQ(q.movement(), movements[k - 1]);
        EXPECT_TRUE(q.movementLocked);
        EXPECT_FALSE(q.phaseLocked);
        // The times open with the movement; an unknown code selects nothing.
        EXPECT_EQ(q.timingEnabled, k != 8);
        // The phase pull-down's reaction enables the movement pull-down.
        EXPECT_EQ(q.movementEnabled, k != 4);
    }
    // Position 4 had no split: skipped whole, it opens blank.
    EXPECT_EQ(p.at(4).split + p.at(4).green + p.at(4).walk + p.at(2).force, "");
    EXPECT_EQ(p.at(7).split + p.at(7).green + p.at(7).amber + p.at(7).red, "20841");

    // Pictures of the phases that stand at positions, above their columns.
    const ChartLayout& c = s.chart;
    const int positionOfPhase[8] = {6, 5, 7, 8, 2, 1, 0, 3};  // phase 7 stands nowhere
    for (int n = 1; n <= 8; ++n) {
        const int at = positionOfPhase[n - 1];
        EXPECT_EQ(c.pictureVisible[n - 1] && c.pictureVisible[n + 7], at != 0) << n;
        if (at) {
            EXPECT_EQ(c.pictureLeft[n + 7], layout::kPictureLeft[at - 1]) << n;
        }
    }
    ChartLayout lag = ChartLayout::designed();
    applyLagWindowLayout(lag);
    EXPECT_EQ(c.windows, lag.windows);
}

// A calculation hides the rows and bars of the positions it found empty, and the
// phase pull-downs; a signal opened or imported into that window shows them again.
TEST(ProjectFile, SignalIntoACalculatedWindowShowsEveryRowAgain) {
    const ProjectValues full = parseProject(kMainAnd1st);
    for (const bool import : {false, true}) {
        SCOPED_TRACE(import ? "import" : "open");
        WindowState s = WindowState::fresh();
        ProjectValues sideStreetMissing = full;
        sideStreetMissing.splits[2] = sideStreetMissing.splits[6] = "";
        sideStreetMissing.order[2] = sideStreetMissing.order[6] = "";
        sideStreetMissing.movements[2] = sideStreetMissing.movements[6] = "";
        sideStreetMissing.cycleLength = "88";
        s = std::get<WindowState>(openedSignal(sideStreetMissing, "first.tvm"));
        ASSERT_EQ(calculate(snapshotOf(s)).stop, CalcStop::Completed);
        applyOutcome(s, calculate(snapshotOf(s)));
        ASSERT_FALSE(s.plan.at(3).rowVisible);
        ASSERT_FALSE(s.chart.green[2].visible);

        if (import) {
            UtdfImport u;
            u.split = full.splits, u.green = full.minGreens, u.amber = full.ambers, u.red = full.reds;
            u.direction = {"SB", "NB", "WB", "EB", "NB", "SB", "EB", "WB"};
            u.cycleLength = "100";
            u.leadLagMark = "1";
            s = importedSignal(u, "Nema", "Permissive");
        } else {
            s = std::get<WindowState>(openedSignal(full, "second.tvm"));
        }
        for (int k = 1; k <= 8; ++k) {
            SCOPED_TRACE(k);
            EXPECT_TRUE(s.plan.at(k).rowVisible && s.plan.at(k).phaseVisible);
            EXPECT_TRUE(s.chart.green[k - 1].visible && s.chart.yellow[k - 1].visible && s.chart.red[k - 1].visible);
            EXPECT_EQ(s.chart.columnLeft[k - 1], layout::kColumnLeft[k - 1]);
        }
        applyOutcome(s, calculate(snapshotOf(s)));
        EXPECT_TRUE(s.plan.at(3).rowVisible);
        EXPECT_EQ(s.plan.at(3).force + " " + s.plan.at(7).force, "52.5 52.5");
    }
}

}  // namespace
}  // namespace tavimo
