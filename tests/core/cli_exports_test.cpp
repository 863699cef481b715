// SPDX-License-Identifier: MIT
// tavimo-calc --chart and --report, run as a shell runs them, without a display.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "cli/draw_interface.h"

namespace {

namespace fs = std::filesystem;

const std::string kPlan = TAVIMO_TEST_DATA "/main-and-1st.tvm";

struct Shell {
    int status = -1;
    std::string out;
};

// Runs a shell command without a display and collects its standard output.
Shell shell(const std::string& command) {
    Shell r;
    FILE* pipe = popen(("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + command).c_str(), "r");
    if (!pipe) return r;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) r.out.append(buffer, got);
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

Shell calc(const std::string& args) { return shell("'" TAVIMO_CALC_EXE "' " + args + " 2>&1"); }

std::string bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class CalcExports : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tavimo-exports-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

// A corridor's time-space diagram, drawn by the same library: the figures printed as
// without it, the picture named by the corridor's street.
TEST_F(CalcExports, CorridorDiagramInEachFormat) {
    const std::string network = TAVIMO_TEST_DATA "/utdf8/glendale.csv";
    const std::string route = "--utdf '" + network + "' --corridor 3325,3350,3375";
    const std::string results = calc(route).out;
    for (const std::pair<const char*, std::string>& c : {std::pair<const char*, std::string>{"d.svg", "<?xml"},
                                                         {"d.png", "\x89PNG"}, {"d.pdf", "%PDF"}}) {
        const fs::path file = dir / c.first;
        const Shell r = calc(route + " --diagram '" + file.string() + "'");
        EXPECT_EQ(r.status, 0) << c.first << ": " << r.out;
        EXPECT_EQ(r.out, results) << c.first;
        EXPECT_EQ(bytesOf(file).substr(0, c.second.size()), c.second) << c.first;
    }
    const std::string svg = bytesOf(dir / "d.svg");
    EXPECT_NE(svg.find("<title>67th Ave: 3325 to 3375 | cycle 120 s</title>"), std::string::npos);
    EXPECT_NE(svg.find("3325 to 3375: band 47.37 s, efficiency 0.395, attainability 0.869"), std::string::npos);
    // A diagram that cannot be written fails the run, with the reason.
    const Shell unwritable = calc(route + " --diagram '" + (dir / "missing" / "d.svg").string() + "'");
    EXPECT_EQ(unwritable.status, 2);
    EXPECT_NE(unwritable.out.find("cannot write " + (dir / "missing" / "d.svg").string()), std::string::npos);
}

TEST_F(CalcExports, ChartInEachFormatBesideThePrintedResults) {
    struct Case {
        const char* name;
        std::string startsWith;
    } cases[] = {
        {"chart.svg", "<?xml"},
        {"chart.png", "\x89PNG"},
        {"CHART.PDF", "%PDF"},
    };
    const std::string results = calc("'" + kPlan + "'").out;
    for (const Case& c : cases) {
        const fs::path file = dir / c.name;
        const Shell r = calc("--chart '" + file.string() + "' '" + kPlan + "'");
        EXPECT_EQ(r.status, 0) << c.name << ": " << r.out;
        EXPECT_EQ(r.out, results) << c.name;  // nothing added to the output, not even Qt's notes
        EXPECT_EQ(bytesOf(file).substr(0, c.startsWith.size()), c.startsWith) << c.name;
    }
    // The PNG at twice the screen's detail: the sheet is 687 x 210 logical pixels.
    const std::string png = bytesOf(dir / "chart.png");
    ASSERT_GT(png.size(), 24u);
    auto be32 = [&](std::size_t at) {
        return (unsigned(static_cast<unsigned char>(png[at])) << 24) | (unsigned(static_cast<unsigned char>(png[at + 1])) << 16) |
               (unsigned(static_cast<unsigned char>(png[at + 2])) << 8) | unsigned(static_cast<unsigned char>(png[at + 3]));
    };
    EXPECT_EQ(be32(16), 1374u);
    EXPECT_EQ(be32(20), 420u);
}

TEST_F(CalcExports, ReportIsOnePageWithTitleBlockAndWorksheet) {
    const fs::path pdf = dir / "report.pdf";
    ASSERT_EQ(calc("--report '" + pdf.string() + "' --controller 170 '" + kPlan + "'").status, 0);
    EXPECT_TRUE(std::regex_search(shell("pdfinfo '" + pdf.string() + "'").out, std::regex(R"(\nPages:\s+1\n)")));
    const std::string text = shell("pdftotext -layout '" + pdf.string() + "' -").out;
    for (const char* has : {"Main and 1st", "Cycle length: 100 s", "Controller: Type 170", "Mode: Permissive",
                            "File: main-and-1st.tvm", "Controller worksheet, Type 170 reference, whole seconds"})
        EXPECT_NE(text.find(has), std::string::npos) << has << "\n" << text;
    // Phase 3's inputs (no walk in the file) come through the library too.
    EXPECT_TRUE(std::regex_search(text, std::regex(R"(\n3\s+WB\s+12\s+5\s+3\.5\s+1\s*\n)"))) << text;
    // Phase 2's force-off at the Type 170 local zero; phase 3's window ends at 2.5, entered
    // as 2 (the even second) and marked, phase 1's at 45.5, entered as 46.
    for (const char* row : {R"(\n2\s+NB\s+0\s+0\s*\n)", R"(\n1\s+SB\s+56\s+56\s+40\s+40\s+46\s*\*\s+45\.5\s*\n)",
                            R"(\n3\s+WB\s+13\s+13\s+0\s+0\s+2\s*\*\s+2\.5\s*\n)", "Force Off"})
        EXPECT_TRUE(std::regex_search(text, std::regex(row))) << row << "\n" << text;
}

TEST_F(CalcExports, NetworkFileGivesEachIntersectionItsChartAndPage) {
    const std::string network = TAVIMO_TEST_DATA "/utdf8/peoria-3-7.csv";
    const fs::path svg = dir / "corridor.svg", pdf = dir / "corridor.pdf";
    ASSERT_EQ(calc("--utdf '" + network + "' --chart '" + svg.string() + "' --report '" + pdf.string() + "'").status, 0);
    EXPECT_TRUE(fs::exists(dir / "corridor-3.svg"));
    EXPECT_TRUE(fs::exists(dir / "corridor-7.svg"));
    EXPECT_FALSE(fs::exists(svg));
    EXPECT_TRUE(std::regex_search(shell("pdfinfo '" + pdf.string() + "'").out, std::regex(R"(\nPages:\s+2\n)")));
}

// A plan off the grid, from a network file or a project, gets its own chart (one row
// a ring, its windows labelled) and a report naming its coordinated phases.
TEST_F(CalcExports, PlansOffTheGridGetTheirChartAndReport) {
    const std::pair<std::string, std::string> sources[] = {
        {"--utdf '" TAVIMO_TEST_DATA "/utdf8/plans/bullhead-parkway-3-lead-lag.csv'", "chart-3.svg"},
        {"'" TAVIMO_SOURCE_DIR "/examples/lead-lag.tavimo'", "chart.svg"},
    };
    for (const auto& [source, picture] : sources) {
        SCOPED_TRACE(source);
        fs::remove_all(dir);
        fs::create_directory(dir);
        const fs::path svg = dir / "chart.svg", pdf = dir / "report.pdf";
        const Shell r = calc(source + " --chart '" + svg.string() + "' --report '" + pdf.string() + "'");
        ASSERT_EQ(r.status, 0) << r.out;
        const std::string drawn = bytesOf(dir / picture);
        EXPECT_NE(drawn.find("Ring-barrier chart"), std::string::npos);
        EXPECT_NE(drawn.find("\xC3\x98" "3"), std::string::npos) << "phase 3's window has its label";
        const std::string text = shell("pdftotext -layout '" + pdf.string() + "' -").out;
        for (const char* has : {"Coordinated phases: 2, 6", "Controller worksheet, NEMA TS2 reference"})
            EXPECT_NE(text.find(has), std::string::npos) << has << "\n" << text;
    }
}

TEST_F(CalcExports, UnwritableOrUnknownFilesAreRefusedAndTold) {
    struct Case {
        std::string args;
        int status;
        const char* told;
    } cases[] = {
        {"--chart chart.txt", 2, "--chart writes .svg, .png or .pdf"},
        {"--report report.svg", 2, "--report writes .pdf"},
        {"--chart", 2, "--chart writes .svg, .png or .pdf"},  // the plan is no picture
        {"--chart '" + (dir / "missing" / "chart.svg").string() + "'", 2, "cannot write"},
        {"--report '" + (dir / "missing" / "report.pdf").string() + "'", 2, "cannot write"},
    };
    for (const Case& c : cases) {
        const Shell r = calc(c.args + " '" + kPlan + "'");
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_NE(r.out.find(c.told), std::string::npos) << c.args << ": " << r.out;
    }
    EXPECT_FALSE(fs::exists(dir / "missing"));
}

#ifdef TAVIMO_OTHER_DRAW_LIBRARY
// A drawing library that is not this Tavimo's (another interface version, another
// library, a copy cut short, none at all) is refused with its name: never called,
// never a crash.
TEST_F(CalcExports, ADrawingLibraryOfAnotherKindIsRefusedWithItsName) {
    const fs::path program = dir / "tavimo-calc", library = dir / "libtavimo-draw.so";
    fs::copy_file(TAVIMO_CALC_EXE, program);
    const std::string real = bytesOf(TAVIMO_DRAW_LIBRARY);
    const std::string zlib = "/lib/x86_64-linux-gnu/libz.so.1";
    const struct {
        const char* what;
        std::string bytes;  // of the library beside the program; empty: none
        std::string told;
    } cases[] = {
        {"another version", bytesOf(TAVIMO_OTHER_DRAW_LIBRARY),
         "has interface version " + std::to_string(TAVIMO_DRAW_INTERFACE_VERSION + 98) +
             ", tavimo-calc needs version " + std::to_string(TAVIMO_DRAW_INTERFACE_VERSION) + "; reinstall Tavimo"},
        {"another library", fs::exists(zlib) ? bytesOf(zlib) : real.substr(0, 64),
         fs::exists(zlib) ? "is not one of this Tavimo (it tells no interface version)" : "it is cut short"},
        {"cut short", real.substr(0, real.size() / 2), "cannot be used: it is cut short"},
        {"not a library", "#!/bin/sh\n", "cannot be used: it is not a shared library"},
        {"none", "", "charts and reports need the drawing library, not found at " + library.string()},
    };
    for (const auto& c : cases) {
        fs::remove(library);
        if (!c.bytes.empty()) std::ofstream(library, std::ios::binary) << c.bytes;
        const Shell r = shell("'" + program.string() + "' --chart '" + (dir / "x.svg").string() + "' '" + kPlan + "' 2>&1 >/dev/null");
        EXPECT_EQ(r.status, 2) << c.what << ": " << r.out;
        EXPECT_NE(r.out.find("tavimo-calc: "), std::string::npos) << c.what << ": " << r.out;
        EXPECT_NE(r.out.find(c.told), std::string::npos) << c.what << ": " << r.out;
        EXPECT_FALSE(fs::exists(dir / "x.svg")) << c.what;
    }
}
#endif

}  // namespace
