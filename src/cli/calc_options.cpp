// SPDX-License-Identifier: MIT
#include "cli/calc_options.h"

#include <algorithm>
#include <cctype>

#include "model/signal_plan.h"

namespace tavimo::cli {

const char* const kUsage =
    "Usage: tavimo-calc [--controller nema|170] [--mode permissive|yield] [--format table|csv|json] PLAN.tvm\n"
    "   or: tavimo-calc --utdf TIMING PHASING LANES [--controller nema|170] [--mode permissive|yield] [--format table|csv|json]\n";

const char* const kHelp =
    "Calculates force-offs and permissive windows of one signal, as the timing window's\n"
    "\"Calculate\" does, and prints what the window then shows for positions 1 to 8.\n"
    "\n"
    "  PLAN.tvm                 a project file saved by Tavimo\n"
    "  --utdf TIMING PHASING LANES\n"
    "                           import the signal from Synchro's UTDF files (.dat or .csv)\n"
    "  --controller nema|170    NEMA TS2 or Type 170 local-time reference\n"
    "                           (default: the project file's; NEMA TS2 for an import)\n"
    "  --mode permissive|yield  Permissive or Yield mode\n"
    "                           (default: the project file's; Permissive for an import)\n"
    "  --format table|csv|json  table for reading (default), csv or json for programs\n"
    "  --help                   print this text\n"
    "  --version                print the version of Tavimo\n"
    "\n"
    "Options may come in any order. The csv form has the header line\n"
    "  position,phase,movement,split,min_green,amber,all_red,force_off,permissive_start,permissive_end\n"
    "and one line per position; every value is the text of the window's field, empty\n"
    "where the field is empty. The json form adds the description, cycle length,\n"
    "controller (Nema or one70), mode (Permissive or Yield) and arrangement (Lead or Lag).\n"
    "\n"
    "Exit status:\n"
    "  0  results printed\n"
    "  1  the plan failed a check; the window's message is printed on standard error\n"
    "  2  usage error, or a file that cannot be read or is not a valid signal\n"
    "  3  the calculation stopped without a message (no split in either ring); the\n"
    "     reason is printed on standard error\n";

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// "--name value" or "--name=value"; advances i past what it takes.
std::optional<std::string> optionValue(const std::vector<std::string>& args, std::size_t& i,
                                       const std::string& name) {
    const std::string& arg = args[i];
    if (arg.size() > name.size() && arg.compare(0, name.size() + 1, name + "=") == 0)
        return arg.substr(name.size() + 1);
    if (i + 1 >= args.size()) return std::nullopt;
    return args[++i];
}

}  // namespace

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
        } else if (arg == "--utdf") {
            if (o.utdf) return UsageError{"--utdf given twice"};
            if (i + 3 >= args.size()) return UsageError{"--utdf needs the TIMING, PHASING and LANES files"};
            o.utdf = std::vector<std::string>(args.begin() + i + 1, args.begin() + i + 4);
            i += 3;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError{"unknown option " + arg};
        } else {
            if (planGiven) return UsageError{"more than one project file given"};
            planGiven = true;
            o.planPath = arg;
        }
    }
    if (o.utdf && planGiven) return UsageError{"give either a project file or --utdf, not both"};
    if (!o.utdf && !planGiven) return UsageError{"no project file given"};
    return o;
}

}  // namespace tavimo::cli
