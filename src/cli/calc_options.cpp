// SPDX-License-Identifier: MIT
#include "cli/calc_options.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "model/signal_plan.h"

namespace tavimo::cli {

const char* const kUsage =
    "Usage: tavimo-calc [--controller nema|170] [--mode permissive|yield] [--format table|csv|json] [--strict] PLAN.tvm\n"
    "   or: tavimo-calc --utdf TIMING PHASING LANES [--controller nema|170] [--mode permissive|yield] [--format table|csv|json] [--strict]\n"
    "   or: tavimo-calc --utdf NETWORK.csv [--intersection ID]... [--list] [--controller nema|170] [--mode permissive|yield] [--format table|csv|json]\n"
    "  with: [--chart FILE.svg|.png|.pdf] [--report FILE.pdf] (any form but --list)\n";

const char* const kHelp =
    "Calculates force-offs and permissive windows of one signal, as the timing window's\n"
    "\"Calculate\" does, and prints what the window then shows for positions 1 to 8.\n"
    "\n"
    "  PLAN.tvm                 a project file saved by Tavimo\n"
    "  --utdf TIMING PHASING LANES\n"
    "                           import the signal from Synchro's UTDF files (.dat or .csv)\n"
    "  --utdf NETWORK.csv       a combined UTDF file of a whole network: every intersection\n"
    "                           with a timing plan is calculated, in INTID order, and its\n"
    "                           force-offs compared with the file's\n"
    "  --intersection ID        only this intersection of the network file (repeatable)\n"
    "  --list                   list the network's intersections without calculating\n"
    "  --controller nema|170    NEMA TS2 or Type 170 local-time reference\n"
    "                           (default: the project file's; NEMA TS2 for an import;\n"
    "                           for a network, Type 170 where the plan is referenced\n"
    "                           to the first coordinated yellow, else NEMA TS2)\n"
    "  --mode permissive|yield  Permissive or Yield mode\n"
    "                           (default: the project file's; Permissive for an import)\n"
    "  --format table|csv|json  table for reading (default), csv or json for programs\n"
    "  --strict                 fail (exit status 1) when the timing checks warn\n"
    "  --chart FILE             also write the ring-barrier chart: FILE.svg, FILE.png\n"
    "                           (twice the screen's detail) or FILE.pdf\n"
    "  --report FILE.pdf        also write the one-page report: title block, chart and\n"
    "                           controller worksheet (whole seconds, halves to even)\n"
    "                           A FILE of - is standard output (an SVG chart, a PDF report),\n"
    "                           which then holds the drawing instead of the results;\n"
    "                           --chart and --report never name the same file\n"
    "  --help                   print this text\n"
    "  --version                print the version of Tavimo\n"
    "\n"
    "Options may come in any order. The csv form has the header line\n"
    "  position,phase,movement,split,min_green,amber,all_red,force_off,permissive_start,permissive_end,warnings\n"
    "and one line per position; every value is the text of the window's field, empty\n"
    "where the field is empty; a field holding a comma, a quote or a line break is\n"
    "quoted (RFC 4180). The json form adds the description, cycle length, controller\n"
    "(NEMA TS2 or Type 170), mode (Permissive or Yield) and arrangement (Lead or Lag);\n"
    "its times are JSON numbers, an empty field is null.\n"
    "\n"
    "For a network file every form has one block, line group or object per intersection:\n"
    "the csv header begins with intersection and ends with file_force_off,note,warnings, and an\n"
    "intersection that cannot be placed on the grid or calculated gets its reason instead.\n"
    "\n"
    "After a complete calculation the timing is checked: splits shorter than min green\n"
    "and clearance, pedestrian timing longer than the split, permissive windows that\n"
    "cannot open, rings that reach the barrier apart, a ring with side-street phases\n"
    "shorter than the cycle.\n"
    "Each warning is printed on standard error as \"warning: ...\"; the csv form lists\n"
    "a position's warnings in its warnings column (joined with \"; \"), the json form\n"
    "in its \"warnings\" list. For a network file each warning line on standard error\n"
    "names its intersection: \"warning: 22: ...\".\n"
    "\n"
    "Exit status:\n"
    "  0  results printed (with or without warnings)\n"
    "  1  the plan failed a check; the window's message is printed on standard error\n"
    "     (a network: an intersection failed a check or cannot be placed; the others are\n"
    "     printed all the same); with --strict also: results printed with warnings\n"
    "  2  usage error, or a file that cannot be read or is not a valid signal (a network:\n"
    "     not a combined UTDF file, or an --intersection that it does not hold), or\n"
    "     results, a chart or a report that cannot be written\n"
    "  3  the calculation stopped without a message (no split in either ring); the\n"
    "     reason is printed on standard error\n";

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool isOption(const std::string& arg) { return arg.size() > 1 && arg[0] == '-' && arg[1] == '-'; }

// "--name value" or "--name=value"; advances i past what it takes.
std::optional<std::string> optionValue(const std::vector<std::string>& args, std::size_t& i,
                                       const std::string& name) {
    const std::string& arg = args[i];
    if (arg.size() > name.size() && arg.compare(0, name.size() + 1, name + "=") == 0)
        return arg.substr(name.size() + 1);
    if (i + 1 >= args.size()) return std::nullopt;
    return args[++i];
}

// Two output paths that end in one file: the same name once made absolute and
// normal, or two names of one existing file (a link, a hard link).
bool samePlace(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    if (a == "-" || b == "-") return a == b;
    std::error_code ec;
    if (fs::equivalent(a, b, ec) && !ec) return true;
    const auto normal = [](const std::string& p) {
        std::error_code e;
        fs::path n = fs::weakly_canonical(fs::absolute(p, e), e);
        return e ? fs::path(p).lexically_normal() : n.lexically_normal();
    };
    return normal(a) == normal(b);
}

}  // namespace

bool drawsToStandardOutput(const CalcOptions& options) {
    return options.chartPath == std::optional<std::string>("-") || options.reportPath == std::optional<std::string>("-");
}

std::variant<CalcOptions, UsageError> parseCalcOptions(const std::vector<std::string>& args) {
    CalcOptions o;
    if (std::find_if(args.begin(), args.end(), [](const std::string& a) { return a == "--help" || a == "-h"; }) !=
        args.end()) {
        o.help = true;
        return o;
    }
    if (std::find(args.begin(), args.end(), "--version") != args.end()) {
        o.version = true;
        return o;
    }

    bool formatGiven = false, planGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto is = [&](const std::string& name) {
            return arg == name || arg.compare(0, name.size() + 1, name + "=") == 0;
        };
        if (is("--controller")) {
            if (o.controller) return UsageError{"--controller given twice"};
            const auto v = optionValue(args, i, "--controller");
            if (!v) return UsageError{"--controller needs nema or 170"};
            if (lower(*v) == "nema") o.controller = tag::kNema;
            else if (*v == "170") o.controller = tag::kType170;
            else return UsageError{"--controller must be nema or 170, not \"" + *v + "\""};
        } else if (is("--mode")) {
            if (o.mode) return UsageError{"--mode given twice"};
            const auto v = optionValue(args, i, "--mode");
            if (!v) return UsageError{"--mode needs permissive or yield"};
            if (lower(*v) == "permissive") o.mode = tag::kPermissive;
            else if (lower(*v) == "yield") o.mode = tag::kYield;
            else return UsageError{"--mode must be permissive or yield, not \"" + *v + "\""};
        } else if (is("--format")) {
            if (formatGiven) return UsageError{"--format given twice"};
            formatGiven = true;
            const auto v = optionValue(args, i, "--format");
            if (!v) return UsageError{"--format needs table, csv or json"};
            if (lower(*v) == "table") o.format = OutputFormat::Table;
            else if (lower(*v) == "csv") o.format = OutputFormat::Csv;
            else if (lower(*v) == "json") o.format = OutputFormat::Json;
            else return UsageError{"--format must be table, csv or json, not \"" + *v + "\""};
        } else if (arg == "--strict") {
            o.strict = true;
        } else if (is("--chart") || is("--report")) {
            const bool chart = is("--chart");
            const std::string name = chart ? "--chart" : "--report";
            std::optional<std::string>& path = chart ? o.chartPath : o.reportPath;
            if (path) return UsageError{name + " given twice"};
            const auto v = optionValue(args, i, name);
            if (!v || v->empty()) return UsageError{name + (chart ? " needs a .svg, .png or .pdf file" : " needs a .pdf file")};
            if (*v == "-") {  // standard output: an SVG chart, a PDF report
                path = *v;
                continue;
            }
            const std::string ext = lower(std::filesystem::path(*v).extension().string());
            if (chart && ext != ".svg" && ext != ".png" && ext != ".pdf")
                return UsageError{"--chart writes .svg, .png or .pdf, not \"" + *v + "\""};
            if (!chart && ext != ".pdf") return UsageError{"--report writes .pdf, not \"" + *v + "\""};
            path = *v;
        } else if (arg == "--utdf") {
            if (o.utdf || o.network) return UsageError{"--utdf given twice"};
            // One path is a network file, three are the TIMING, PHASING and LANES files.
            std::size_t paths = 0;
            while (paths < 3 && i + 1 + paths < args.size() && !isOption(args[i + 1 + paths])) ++paths;
            if (paths == 1) {
                o.network = args[i + 1];
            } else if (paths == 3) {
                o.utdf = std::vector<std::string>(args.begin() + i + 1, args.begin() + i + 4);
            } else {
                return UsageError{"--utdf needs one network file, or the TIMING, PHASING and LANES files"};
            }
            i += paths;
        } else if (is("--intersection")) {
            const auto v = optionValue(args, i, "--intersection");
            if (!v || v->empty()) return UsageError{"--intersection needs an INTID"};
            o.intersections.push_back(*v);
        } else if (arg == "--list") {
            o.list = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError{"unknown option " + arg};
        } else {
            if (planGiven) return UsageError{"more than one project file given"};
            planGiven = true;
            o.planPath = arg;
        }
    }
    if ((o.utdf || o.network) && planGiven) return UsageError{"give either a project file or --utdf, not both"};
    if (!o.utdf && !o.network && !planGiven) return UsageError{"no project file given"};
    if (!o.network && (o.list || !o.intersections.empty()))
        return UsageError{std::string(o.list ? "--list" : "--intersection") + " needs --utdf with a network file"};
    if (o.list) {
        // The list calculates nothing: an option that would change a calculation or
        // write its files has nothing to act on, and is not silently dropped.
        const std::pair<bool, const char*> unused[] = {{o.chartPath.has_value(), "--chart"},
                                                       {o.reportPath.has_value(), "--report"},
                                                       {o.strict, "--strict"},
                                                       {o.controller.has_value(), "--controller"},
                                                       {o.mode.has_value(), "--mode"}};
        for (const auto& [given, name] : unused)
            if (given) return UsageError{std::string(name) + " cannot go with --list, which calculates nothing"};
    }
    if (o.chartPath && o.reportPath && samePlace(*o.chartPath, *o.reportPath))
        return UsageError{"--chart and --report name the same file \"" + *o.reportPath + "\""};
    if (o.chartPath == std::optional<std::string>("-") && o.network && o.intersections.size() != 1)
        return UsageError{"--chart - writes one chart: choose one --intersection of the network file"};
    return o;
}

}  // namespace tavimo::cli
