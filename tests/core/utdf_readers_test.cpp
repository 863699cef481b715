// SPDX-License-Identifier: MIT
#include <fstream>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "io/utdf_import.h"
#include "io/utdf_readers.h"
#include "support/file_text.h"

namespace tavimo {
namespace {

using Texts = std::array<std::string, 8>;

std::string utdfData(const std::string& name) { return std::string(TAVIMO_TEST_DATA) + "/utdf/" + name; }

using test::fileText;

// Reads a test file with the reader its name calls for, in the form its extension gives.
std::optional<UtdfError> readOne(const std::string& name, UtdfImport& into) {
    const std::string path = utdfData(name);
    const std::string text = fileText(path);
    EXPECT_FALSE(text.empty()) << path;
    const std::string file = path.substr(path.rfind('/') + 1);
    if (file.rfind("TIMING", 0) == 0) return parseTiming(text, timingFormOf(path), path, into);
    if (file.rfind("PHASING", 0) == 0) return parsePhasing(text, phasingFormOf(path), path, into);
    parseLanes(text, lanesFormOf(path), into);
    return std::nullopt;
}

UtdfImport readOk(const std::string& name) {
    UtdfImport values;
    const auto error = readOne(name, values);
    EXPECT_FALSE(error) << name << ": " << (error ? error->message : "");
    return values;
}

std::string nthLine(int n, const std::string& line, const char* eol = "\r\n") {
    std::string text;
    for (int i = 1; i < n; ++i) text += std::string("filler") + eol;
    return text + line + eol;
}

// --- The form of a file ---------------------------------------------------------

TEST(UtdfForm, ExtensionIsTheFourCharactersFromTheLastDot) {
    using F = UtdfForm;
    const struct {
        const char* path;
        F timing, lanes;
    } cases[] = {
        {R"(C:\signal.data\TIMING.csv)", F::CommaSeparated, F::CommaSeparated},
        {"TIMING.CSV", F::CommaSeparated, F::CommaSeparated},
        {"TIMING.Csv", F::FixedColumns, F::CommaSeparated},
        {"TIMING.dat", F::FixedColumns, F::FixedColumns},
        {"LANES.DAT", F::FixedColumns, F::FixedColumns},
        {"LANES.Dat", F::FixedColumns, F::CommaSeparated},
        {"LANES.txt", F::FixedColumns, F::CommaSeparated},
        {"LANES.datx", F::FixedColumns, F::FixedColumns},   // ".dat" are the four characters
        {"TIMING.csv.bak", F::FixedColumns, F::CommaSeparated},
        {"/home/a.b/TIMING", F::FixedColumns, F::CommaSeparated},  // ".b/T"
    };
    for (const auto& c : cases) {
        EXPECT_EQ(timingFormOf(c.path), c.timing) << c.path;
        EXPECT_EQ(phasingFormOf(c.path), c.timing) << c.path;
        EXPECT_EQ(lanesFormOf(c.path), c.lanes) << c.path;
    }
    EXPECT_EQ(utdfExtension(R"(C:\signal.data\TIMING.csv)"), ".csv");
    EXPECT_EQ(utdfExtension("TIMING."), ".");
    EXPECT_EQ(utdfExtension("TIMING"), std::nullopt);
}

TEST(UtdfForm, ArrangementFollowsTheLeadLagMark) {
    for (const char* mark : {"1", "3", "5", "7", " "}) EXPECT_EQ(arrangementOf(mark), "Lead") << '"' << mark << '"';
    for (const char* mark : {"2", "4", "6", "8", "0", "9", "", "-", "L"}) EXPECT_EQ(arrangementOf(mark), "Lag") << '"' << mark << '"';
}

// --- Real intersections in both forms --------------------------------------------

TEST(UtdfReaders, ChattanoogaInBothForms) {
    const UtdfImport csv = [] {
        UtdfImport v = readOk("chattanooga/TIMING.csv");
        EXPECT_FALSE(readOne("chattanooga/PHASING.csv", v));
        EXPECT_FALSE(readOne("chattanooga/LANES.csv", v));
        return v;
    }();
    EXPECT_EQ(csv.split, (Texts{"18", "27", "20", "35", "18", "27", "15", "40"}));
    EXPECT_EQ(csv.cycleLength, "100");
    EXPECT_EQ(csv.leadLagMark, "1");
    EXPECT_EQ(csv.green, (Texts{"4", "15", "4", "12", "4", "15", "4", "12"}));
    EXPECT_EQ(csv.amber, (Texts{"3", "3.6", "3", "4.3", "3", "3.6", "3", "4.3"}));
    EXPECT_EQ(csv.red, (Texts{"2.2", "1.6", "3.1", "1.6", "2.2", "1.6", "3.1", "1.6"}));
    EXPECT_EQ(csv.direction, (Texts{"WB", "EB", "NB", "SB", "EB", "WB", "SB", "NB"}));

    // Fixed columns deliver the slices with their blanks; only the cycle is converted.
    UtdfImport dat = readOk("chattanooga/TIMING.dat");
    EXPECT_FALSE(readOne("chattanooga/PHASING.dat", dat));
    EXPECT_FALSE(readOne("chattanooga/LANES.dat", dat));
    EXPECT_EQ(dat.split, (Texts{" 18", " 27", " 20", " 35", " 18", " 27", " 15", " 40"}));
    EXPECT_EQ(dat.cycleLength, "100");
    EXPECT_EQ(dat.leadLagMark, "1");
    EXPECT_EQ(dat.green, (Texts{"  4", " 15", "  4", " 12", "  4", " 15", "  4", " 12"}));
    EXPECT_EQ(dat.amber, (Texts{"  3", "3.6", "  3", "4.3", "  3", "3.6", "  3", "4.3"}));
    EXPECT_EQ(dat.red, csv.red);
    EXPECT_EQ(dat.direction, csv.direction);
}

TEST(UtdfReaders, LaggingArterialWithoutSideStreetLefts) {
    UtdfImport csv = readOk("lagging/TIMING.csv");
    EXPECT_FALSE(readOne("lagging/PHASING.csv", csv));
    EXPECT_FALSE(readOne("lagging/LANES.csv", csv));
    EXPECT_EQ(csv.split, (Texts{"14", "36", "   ", "40", "14", "36", "   ", "40"}));
    EXPECT_EQ(csv.cycleLength, "90");
    EXPECT_EQ(arrangementOf(csv.leadLagMark), "Lag");
    EXPECT_EQ(csv.green, (Texts{"5", "20", "", "8", "5", "20", "", "8"}));
    EXPECT_EQ(csv.amber, (Texts{"3.5", "4.5", "", "4", "3.5", "4.5", "", "4"}));
    EXPECT_EQ(csv.red, (Texts{"1", "1.5", "", "2", "1", "1.5", "", "2"}));
    // The intersection number 17 in field 2 counts for phases 1 and 7; phase 1 is
    // overridden by its lane group, phase 7 keeps "IN" of "INTID" (no usable code).
    // Phase 2 serves NBT and NBR: the rightmost wins, the approach is the same.
    EXPECT_EQ(csv.direction, (Texts{"SB", "NB", "", "WB", "NB", "SB", "IN", "EB"}));

    UtdfImport dat = readOk("lagging/TIMING.DAT");
    EXPECT_FALSE(readOne("lagging/PHASING.DAT", dat));
    EXPECT_FALSE(readOne("lagging/LANES.DAT", dat));
    EXPECT_EQ(dat.split, (Texts{" 14", " 36", "   ", " 40", " 14", " 36", "   ", " 40"}));
    EXPECT_EQ(dat.cycleLength, "90");
    EXPECT_EQ(dat.leadLagMark, "2");
    EXPECT_EQ(dat.green, (Texts{"  5", " 20", "   ", "  8", "  5", " 20", "   ", "  8"}));
    EXPECT_EQ(dat.direction, (Texts{"SB", "NB", "", "WB", "NB", "SB", "", "EB"}));
}

// --- The worked examples ----------------------------------------------------------

TEST(UtdfReaders, WorkedExamples) {
    const UtdfImport phasing = readOk("examples/PHASING.csv");
    EXPECT_EQ(phasing.green, (Texts{"4", "4", "4", "4", "4", "4", "4", "4"}));
    EXPECT_EQ(phasing.amber, (Texts{"3.5", "4", "3.5", "4", "3.5", "4", "3.5", "4"}));
    // All-reds of phases 1..7 stand as written; phase 8's is converted.
    EXPECT_EQ(phasing.red, (Texts{" 1.0", "1.5", "1", "1.5", "1", "1.5", "1", "1.5"}));

    const UtdfImport timingCsv = readOk("examples/TIMING.csv");
    EXPECT_EQ(timingCsv.split, (Texts{"20", "   ", "25", "30", "20", "45", "25", "30"}));
    EXPECT_EQ(timingCsv.cycleLength, "120");
    EXPECT_EQ(timingCsv.leadLagMark, " ");  // empty field 13: leading lefts

    const UtdfImport timingDat = readOk("examples/TIMING.dat");
    EXPECT_EQ(timingDat.split, (Texts{" 20", "   ", " 25", " 30", " 20", " 45", " 25", " 30"}));
    EXPECT_EQ(timingDat.cycleLength, "120");
    EXPECT_EQ(timingDat.leadLagMark, "7");

    // Leftmost lane group in fixed columns (the 2 of "26" is not the first 2).
    EXPECT_EQ(readOk("examples/LANES.DAT").direction, (Texts{"SB", "NB", "", "", "NB", "SB", "", ""}));
    // Rightmost in comma-separated form: phase 1 leaves field 2 for field 6.
    EXPECT_EQ(readOk("examples/LANES.csv").direction, (Texts{"SB", "NB", "", "", "NB", "SB", "", ""}));

    // TIMING.Csv holds fixed columns; LANES.txt is comma-separated.
    const UtdfImport odd = readOk("extension/TIMING.Csv");
    EXPECT_EQ(odd.split[1], " 45");
    EXPECT_EQ(odd.cycleLength, "100");
    EXPECT_EQ(readOk("extension/LANES.txt").direction, (Texts{"SB", "NB", "EB", "WB", "NB", "SB", "WB", "EB"}));
}

TEST(UtdfReaders, LeadLagMarkOfCommaSeparatedTiming) {
    const struct {
        const char* tail;  // fields 11.. of line 3
        const char* mark;
    } cases[] = {
        {"100,0,1", "1"}, {"100,0,2", "2"}, {"100,0,", " "}, {"100,0", ""}, {"100", ""},
        {"100,0, 3", "3"}, {"100,0,7.0", "7"}, {"100,0,12,0", "1"}, {"100,0,  ", " "}, {"100,0,-1", "-"},
    };
    for (const auto& c : cases) {
        UtdfImport v;
        const auto error = parseTiming(nthLine(3, std::string("T,1,10,20,10,20,10,20,10,20,") + c.tail),
                                       UtdfForm::CommaSeparated, "TIMING.csv", v);
        ASSERT_FALSE(error) << c.tail;
        EXPECT_EQ(v.leadLagMark, c.mark) << c.tail;
    }
}

// --- Short, broken and hostile files --------------------------------------------

TEST(UtdfReaders, ShortFilesGiveEmptyValues) {
    // Stops after line 4 with CR line ends: phases 5..7 are missing, and phase 8 is
    // what follows the last comma (the 10 of phase 4).
    const UtdfImport phasing = readOk("malformed/PHASING.csv");
    EXPECT_EQ(phasing.green, (Texts{"5", "20", "5", "10", "", "", "", "10"}));
    EXPECT_EQ(phasing.amber, Texts{});
    EXPECT_EQ(phasing.red, Texts{});

    const UtdfImport phasingDat = readOk("malformed/PHASING.dat");
    EXPECT_EQ(phasingDat.green, (Texts{"  5", " 20", "", "", "", "", "", ""}));
    EXPECT_EQ(phasingDat.amber, (Texts{"3.", "", "", "", "", "", "", ""}));
    EXPECT_EQ(phasingDat.red, Texts{});

    EXPECT_EQ(readOk("malformed/LANES.csv").direction, Texts{});  // no commas at all
    // Lines ended by CR alone; what stands two columns left of the 5 is taken.
    EXPECT_EQ(readOk("malformed/LANES.dat").direction, (Texts{"", "", "", "", " N", "", "", ""}));

    for (UtdfForm form : {UtdfForm::CommaSeparated, UtdfForm::FixedColumns}) {
        UtdfImport v;
        EXPECT_FALSE(parsePhasing("", form, "PHASING", v));
        parseLanes("", form, v);
        EXPECT_EQ(v.green, Texts{});
        EXPECT_EQ(v.direction, Texts{});
    }
}

TEST(UtdfReaders, LineEndsAreCrLfCrOrLf) {
    for (const char* eol : {"\r\n", "\r", "\n"}) {
        UtdfImport v;
        ASSERT_FALSE(parseTiming(nthLine(3, "T,1,10,20,10,20,10,20,10,20,60,0,1", eol), UtdfForm::CommaSeparated, "T", v));
        EXPECT_EQ(v.split[7], "20");
        EXPECT_EQ(v.leadLagMark, "1");
    }
    // LF CR and CR CR LF are two line ends each, so the third line follows them.
    for (const char* ends : {"\n\r", "\r\r\n"}) {
        UtdfImport v;
        ASSERT_FALSE(parseTiming(std::string("a") + ends + "T,1,10,20,10,20,10,20,10,20,60,0,1", UtdfForm::CommaSeparated, "T", v));
        EXPECT_EQ(v.cycleLength, "60");
    }
}

struct FailureCase {
    const char* what;
    std::string text;
    UtdfForm form;
    bool timing;  // else PHASING
    const char* messagePart;
};

TEST(UtdfReaders, ValuesThatAreNoNumbersAreRefused) {
    using F = UtdfForm;
    const FailureCase cases[] = {
        {"blank cycle, csv", nthLine(3, "T,1,10,20,10,20,10,20,10,20,,0,1"), F::CommaSeparated, true, "has no cycle length in line 3"},
        {"blank cycle, dat", nthLine(3, std::string(58, ' ') + "   "), F::FixedColumns, true, "has no cycle length in line 3"},
        {"no line 3", "Timing\r\nHeading\r\n", F::CommaSeparated, true, "has no cycle length"},
        {"cycle text", nthLine(3, "T,1,10,20,10,20,10,20,10,20,1OO,0,1"), F::CommaSeparated, true, "\"1OO\" as the cycle length in line 3, field 11"},
        {"cycle text, dat", nthLine(3, std::string(58, ' ') + "10O"), F::FixedColumns, true, "\"10O\" as the cycle length in line 3, columns 59-61"},
        {"quoted split", nthLine(3, "T,1,10,20,10,20,10,20,10,\"20\",60"), F::CommaSeparated, true, "split of phase 8"},
        {"lead-lag word", nthLine(3, "T,1,10,20,10,20,10,20,10,20,60,0,Lead"), F::CommaSeparated, true, "lead-lag mark"},
        {"overflowing split", nthLine(3, "T,1," + std::string(60, '9') + ",20,10,20,10,20,10,20,60"), F::CommaSeparated, true, "split of phase 1"},
        {"green text", nthLine(4, "MinGreen,1,4,4,4,x,4,4,4,4"), F::CommaSeparated, false, "\"x\" as the minimum green of phase 4 in line 4"},
        {"yellow of phase 8", nthLine(10, "Yellow,1,3,3,3,3,3,3,3,3.5.1"), F::CommaSeparated, false, "yellow time of phase 8 in line 10"},
        {"all-red of phase 8", nthLine(11, "AllRed,1,x,x,x,x,x,x,x,one"), F::CommaSeparated, false, "all-red time of phase 8 in line 11"},
    };
    for (const auto& c : cases) {
        UtdfImport v;
        v.cycleLength = "kept";
        v.green[0] = "kept";
        const auto error = c.timing ? parseTiming(c.text, c.form, "C:/x/TIMING.csv", v)
                                    : parsePhasing(c.text, c.form, "C:/x/PHASING.csv", v);
        ASSERT_TRUE(error) << c.what;
        EXPECT_NE(error->message.find(c.timing ? "The TIMING file \"C:/x/TIMING.csv\"" : "The PHASING file \"C:/x/PHASING.csv\""),
                  std::string::npos)
            << error->message;
        EXPECT_NE(error->message.find(c.messagePart), std::string::npos) << c.what << ": " << error->message;
        EXPECT_EQ(v.cycleLength, "kept") << c.what;  // a failed read leaves the values alone
        EXPECT_EQ(v.green[0], "kept") << c.what;
    }
    // Blanks only count as an empty field; line 11 takes phases 1..7 as they stand.
    UtdfImport v;
    EXPECT_FALSE(parseTiming(nthLine(3, "T,1,  ,20,10,20,10,20,10,20,60"), F::CommaSeparated, "T", v));
    EXPECT_EQ(v.split[0], "   ");
    EXPECT_FALSE(parsePhasing(nthLine(4, "G,1, ,4,4,4,4,4,4,  ") + nthLine(7, "AllRed,1,x,1,1,1,1,1,1,1"),
                              F::CommaSeparated, "P", v));
    EXPECT_EQ(v.green[0], "");
    EXPECT_EQ(v.green[7], "");
    EXPECT_EQ(v.red[0], "x");
}

TEST(UtdfReaders, LanesIgnoreAnythingButDigitsAndCommas) {
    const std::string names = "Lane Group Data\r\nR,I,NBL,NBT,SBL,SBT,EBL,EBT,WBL,WBT\r\n";
    UtdfImport v;
    // "9" and "0" record nothing; "1 2" and "12" count for both digits; letters pass.
    const std::string text = names + nthLine(10, "Phase1,0,9,1 2,x5y,34,0,,78,6\t");
    parseLanes(text, UtdfForm::CommaSeparated, v);
    EXPECT_EQ(v.direction, (Texts{"NB", "NB", "SB", "SB", "SB", "WB", "WB", "WB"}));
}

TEST(UtdfReaders, SurviveBinaryJunk) {
    std::mt19937 random(20260108);
    for (int round = 0; round < 300; ++round) {
        std::string junk(random() % 3000, '\0');
        for (char& c : junk) c = static_cast<char>(random() % 4 == 0 ? ",\r\n1 "[random() % 5] : random() % 256);
        for (UtdfForm form : {UtdfForm::CommaSeparated, UtdfForm::FixedColumns}) {
            UtdfImport v;
            parseLanes(junk, form, v);
            for (const auto& error : {parseTiming(junk, form, "TIMING", v), parsePhasing(junk, form, "PHASING", v)})
                if (error) {
                    EXPECT_LT(error->message.size(), 200u);
                }
            for (const std::string& d : v.direction) EXPECT_LE(d.size(), 2u);
        }
    }
}

TEST(UtdfReaders, TenMegabyteLine) {
    constexpr std::size_t kTen = 10u << 20;
    std::string digits = "T,1,";
    digits.append(kTen, '9');
    UtdfImport v;
    const auto error = parseTiming(nthLine(3, digits), UtdfForm::CommaSeparated, "TIMING.csv", v);
    ASSERT_TRUE(error);  // no float holds ten million nines
    EXPECT_LT(error->message.size(), 200u);

    EXPECT_FALSE(parsePhasing(nthLine(4, std::string(kTen, ',')), UtdfForm::CommaSeparated, "PHASING.csv", v));
    EXPECT_EQ(v.green, Texts{});

    std::string phases = "Phase1";
    while (phases.size() < kTen) phases += ",3";
    parseLanes("L\r\nR,I,NBL\r\n" + nthLine(10, phases), UtdfForm::CommaSeparated, v);
    EXPECT_EQ(v.direction[2], "");  // its lane group is far beyond the heading line

    parseLanes("L\r\n" + std::string(30, 'x') + "NB\r\n" + nthLine(10, std::string(kTen, '8')),
               UtdfForm::FixedColumns, v);
    EXPECT_EQ(v.direction[7], "xx");  // the first 8 stands at column 24
    EXPECT_FALSE(parsePhasing(std::string(kTen, 'x'), UtdfForm::FixedColumns, "PHASING.dat", v));
}

}  // namespace
}  // namespace tavimo
