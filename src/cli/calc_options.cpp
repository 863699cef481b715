// SPDX-License-Identifier: MIT
#include "cli/calc_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <initializer_list>
#include <cctype>
#include <filesystem>
#include <functional>
#include <map>

#include "model/number_text.h"
#include "model/signal_plan.h"

namespace tavimo::cli {

const char* const kUsage =
    "Usage: tavimo-calc [--controller nema|170] [--mode permissive|yield] [--format table|csv|json] [--strict] PLAN.tvm\n"
    "   or: tavimo-calc --utdf TIMING PHASING LANES [--controller nema|170] [--mode permissive|yield] [--format table|csv|json] [--strict]\n"
    "   or: tavimo-calc --utdf NETWORK.csv [--intersection ID]... [--list] [--controller nema|170] [--mode permissive|yield] [--format table|csv|json] [--strict]\n"
    "   or: tavimo-calc [--controller nema|170] [--mode permissive|yield] [--format table|csv|json] [--strict] PROJECT.tavimo\n"
    "   or: tavimo-calc --utdf NETWORK.csv --list-corridors [--format table|csv|json]\n"
    "   or: tavimo-calc --utdf NETWORK.csv --corridor ID,ID,... [--offset ID=SECONDS]... [--format table|csv|json] [--diagram FILE.svg|.png|.pdf]\n"
    // Last: the manual page's synopsis takes the "or:" lines up to the first other one.
    "  with: [--chart FILE.svg|.png|.pdf] [--report FILE.pdf] (the first three forms, but not with --list)\n";

const char* const kHelp =
    "Calculates force-offs and permissive windows of one signal, as the timing window's\n"
    "\"Calculate\" does, and prints what the window then shows for positions 1 to 8.\n"
    "\n"
    "  PLAN.tvm                 a project file saved by Tavimo\n"
    "  PROJECT.tavimo           a Tavimo project of any ring-barrier plan: each of its\n"
    "                           intersections is calculated, one csv line per running\n"
    "                           phase (intersection,position,...,permissive_end,note,\n"
    "                           warnings,ring,barrier)\n"
    "  --utdf TIMING PHASING LANES\n"
    "                           import the signal from Synchro's UTDF files (.dat or .csv)\n"
    "  --utdf NETWORK.csv       a combined UTDF file of a whole network: every intersection\n"
    "                           with a timing plan is calculated, in INTID order, and its\n"
    "                           force-offs compared with the file's\n"
    "  --intersection ID        only this intersection of the network file (repeatable)\n"
    "  --list                   list the network's intersections without calculating\n"
    "  --list-corridors         list the network's corridors without calculating: the\n"
    "                           signals linked along one street name, in order, with\n"
    "                           their cycle lengths\n"
    "  --corridor ID,ID,...     the bands of a route through these signals, in the order\n"
    "                           given, both ways, with each link's travel time and each\n"
    "                           signal's offset in every reference\n"
    "  --offset ID=SECONDS      with --corridor: intersection ID's offset, in the reference\n"
    "                           its plan is counted to, replaced before the bands are\n"
    "                           computed (repeatable; 0 <= SECONDS < its cycle)\n"
    "  --diagram FILE           with --corridor: also write the route's time-space diagram\n"
    "                           (FILE.svg, FILE.png or FILE.pdf): each signal's through\n"
    "                           colours both ways, the bands and the side streets'\n"
    "                           permissive windows over two cycles\n"
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
    "  --report FILE.pdf        also write the one-page report: title block, chart, timing\n"
    "                           inputs and controller worksheet (whole seconds, halves\n"
    "                           to even)\n"
    "                           A FILE of - is standard output (an SVG chart, a PDF report),\n"
    "                           which then holds the drawing instead of the results;\n"
    "                           --chart and --report never name the same file\n"
    "  --help                   print this text\n"
    "  --version                print the version of Tavimo\n"
    "\n"
    "Options may come in any order. The csv form has the header line\n"
    "  position,phase,movement,split,min_green,amber,all_red,force_off,permissive_start,permissive_end,warnings,ring,barrier\n"
    "and one line per position; every value is the text of the window's field, empty\n"
    "where the field is empty; a field holding a comma, a quote or a line break is\n"
    "quoted (RFC 4180). The json form adds the description, cycle length, controller\n"
    "(NEMA TS2 or Type 170), mode (Permissive or Yield) and arrangement (Lead or Lag);\n"
    "its times are JSON numbers, an empty field is null.\n"
    "\n"
    "For a network file every form has one block, line group or object per intersection:\n"
    "the csv header begins with intersection and ends with file_force_off,note,warnings,ring,barrier,\n"
    "and an intersection that cannot be calculated gets its reason instead. An actuated-coordinated\n"
    "plan the eight positions cannot hold (one ring leading, the other lagging; three phases of a\n"
    "ring in a barrier; phases 9 to 16; a third barrier) is calculated phase by phase, ring by ring\n"
    "in running order, its position empty (null in json); --list names the window an import\n"
    "opens it in: form or plan window.\n"
    "\n"
    "For --corridor every form holds the route, its street and cycle, each direction with\n"
    "its band, efficiency (band / cycle) and attainability (band / the shortest through\n"
    "green), and each intersection's offsets. The csv header is\n"
    "  direction,intersection,through_phase,travel_time,distances,speeds,link_times,\n"
    "  referenced_to,file_offset,ts2,last_green,type170,red,flashing_dont_walk,band,\n"
    "  efficiency,attainability,note\n"
    "(one line) with one line per signal of each direction (\"3325-3375\", then back):\n"
    "travel_time is from the direction's first signal, distances, speeds and link_times\n"
    "are those of the links from the previous signal, joined by blanks; band to note\n"
    "repeat the direction's, empty where it has no band, whose reason is the note.\n"
    "Exit status 1 where a direction has no band, 2 for a route the file does not hold\n"
    "or an --offset that is not on it.\n"
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

// Two output paths that end in one file: the same name once made absolute and
// normal, or two names of one existing file (a link, a hard link).
// Options given where they have nothing to act on are refused, the first of them
// named, never silently dropped.
void refuseUnused(std::initializer_list<std::pair<bool, const char*>> options, const std::string& form) {
    for (const auto& [given, name] : options)
        if (given) throw UsageError{std::string(name) + " cannot go with " + form};
}

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

// One reading of the options (the words before "--") and the plain words after it.
// CLI11 reads the words; every option's callback runs as soon as CLI11 has read it,
// so the first fault in the order of the words is the one reported. A fault is thrown
// as the UsageError itself.
class CommandLine {
  public:
    CommandLine(std::vector<std::string> options, std::vector<std::string> plain);
    CalcOptions read();

  private:
    using Value = std::optional<std::string>;  // unset: the command line ended first

    void addValueOption(const std::string& name, std::function<void(const Value&)> take);
    void addFlag(const std::string& name, std::function<void()> take);
    void takeUtdf();
    void takeCorridor(const Value& value);
    void takeOffset(const Value& value);
    void takeExtras();
    void takePlan(const std::string& path);
    void checkTogether() const;
    // How many of the words CLI11 has read so far.
    std::size_t wordsRead() const { return words_.size() - unread_.size(); }

    CLI::App app_{"", "tavimo-calc"};
    std::vector<std::string> words_, plain_;
    std::vector<std::string> unread_;  // last word first, as CLI11 reads and pops them
    std::map<std::string, std::function<void(const Value&)>> valueOptions_;
    std::size_t extrasTaken_ = 0;
    CalcOptions o_;
    bool formatGiven_ = false, planGiven_ = false;
};

CommandLine::CommandLine(std::vector<std::string> options, std::vector<std::string> plain)
    : words_(std::move(options)), plain_(std::move(plain)), unread_(words_.rbegin(), words_.rend()) {
    app_.set_help_flag();  // --help and -h are seen before CLI11 reads anything
    app_.allow_extras();   // the project file and unknown options, kept in order

    addValueOption("--controller", [this](const Value& v) {
        if (o_.controller) throw UsageError{"--controller given twice"};
        if (!v) throw UsageError{"--controller needs nema or 170"};
        if (lower(*v) == "nema") o_.controller = tag::kNema;
        else if (*v == "170") o_.controller = tag::kType170;
        else throw UsageError{"--controller must be nema or 170, not \"" + *v + "\""};
    });
    addValueOption("--mode", [this](const Value& v) {
        if (o_.mode) throw UsageError{"--mode given twice"};
        if (!v) throw UsageError{"--mode needs permissive or yield"};
        if (lower(*v) == "permissive") o_.mode = tag::kPermissive;
        else if (lower(*v) == "yield") o_.mode = tag::kYield;
        else throw UsageError{"--mode must be permissive or yield, not \"" + *v + "\""};
    });
    addValueOption("--format", [this](const Value& v) {
        if (formatGiven_) throw UsageError{"--format given twice"};
        formatGiven_ = true;
        if (!v) throw UsageError{"--format needs table, csv or json"};
        if (lower(*v) == "table") o_.format = OutputFormat::Table;
        else if (lower(*v) == "csv") o_.format = OutputFormat::Csv;
        else if (lower(*v) == "json") o_.format = OutputFormat::Json;
        else throw UsageError{"--format must be table, csv or json, not \"" + *v + "\""};
    });
    for (const bool chart : {true, false}) {
        const std::string name = chart ? "--chart" : "--report";
        addValueOption(name, [this, chart, name](const Value& v) {
            std::optional<std::string>& path = chart ? o_.chartPath : o_.reportPath;
            if (path) throw UsageError{name + " given twice"};
            if (!v || v->empty())
                throw UsageError{name + (chart ? " needs a .svg, .png or .pdf file" : " needs a .pdf file")};
            if (*v != "-") {  // "-" is standard output: an SVG chart, a PDF report
                const std::string ext = lower(std::filesystem::path(*v).extension().string());
                if (chart && ext != ".svg" && ext != ".png" && ext != ".pdf")
                    throw UsageError{"--chart writes .svg, .png or .pdf, not \"" + *v + "\""};
                if (!chart && ext != ".pdf") throw UsageError{"--report writes .pdf, not \"" + *v + "\""};
            }
            path = *v;
        });
    }
    addValueOption("--diagram", [this](const Value& v) {
        if (o_.diagramPath) throw UsageError{"--diagram given twice"};
        const std::string ext = v ? lower(std::filesystem::path(*v).extension().string()) : "";
        if (!v || (ext != ".svg" && ext != ".png" && ext != ".pdf"))
            throw UsageError{"--diagram writes a .svg, .png or .pdf file" + (v ? ", not \"" + *v + "\"" : std::string())};
        o_.diagramPath = *v;
    });
    addValueOption("--intersection", [this](const Value& v) {
        if (!v || v->empty()) throw UsageError{"--intersection needs an INTID"};
        o_.intersections.push_back(*v);
    });
    addValueOption("--corridor", [this](const Value& v) { takeCorridor(v); });
    addValueOption("--offset", [this](const Value& v) { takeOffset(v); });
    addFlag("--strict", [this] { o_.strict = true; });
    addFlag("--list", [this] { o_.list = true; });
    addFlag("--list-corridors", [this] { o_.listCorridors = true; });
    addFlag("--utdf", [this] { takeUtdf(); });
}

void CommandLine::addValueOption(const std::string& name, std::function<void(const Value&)> take) {
    valueOptions_[name] = take;
    const auto callback = [this, name, take](const CLI::results_t& values) {
        takeExtras();
        // The word that gave the option: "--name=value" holds its value, "--name" is
        // followed by it. CLI11 reads "--name=" like "--name" and takes the next word;
        // the value given there is empty.
        const std::size_t read = wordsRead();
        const bool inWord = words_[read - 1] == name + "=" + values.at(0);
        const bool emptyAfterSign = !inWord && read >= 2 && words_[read - 2] == name + "=";
        take(emptyAfterSign ? std::string() : values.at(0));
        return true;
    };
    app_.add_option(name, callback)->expected(1)->trigger_on_parse();
}

void CommandLine::addFlag(const std::string& name, std::function<void()> take) {
    const auto callback = [this, name, take](const CLI::results_t&) {
        takeExtras();
        // CLI11 takes "--strict=yes" for the flag too; only the bare name is one here.
        const std::string& word = words_[wordsRead() - 1];
        if (word != name) throw UsageError{"unknown option " + word};
        take();
        return true;
    };
    app_.add_option(name, callback)->expected(0)->trigger_on_parse();
}

// One path is a network file, three are the TIMING, PHASING and LANES files: the
// words after --utdf up to the next "--" word, which CLI11 has not read yet.
void CommandLine::takeUtdf() {
    if (o_.utdf || o_.network) throw UsageError{"--utdf given twice"};
    std::vector<std::string> paths;
    for (std::size_t i = unread_.size(); paths.size() < 3 && i > 0 && !isOption(unread_[i - 1]); --i)
        paths.push_back(unread_[i - 1]);
    if (paths.size() == 1) o_.network = paths[0];
    else if (paths.size() == 3) o_.utdf = paths;
    else throw UsageError{"--utdf needs one network file, or the TIMING, PHASING and LANES files"};
    unread_.resize(unread_.size() - paths.size());
}

std::string trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return std::string(text);
}

// "3325,3350,3375": the INTIDs of a route in the order driven.
void CommandLine::takeCorridor(const Value& value) {
    if (o_.corridor) throw UsageError{"--corridor given twice"};
    if (!value || value->empty()) throw UsageError{"--corridor needs the INTIDs of a route, separated by commas"};
    std::vector<std::string> ids;
    for (std::size_t from = 0;;) {
        const std::size_t comma = value->find(',', from);
        ids.push_back(trimmed(std::string_view(*value).substr(from, comma - from)));
        if (ids.back().empty()) throw UsageError{"--corridor \"" + *value + "\" has an empty INTID"};
        if (comma == std::string::npos) break;
        from = comma + 1;
    }
    if (ids.size() < 2) throw UsageError{"--corridor needs two intersections or more, not \"" + *value + "\""};
    o_.corridor = std::move(ids);
}

// "3325=12": an intersection's new offset, in seconds. Whether it is on the route and
// below its cycle is known once the file is read.
void CommandLine::takeOffset(const Value& value) {
    if (!value || value->empty()) throw UsageError{"--offset needs ID=SECONDS"};
    const std::size_t sign = value->find('=');
    const std::string id = trimmed(std::string_view(*value).substr(0, sign));
    if (sign == std::string::npos || id.empty()) throw UsageError{"--offset needs ID=SECONDS, not \"" + *value + "\""};
    const std::string text = value->substr(sign + 1);
    const std::optional<float> seconds = parseNumber(text);
    if (!seconds || !isTimeInRange(*seconds))
        throw UsageError{"--offset " + *value + ": \"" + text + "\" is not a number of seconds"};
    if (*seconds < 0) throw UsageError{"--offset " + *value + ": an offset is never negative"};
    o_.offsets.push_back({id, *seconds});
}

// The words CLI11 has no option for, in their order: the project file, or an
// unknown option (CLI11 would take "-1" or "---x" for a plain word).
void CommandLine::takeExtras() {
    const std::vector<std::string> extras = app_.remaining();
    for (; extrasTaken_ < extras.size(); ++extrasTaken_) {
        const std::string& word = extras[extrasTaken_];
        if (word.size() > 1 && word[0] == '-') throw UsageError{"unknown option " + word};
        takePlan(word);
    }
}

void CommandLine::takePlan(const std::string& path) {
    if (planGiven_) throw UsageError{"more than one project file given"};
    planGiven_ = true;
    o_.planPath = path;
}

CalcOptions CommandLine::read() {
    try {
        app_.parse(unread_);
    } catch (const CLI::ArgumentMismatch& e) {
        // The last word is an option whose value never came ("--mode" at the end).
        takeExtras();
        const std::string& last = words_.back();
        const std::size_t sign = last.find('=');
        const auto option = valueOptions_.find(last.substr(0, sign));
        if (option == valueOptions_.end()) throw UsageError{e.what()};
        option->second(sign == std::string::npos ? Value() : Value(std::string()));
    } catch (const CLI::ParseError& e) {
        throw UsageError{e.what()};  // not met with these options; never a crash
    }
    takeExtras();
    for (const std::string& word : plain_) takePlan(word);
    checkTogether();
    return o_;
}

// What each option allows alone may still not go together.
void CommandLine::checkTogether() const {
    const CalcOptions& o = o_;
    if ((o.utdf || o.network) && planGiven_) throw UsageError{"give either a project file or --utdf, not both"};
    if (!o.utdf && !o.network && !planGiven_) throw UsageError{"no project file given"};
    if (!o.network && (o.list || !o.intersections.empty()))
        throw UsageError{std::string(o.list ? "--list" : "--intersection") + " needs --utdf with a network file"};
    if (o.corridor) {
        if (!o.network) throw UsageError{"--corridor needs --utdf with a network file"};
        // A route's bands come from the file's timing as it stands: nothing of a
        // window's calculation, nor another listing, goes with them.
        refuseUnused({{o.list, "--list"},
                      {!o.intersections.empty(), "--intersection"},
                      {o.listCorridors, "--list-corridors"},
                      {o.chartPath.has_value(), "--chart"},
                      {o.reportPath.has_value(), "--report"},
                      {o.strict, "--strict"},
                      {o.controller.has_value(), "--controller"},
                      {o.mode.has_value(), "--mode"}},
                     "--corridor, which calculates no signal's window");
    }
    if (!o.offsets.empty() && !o.corridor) throw UsageError{"--offset needs --corridor"};
    if (o.diagramPath && !o.corridor) throw UsageError{"--diagram needs --corridor"};
    if (o.list) {
        // The list calculates nothing: an option that would change a calculation or
        // write its files has nothing to act on, and is not silently dropped.
        refuseUnused({{o.chartPath.has_value(), "--chart"},
                      {o.reportPath.has_value(), "--report"},
                      {o.strict, "--strict"},
                      {o.controller.has_value(), "--controller"},
                      {o.mode.has_value(), "--mode"}},
                     "--list, which calculates nothing");
    }
    if (o.listCorridors) {
        if (!o.network) throw UsageError{"--list-corridors needs --utdf with a network file"};
        refuseUnused({{o.list, "--list"},
                      {!o.intersections.empty(), "--intersection"},
                      {o.chartPath.has_value(), "--chart"},
                      {o.reportPath.has_value(), "--report"},
                      {o.strict, "--strict"},
                      {o.controller.has_value(), "--controller"},
                      {o.mode.has_value(), "--mode"}},
                     "--list-corridors, which calculates nothing");
    }
    if (o.chartPath && o.reportPath && samePlace(*o.chartPath, *o.reportPath))
        throw UsageError{"--chart and --report name the same file \"" + *o.reportPath + "\""};
    if (o.chartPath == std::optional<std::string>("-") && o.network && o.intersections.size() != 1)
        throw UsageError{"--chart - writes one chart: choose one --intersection of the network file"};
}

}  // namespace

bool drawsToStandardOutput(const CalcOptions& options) {
    return options.chartPath == std::optional<std::string>("-") || options.reportPath == std::optional<std::string>("-");
}

std::variant<CalcOptions, UsageError> parseCalcOptions(const std::vector<std::string>& args) {
    // "--" ends the options: what follows is a project file even if it begins with "-".
    const auto end = std::find(args.begin(), args.end(), "--");
    // Help and version win wherever they stand among the options, even as a value.
    CalcOptions o;
    if (std::find_if(args.begin(), end, [](const std::string& a) { return a == "--help" || a == "-h"; }) != end) {
        o.help = true;
        return o;
    }
    if (std::find(args.begin(), end, "--version") != end) {
        o.version = true;
        return o;
    }
    try {
        return CommandLine({args.begin(), end}, {end == args.end() ? end : end + 1, args.end()}).read();
    } catch (const UsageError& error) {
        return error;
    }
}

}  // namespace tavimo::cli
