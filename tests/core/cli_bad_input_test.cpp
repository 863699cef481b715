// SPDX-License-Identifier: MIT
// tavimo-calc on what a new user may hand it, as a shell runs it: each case under a
// time limit, so that a hang fails the test instead of blocking the run.
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tavimo {
namespace {

const std::string kPlan = TAVIMO_TEST_DATA "/main-and-1st.tvm";

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string scratch(const std::string& name) {
    return ::testing::TempDir() + "tavimo_bad_input_" + std::to_string(::getpid()) + "_" + name;
}

std::string writeFile(const std::string& name, const std::string& bytes) {
    const std::string path = scratch(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

struct CalcRun {
    int status;  // 124: killed by the time limit
    std::string out, err;
};

// `redirect` replaces the capture of standard output ("> /dev/full", ">&-"); `as`
// runs the program through another command (another user).
CalcRun calc(const std::string& path, const std::string& redirect = "", const std::string& as = "") {
    const std::string out = scratch("stdout"), err = scratch("stderr");
    const std::string command = "timeout 20 " + as + " '" TAVIMO_CALC_EXE "' --format csv '" + path + "' " +
                                (redirect.empty() ? "> '" + out + "'" : redirect) + " 2> '" + err + "' < /dev/null";
    std::ofstream(out, std::ios::trunc).close();
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, bytesOf(out), bytesOf(err)};
}

// The example plan with its line ends, values or encoding changed.
std::string examplePlan(const char* eol = "\r\n") {
    std::string text;
    std::istringstream lines(bytesOf(kPlan));
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        text += line + eol;
    }
    return text;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

std::string utf16(const std::string& ascii) {
    std::string text = "\xFF\xFE";
    for (char c : ascii) text += std::string{c, '\0'};
    return text;
}

TEST(CalcBadInput, EachClassGetsItsStatusAndAMessageNamingTheFile) {
    const CalcRun reference = calc(kPlan);
    ASSERT_EQ(reference.status, 0) << reference.err;

    const std::string fifo = scratch("plan.fifo");
    ::unlink(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string folder = scratch("folder.tvm");
    ::mkdir(folder.c_str(), 0700);
    const std::string crlf = examplePlan();

    const struct {
        const char* what;
        std::string path;
        int status;
        std::string expected;  // the message after "tavimo-calc: "; for status 0 the results, if not the reference's
    } cases[] = {
        {"missing", scratch("missing.tvm"), 2, "Unable to open %: No such file or directory."},
        {"folder", folder, 2, "Unable to open %: it is a folder, not a file."},
        {"empty", writeFile("empty.tvm", ""), 2, "% is not a Tavimo project file: it is empty."},
        {"junk", writeFile("junk.tvm", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR"), 2,
         "% is not a Tavimo project file: line 1 does not start with \"movements,\" but with \"\xE2\x80\xB0PNG\"."},
        {"truncated", writeFile("cut.tvm", crlf.substr(0, 120)), 2, "% is not a Tavimo project file: it has 4 of the 7 lines."},
        {"FIFO", fifo, 2, "Unable to open %: it is a FIFO, not a regular file."},
        {"character device", "/dev/zero", 2, "Unable to open %: it is a device, not a regular file."},
        {"too large", writeFile("large.tvm", crlf + std::string(1 << 20, ' ')), 2, "Unable to open %: it is larger than 1 MiB."},
        {"UTF-16", writeFile("utf16.tvm", utf16(crlf)), 2,
         "% is not a Tavimo project file: it is UTF-16 text; save it as ANSI (Windows-1252) text."},
        {"UTF-8 byte-order mark", writeFile("bom.tvm", "\xEF\xBB\xBF" + crlf), 0, ""},
        {"LF", writeFile("lf.tvm", examplePlan("\n")), 0, ""},
        {"CR", writeFile("cr.tvm", examplePlan("\r")), 0, ""},
        {"mixed line ends", writeFile("mixed.tvm", replaced(replaced(crlf, "\r\nsplits", "\nsplits"), "\r\namber", "\ramber")), 0, ""},
        {"not a number", writeFile("nan.tvm", replaced(crlf, "splits,15,45,12", "splits,15,45,1x")), 1,
         "%: Split Time at position 3 is not a number!"},
        {"overflowing sum", writeFile("inf.tvm", replaced(replaced(crlf, "amber,3.5", "amber," + std::string(39, '3')), "red,1,", "red," + std::string(39, '3') + ",")), 1,
         "%: Amber Time at position 1 is out of range!"},
        {"absurd cycle", writeFile("cycle.tvm", replaced(crlf, "misc,100", "misc,100000")), 1, "%: Cycle Length is out of range!"},
        {"leading zeros", writeFile("zeros.tvm", replaced(replaced(crlf, "splits,15,45", "splits,15,0000000000000000000045"), "misc,100", "misc,0000000000000000000100")), 0,
         replaced(reference.out, "NB,45,", "NB,0000000000000000000045,")},
        {"comma in a time", writeFile("comma.tvm", replaced(crlf, "amber,3.5", "amber,3,5")), 2,
         "% is not a Tavimo project file: line 4 holds more than 8 values (a decimal comma in a time?)."},
    };
    for (const auto& c : cases) {
        const CalcRun r = calc(c.path);
        EXPECT_NE(r.status, 124) << c.what << ": no answer within the time limit";
        EXPECT_EQ(r.status, c.status) << c.what << '\n' << r.err;
        if (c.status == 0) {
            EXPECT_EQ(r.out, c.expected.empty() ? reference.out : c.expected) << c.what;
            EXPECT_EQ(r.err, "") << c.what;
        } else {
            EXPECT_EQ(r.out, "") << c.what;
            EXPECT_EQ(r.err, "tavimo-calc: " + replaced(c.expected, "%", c.path) + "\n") << c.what;
        }
    }
    ::unlink(fifo.c_str());
}

// A run as a shell starts it: the arguments are quoted here.
CalcRun calcWith(const std::vector<std::string>& args) {
    const std::string out = scratch("stdout"), err = scratch("stderr");
    std::string command = "timeout 20 '" TAVIMO_CALC_EXE "'";
    for (const std::string& arg : args) command += " '" + arg + "'";
    command += " > '" + out + "' 2> '" + err + "' < /dev/null";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, bytesOf(out), bytesOf(err)};
}

const std::string kNetwork = TAVIMO_TEST_DATA "/utdf8/excerpts/chattanooga-2.csv";

// The one-intersection network with one line of it changed, or cut before a line.
std::string network(const std::string& from, const std::string& to) { return replaced(bytesOf(kNetwork), from, to); }
std::string networkCutAt(const std::string& line) {
    const std::string text = bytesOf(kNetwork);
    return text.substr(0, text.find(line));
}

// Files that would give a wrong answer if taken: each is refused with its line (2),
// not calculated with the reason (1), or calculated with a warning that --strict
// turns into a failure (0, then 1).
TEST(CalcBadInput, WrongAnswersAreRefusedOrWarnedOf) {
    const std::string commas(1 << 20, ',');
    const std::string shortTimeplans = "[Timeplans]\nRECORDNAME,INTID\nCycle Length,2\n[Phases]\n";
    const std::string plan = examplePlan();
    const std::string emptied = replaced(plan, "splits,15,45,12,28", "splits,15,45,8,32");
    const struct {
        const char* what;
        std::vector<std::string> args;  // "%" is the file written from `bytes`
        std::string bytes;
        int status;
        std::string err;  // a line standard error holds
    } cases[] = {
        // Refused, naming the line.
        {"short record", {"--utdf", "%"}, shortTimeplans, 2,
         "tavimo-calc: The UTDF file \"%\" line 3, [Timeplans]: the record \"Cycle Length\" has 2 fields; it needs 3.\n"},
        {"a megabyte of commas", {"--utdf", "%"}, "[Phases]\nRECORDNAME,INTID,D1\nStart,2" + commas + "\n", 2,
         "line 3, [Phases]: the line has more than 512 fields.\n"},
        {"INTID twice", {"--utdf", "%"}, bytesOf(kNetwork) + "[Timeplans]\nRECORDNAME,INTID,DATA\nCycle Length,2,90\n", 2,
         "INTID \"2\" has a second \"Cycle Length\" record (the first is on line 18)"},
        {"INTID written two ways", {"--utdf", "%"}, bytesOf(kNetwork) + "[Timeplans]\nRECORDNAME,INTID,DATA\nCycle Length,002,90\n", 2,
         "INTID \"002\" is written \"2\" on line 4; the file writes each intersection's number one way."},
        {"UTF-16", {"--utdf", "%"}, utf16(bytesOf(kNetwork)), 2,
         "is UTF-16 text; Tavimo reads UTF-8 and Windows-1252 text: save it as one of those.\n"},
        // Not calculated, with the reason.
        {"cycle shorter than the splits", {"--utdf", "%", "--strict"}, network("Cycle Length,2,100.0", "Cycle Length,2,3"), 1,
         ""},
        {"offset not a number", {"--utdf", "%"}, network("Offset,2,70.0", "Offset,2,nan"), 1, ""},
        // Calculated, with a warning --strict refuses.
        {"negative min green", {"--utdf", "%", "--strict"}, network("MinGreen,2,4,", "MinGreen,2,-5,"), 1,
         "warning: 2: \xCE\xA6" "1 (position 1): min green -5 is negative\n"},
        {"negative DontWalk", {"--utdf", "%", "--strict"}, network("DontWalk,2,,12,", "DontWalk,2,,-5,"), 1,
         "warning: 2: \xCE\xA6" "2 (position 2): flash don't walk -5 is negative\n"},
        {"no Yield records", {"--utdf", "%", "--strict"}, networkCutAt("Yield,2,64.8"), 1,
         "warning: 2: \xCE\xA6" "1: the file has no Yield for it, so its force-off was not compared\n"},
        {"negative amber", {"--strict", "%"}, replaced(plan, "amber,3.5", "amber,-3.5"), 1,
         "warning: \xCE\xA6" "1 (position 1): amber -3.5 is negative\n"},
        {"window joined to an empty one", {"--strict", "--controller", "170", "--mode", "yield", "%"}, emptied, 1,
         "warning: \xCE\xA6" "7 (position 7): no permissive window: it ends at -1.5, before it opens at 0\n"},
    };
    for (const auto& c : cases) {
        const std::string path = writeFile(std::string(c.what) + ".csv", c.bytes);
        std::vector<std::string> args = c.args;
        for (std::string& arg : args)
            if (arg == "%") arg = path;
        const CalcRun r = calcWith(args);
        EXPECT_EQ(r.status, c.status) << c.what << '\n' << r.err;
        const std::string err = c.err.find('%') == std::string::npos ? c.err : replaced(c.err, "%", path);
        EXPECT_NE(r.err.find(err), std::string::npos) << c.what << '\n' << r.err;
        if (c.status == 2) {
            EXPECT_EQ(r.out, "") << c.what;
        }
    }
    // What was not calculated says why in its note.
    EXPECT_NE(calcWith({"--utdf", writeFile("c3.csv", network("Cycle Length,2,100.0", "Cycle Length,2,3"))})
                  .out.find("phase 1 runs from 52 to 70, a split of 18 that does not fit the cycle of 3"),
              std::string::npos);
    // Without --strict a warning is no failure.
    EXPECT_EQ(calcWith({writeFile("amber.tvm", replaced(plan, "amber,3.5", "amber,-3.5"))}).status, 0);
}

// Results that never reach their reader are a failure, not a success.
TEST(CalcBadInput, ResultsThatCannotBeWrittenExitTwo) {
    const std::pair<const char*, const char*> cases[] = {
        {"> /dev/full", "No space left on device"},
        {">&-", "Bad file descriptor"},
    };
    for (const auto& [redirect, reason] : cases) {
        const CalcRun r = calc(kPlan, redirect);
        EXPECT_EQ(r.status, 2) << redirect;
        EXPECT_EQ(r.err, std::string("tavimo-calc: cannot write the results: ") + reason + "\n") << redirect;
    }
}

// Root may read any file, so as root (in CI) the program runs as the user nobody.
TEST(CalcBadInput, UnreadableFileNamesTheReason) {
    const std::string path = writeFile("locked.tvm", examplePlan());
    ::chmod(path.c_str(), 0);
    const std::string as = ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups" : "";
    if (!as.empty() && calc(kPlan, "", as).status != 0)
        GTEST_SKIP() << "runs as root, and the user nobody cannot run " TAVIMO_CALC_EXE;
    const CalcRun r = calc(path, "", as);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "tavimo-calc: Unable to open " + path + ": Permission denied.\n");
}

// Any arguments, as a shell runs them (`shell` may set limits first); standard output
// into a file unless `redirect` says otherwise.
CalcRun calcWith(const std::string& args, const std::string& redirect = "", const std::string& shell = "",
                 const std::string& program = TAVIMO_CALC_EXE) {
    const std::string out = scratch("stdout"), err = scratch("stderr");
    std::ofstream(out, std::ios::trunc).close();
    const std::string command = shell + " timeout 20 env -u DISPLAY '" + program + "' " + args + " " +
                                (redirect.empty() ? "> '" + out + "'" : redirect) + " 2> '" + err + "' < /dev/null";
    const int status = std::system(("bash -c \"" + command + "\"").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, bytesOf(out), bytesOf(err)};
}

const std::string kWholeNetwork = TAVIMO_TEST_DATA "/utdf8/chattanooga.csv";
const std::string kUsageTail = "Try 'tavimo-calc --help' for more.\n";

// Every output of a run that does not reach its file or its reader exits 2 with the
// reason, and a file that was there stays byte for byte; nothing but a regular file
// is replaced.
TEST(CalcBadInput, OutputsThatCannotBeWrittenExitTwoAndKeepTheOldFile) {
    const std::string old = "the chart of yesterday";
    const std::string svg = writeFile("old.svg", old), pdf = writeFile("old.pdf", old), png = writeFile("old.png", old);
    const std::string fifo = scratch("chart.svg");
    ::unlink(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // A file system that fills at 8 KiB: larger than the results, smaller than any drawing.
    const std::string fullDisk = "trap '' XFSZ; ulimit -f 8;";
    const struct {
        const char* what;
        std::string args, redirect, shell;
        std::string err;  // all of standard error
        std::string kept;  // a file that must still hold `old`
    } cases[] = {
        {"svg on a full disk", "'" + kPlan + "' --chart " + svg, "", fullDisk,
         "tavimo-calc: cannot write " + svg + ": File too large\n", svg},
        {"png on a full disk", "'" + kPlan + "' --chart " + png, "", fullDisk,
         "tavimo-calc: cannot write " + png + ": File too large\n", png},
        {"report on a full disk", "'" + kPlan + "' --report " + pdf, "", fullDisk,
         "tavimo-calc: cannot write " + pdf + ": File too large\n", pdf},
        {"chart into a FIFO", "'" + kPlan + "' --chart " + fifo, "", "",
         "tavimo-calc: cannot write " + fifo + ": it is a FIFO, not a regular file\n", ""},
        {"network csv", "--utdf '" + kWholeNetwork + "' --intersection 2 --format csv", "> /dev/full", "",
         "tavimo-calc: cannot write the results: No space left on device\n", ""},
        {"network json", "--utdf '" + kWholeNetwork + "' --intersection 2 --format json", "> /dev/full", "",
         "tavimo-calc: cannot write the results: No space left on device\n", ""},
        {"network table", "--utdf '" + kWholeNetwork + "'", "> /dev/full", "",
         "tavimo-calc: cannot write the results: No space left on device\n", ""},
        {"network list", "--utdf '" + kWholeNetwork + "' --list", ">&-", "",
         "tavimo-calc: cannot write the results: Bad file descriptor\n", ""},
        {"chart on standard output", "'" + kPlan + "' --chart -", "> /dev/full", "",
         "tavimo-calc: cannot write the standard output: No space left on device\n", ""},
        {"version", "--version", "> /dev/full", "", "tavimo-calc: cannot write the results: No space left on device\n", ""},
    };
    for (const auto& c : cases) {
        const CalcRun r = calcWith(c.args, c.redirect, c.shell);
        EXPECT_EQ(r.status, 2) << c.what << '\n' << r.err;
        EXPECT_EQ(r.err, c.err) << c.what;
        if (!c.kept.empty()) {
            EXPECT_EQ(bytesOf(c.kept), old) << c.what;
        }
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    // No temporary file is left beside the charts.
    for (const auto& entry : std::filesystem::directory_iterator(::testing::TempDir()))
        EXPECT_EQ(entry.path().filename().string().rfind(".tavimo_bad_input_", 0), std::string::npos) << entry.path();
    ::unlink(fifo.c_str());
}

// A pair of options that cannot both be honoured is a usage error, not one of them
// silently dropped.
TEST(CalcBadInput, OptionsThatCannotGoTogetherAreUsageErrors) {
    const std::string pdf = scratch("same.pdf"), link = scratch("link.pdf");
    const std::string dotted = ::testing::TempDir() + "./" + pdf.substr(::testing::TempDir().size());
    writeFile("same.pdf", "");
    ::unlink(link.c_str());
    ASSERT_EQ(::symlink(pdf.c_str(), link.c_str()), 0);
    const std::pair<std::string, std::string> cases[] = {
        {"--chart " + pdf + " --report " + pdf, "--chart and --report name the same file \"" + pdf + "\""},
        {"--chart " + pdf + " --report " + dotted, "--chart and --report name the same file \"" + dotted + "\""},
        {"--chart " + link + " --report " + pdf, "--chart and --report name the same file \"" + pdf + "\""},
        {"--chart - --report -", "--chart and --report name the same file \"-\""},
        {"--utdf '" + kWholeNetwork + "' --list --chart x.svg", "--chart cannot go with --list, which calculates nothing"},
        {"--utdf '" + kWholeNetwork + "' --list --report x.pdf", "--report cannot go with --list, which calculates nothing"},
        {"--utdf '" + kWholeNetwork + "' --list --strict", "--strict cannot go with --list, which calculates nothing"},
        {"--utdf '" + kWholeNetwork + "' --list --mode yield", "--mode cannot go with --list, which calculates nothing"},
        {"--utdf '" + kWholeNetwork + "' --chart -", "--chart - writes one chart: choose one --intersection of the network file"},
    };
    for (const auto& [args, message] : cases) {
        const std::string all = args.rfind("--utdf", 0) == 0 ? args : "'" + kPlan + "' " + args;
        const CalcRun r = calcWith(all);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.err.substr(0, r.err.find('\n') + 1), "tavimo-calc: " + message + "\n") << args;
        EXPECT_EQ(r.out, "") << args;
    }
    EXPECT_TRUE(bytesOf(pdf).empty());  // nothing written
    ::unlink(link.c_str());
}

// "-" is standard output, which then holds the drawing alone.
TEST(CalcBadInput, DashWritesTheDrawingToStandardOutput) {
    const std::pair<std::string, std::string> cases[] = {
        {"'" + kPlan + "' --chart -", "<?xml"},
        {"'" + kPlan + "' --report -", "%PDF"},
        {"--utdf '" + kWholeNetwork + "' --intersection 2 --chart=-", "<?xml"},
    };
    for (const auto& [args, starts] : cases) {
        const CalcRun r = calcWith(args);
        EXPECT_EQ(r.status, 0) << args << '\n' << r.err;
        EXPECT_EQ(r.out.substr(0, starts.size()), starts) << args;
        EXPECT_EQ(r.out.find("position,"), std::string::npos) << args;
    }
}

// Text from a file can neither move the terminal's cursor nor send it a sequence;
// an "&" in a name leaves the SVG a well-formed XML document.
TEST(CalcBadInput, TextFromTheFileIsShownSafely) {
    const std::string hostile = "Main \x1b[2J&<1st>\x07";
    const std::string plan = writeFile("hostile.tvm", replaced(examplePlan(), "Main and 1st", hostile));
    std::string networkText = bytesOf(kWholeNetwork);
    networkText = replaced(networkText, "Name,2,Hickory Valley,", "Name,2,Hickory\x1b]0;x\x07 Valley,");
    const std::string networkPath = writeFile("hostile.csv", networkText);

    CalcRun r = calcWith("--format table '" + plan + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Description:  Main ?[2J&<1st>?\n"), std::string::npos) << r.out;
    r = calcWith("--utdf '" + networkPath + "' --list --intersection 2");
    EXPECT_EQ(r.out.substr(0, 24), "2: Hickory?]0;x? Valley ") << r.out;
    r = calcWith("--utdf '" + networkPath + "' --intersection 2");
    EXPECT_EQ(r.out.substr(0, 37), "Intersection 2: Hickory?]0;x? Valley ") << r.out;
    r = calcWith("--format json '" + plan + "'");
    EXPECT_NE(r.out.find("\"Main \\u001b[2J&<1st>\\u0007\""), std::string::npos) << r.out;

    const std::string svg = scratch("hostile.svg");
    ASSERT_EQ(calcWith("'" + plan + "' --chart " + svg).status, 0);
    EXPECT_EQ(std::system(("xmllint --noout '" + svg + "'").c_str()), 0) << bytesOf(svg);
    EXPECT_NE(bytesOf(svg).find("<title>Main ?[2J&amp;&lt;1st&gt;? - Cycle 100 s"), std::string::npos);
}

}  // namespace
}  // namespace tavimo
