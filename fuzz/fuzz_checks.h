// SPDX-License-Identifier: MIT
// What each fuzz target demands of the code on one input, shared with the test that
// replays the inputs kept in tests/data/fuzz/<target>/. Each check returns nothing
// when the input is handled soundly, else what went wrong.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <csv.h>
#include <nlohmann/json.hpp>

#include "calc/calculation.h"
#include "calc/coordination.h"
#include "calc/window_calculation.h"
#include "cli/calc_options.h"
#include "calc/plan_calculation.h"
#include "calc/time_space.h"
#include "io/plan_project.h"
#include "io/project_file.h"
#include "io/project_read.h"
#include "io/signal_arrival.h"
#include "io/utdf_import.h"
#include "io/utdf_readers.h"
#include "io/network_corridor.h"
#include "io/network_signal.h"
#include "io/utdf_network.h"
#include "io/windows1252.h"
#include "model/number_text.h"
#include "model/window_state.h"
#include "output/results_forms.h"
#include "output/results_table.h"

namespace tavimo::fuzz {

using Broken = std::optional<std::string>;

// A UTDF reader's fuzz input: the first byte picks the form (odd: comma-separated),
// the rest is the file's text.
struct UtdfInput {
    UtdfForm form;
    std::string_view text;
};

inline UtdfInput utdfInput(std::string_view input) {
    return {!input.empty() && (input[0] & 1) ? UtdfForm::CommaSeparated : UtdfForm::FixedColumns,
            input.empty() ? input : input.substr(1)};
}

// Stand-ins for the two files a reader's check does not fuzz: long enough that
// their own checks pass, so the fuzzed file's are reached.
inline const std::string kTwelveLines = "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\nPhase1,1,1,2,3,4,5,6,7,8\r\n";

// ---- Project file ----

inline bool sameValues(const ProjectValues& a, const ProjectValues& b) {
    return a.movements == b.movements && a.splits == b.splits && a.minGreens == b.minGreens &&
           a.ambers == b.ambers && a.reds == b.reds && a.order == b.order && a.cycleLength == b.cycleLength &&
           a.arrangement == b.arrangement && a.controller == b.controller && a.mode == b.mode &&
           a.description == b.description;
}

// Cut into values, checked, opened into a window when valid; written back and read
// again, the values must not change.
inline Broken checkProjectFile(std::string_view bytes) {
    // Every byte of the code page reads and writes back unchanged.
    const std::string text = fromWindows1252(bytes);
    const auto back = toWindows1252(text);
    if (!back || *back != bytes) return "Windows-1252 text does not write back byte for byte";

    if (const auto why = notAProjectFile(bytes); why && why->empty()) return "a refusal without a reason";
    const ProjectValues values = parseProject(text);
    // Values never hold a comma or a line end, so a written file reads back whole.
    if (!sameValues(parseProject(formatProject(values)), values)) return "written values read back changed";

    if (validateProject(values)) return std::nullopt;
    WindowState state = std::get<WindowState>(openedSignal(values, "fuzz.tvm"));
    projectValuesOf(state.plan, false);
    projectValuesOf(state.plan, true);
    return std::nullopt;
}

// ---- Project file of any plan ----

// Refused with a reason, or read whole: written again it reads back equal and gives
// the same text, and each signal calculates without a time that is not finite.
inline Broken checkPlanProject(std::string_view text) {
    auto read = parsePlanProject(text);
    if (const auto* why = std::get_if<std::string>(&read)) return why->empty() ? Broken("a refusal without a reason") : std::nullopt;
    const PlanProject& project = std::get<PlanProject>(read);
    const std::string written = formatPlanProject(project);
    auto back = parsePlanProject(written);
    if (const auto* why = std::get_if<std::string>(&back)) return "a written project is refused: " + *why;
    const PlanProject& again = std::get<PlanProject>(back);
    if (again.intersections.size() != project.intersections.size()) return "intersections lost on reading back";
    for (std::size_t i = 0; i < again.intersections.size(); ++i)
        if (!(again.intersections[i] == project.intersections[i])) return "intersection " + std::to_string(i) + " read back changed";
    if (!(again.corridors == project.corridors)) return "a corridor read back changed";
    if (formatPlanProject(again) != written) return "written twice, the texts differ";
    for (const ProjectCorridor& c : project.corridors) {
        const TimeSpaceDiagram d = timeSpaceDiagram(Corridor{c.street, c.there, c.back, {}});
        if (d.signals.size() != c.there.signals.size()) return "a corridor's diagram lost a signal";
    }
    for (const ProjectIntersection& x : project.intersections)
        for (const PlanPhaseResult& r : calculatePlan(x.signal).phases)
            if (!std::isfinite(r.forceOff)) return "phase " + std::to_string(r.number) + " forces off at no finite time";
    return std::nullopt;
}

// ---- UTDF readers ----

// A read that succeeds always carries a finite cycle length (exponent forms such as
// 6E+13 come from absurd files, which the import check refuses) and a mark of at
// most one character.
inline Broken checkUtdfTiming(std::string_view input) {
    if (input.empty()) return std::nullopt;
    const auto [form, text] = utdfInput(input);
    UtdfImport values;
    if (auto error = parseTiming(text, form, "TIMING", values))
        return error->message.empty() ? Broken("a TIMING failure without a message") : std::nullopt;
    const std::string& cycle = values.cycleLength;
    if (isBlank(cycle) || cycle.find_first_of("nNiI") != std::string::npos || values.leadLagMark.size() > 1)
        return "cycle length \"" + cycle + "\" or lead-lag mark \"" + values.leadLagMark + "\"";
    if (auto error = checkImport(values, kTwelveLines, kTwelveLines, UtdfForm::CommaSeparated, "T", "P", "L");
        error && error->message.empty())
        return "an import refusal without a message";
    WindowState state = importedSignal(values, "Nema", "Permissive");
    return std::nullopt;
}

inline Broken checkUtdfPhasing(std::string_view input) {
    if (input.empty()) return std::nullopt;
    const auto [form, text] = utdfInput(input);
    UtdfImport values;
    if (auto error = parsePhasing(text, form, "PHASING", values))
        return error->message.empty() ? Broken("a PHASING failure without a message") : std::nullopt;
    // Fixed columns give at most three characters a value.
    if (form == UtdfForm::FixedColumns)
        for (const auto* texts : {&values.green, &values.amber, &values.red})
            for (const std::string& t : *texts)
                if (t.size() > 3) return "a fixed-column value \"" + t + "\" longer than its three columns";
    values.split.fill("10");
    values.cycleLength = "80";
    if (auto error = checkImport(values, text, kTwelveLines, UtdfForm::CommaSeparated, "T", "P", "L");
        error && error->message.empty())
        return "an import refusal without a message";
    WindowState state = importedSignal(values, "one70", "Yield");
    return std::nullopt;
}

inline Broken checkUtdfLanes(std::string_view input) {
    if (input.empty()) return std::nullopt;
    const auto [form, text] = utdfInput(input);
    UtdfImport values;
    // Every direction the LANES reader takes is at most two characters.
    parseLanes(text, form, values);
    for (const std::string& direction : values.direction)
        if (direction.size() > 2) return "direction \"" + direction + "\" longer than two letters";
    values.split.fill("10");
    values.cycleLength = "80";
    if (auto error = checkImport(values, kTwelveLines, text, form, "T", "P", "L"); error && error->message.empty())
        return "an import refusal without a message";
    for (const char* mark : {"1", "2"}) {
        values.leadLagMark = mark;
        WindowState state = importedSignal(values, "Nema", "Yield");
        // Every selected movement is an entry of its position's list.
        for (const Position& at : state.plan.positions)
            if (at.movementIndex >= static_cast<int>(at.movementList.size())) return "a movement outside its list";
    }
    return std::nullopt;
}

// ---- Calculation ----
// "Calculate" on plans made from fuzz bytes. The input is laid out like a project
// file, so the .tvm files of the tests seed it:
//   line 1 movements (a position with a movement has its split field enabled),
//   lines 2-5 splits, minimum greens, ambers, all-reds, line 6 the phase order,
//   line 7 cycle length, arrangement, controller, mode,
//   lines 8-10 (optional) force-off, permissive start and end texts before the run.
// Each line's first value is skipped as its keyword; values are cut at commas.

inline std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start <= text.size() && lines.size() < 10) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++start;
    }
    lines.resize(10);
    return lines;
}

template <std::size_t N>
std::array<std::string, N> valuesOf(std::string_view line) {
    std::array<std::string, N> values;
    std::size_t start = line.find(',');
    if (start == std::string_view::npos) return values;
    ++start;
    for (std::size_t i = 0; i < N && start <= line.size(); ++i) {
        std::size_t end = line.find(',', start);
        if (end == std::string_view::npos) end = line.size();
        values[i] = std::string(line.substr(start, end - start));
        start = end + 1;
    }
    return values;
}

// A result the run writes is a number or nothing; "nan" or "inf" on a controller
// sheet would be a wrong result, not a message. Texts the run keeps are the input's.
inline bool usableResult(const std::string& before, const std::string& after) {
    if (after == before) return true;
    std::string lower;
    for (char c : after) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower.find("nan") == std::string::npos && lower.find("inf") == std::string::npos;
}

// The whole three-file read: the first byte picks each file's form (bit 0 TIMING,
// bit 1 PHASING, bit 2 LANES; set: comma-separated), the rest is the TIMING, PHASING
// and LANES texts one after another, each ended by a line "=====".
inline constexpr std::string_view kFileEnd = "\n=====\n";

inline Broken checkUtdfFiles(std::string_view input) {
    if (input.empty()) return std::nullopt;
    const auto forms = static_cast<unsigned char>(input[0]);
    std::string_view rest = input.substr(1);
    std::string_view texts[3];
    for (std::string_view& text : texts) {
        const std::size_t end = rest.find(kFileEnd);
        text = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + kFileEnd.size());
    }
    const auto path = [forms](int bit, const char* kind) {
        return std::string(kind) + ((forms >> bit) & 1 ? ".csv" : ".dat");
    };
    auto read = parseUtdfFiles({texts[0], texts[1], texts[2]}, path(0, "TIMING"), path(1, "PHASING"), path(2, "LANES"));
    if (const auto* error = std::get_if<UtdfError>(&read))
        return error->message.empty() ? Broken("a refused import without a message") : std::nullopt;
    // What the import lets through for a phase with a split is a number below 100000
    // or blank (the times of a phase without one are never calculated), and a window
    // built from it calculates to numbers.
    const UtdfImport& values = std::get<UtdfImport>(read);
    for (int k = 0; k < 8; ++k) {
        if (isBlank(values.split[static_cast<std::size_t>(k)])) continue;
        for (const auto* times : {&values.split, &values.green, &values.amber, &values.red}) {
            const std::string& t = (*times)[static_cast<std::size_t>(k)];
            if (!isBlank(t) && (!parseNumber(t) || !(std::fabs(*parseNumber(t)) < 100000)))
                return "an imported time at position " + std::to_string(k + 1) + " is not a number below 100000";
        }
    }
    for (const char* controller : {"Nema", "one70"}) {
        WindowState state = importedSignal(values, controller, "Yield");
        const CheckedRun run = calculateAndCheckWindow(state);
        for (const Position& at : state.plan.positions)
            if (!usableResult("", at.force) || !usableResult("", at.pps) || !usableResult("", at.ppe))
                return "an imported plan shows \"" + at.force + "\", \"" + at.pps + "\", \"" + at.ppe + "\"";
        for (const TimingWarning& w : run.warnings)
            if (w.text.empty()) return std::string("a warning without a text");
    }
    return std::nullopt;
}

// A NaN width is the same NaN on both runs, though it never compares equal.
inline bool sameNumber(float a, float b) { return a == b || (std::isnan(a) && std::isnan(b)); }

template <std::size_t N>
bool sameBoxes(const std::array<Box, N>& a, const std::array<Box, N>& b) {
    for (std::size_t i = 0; i < N; ++i)
        if (!sameNumber(a[i].left, b[i].left) || !sameNumber(a[i].top, b[i].top) ||
            !sameNumber(a[i].width, b[i].width) || !sameNumber(a[i].height, b[i].height) ||
            a[i].visible != b[i].visible)
            return false;
    return true;
}

inline Broken checkCalculation(std::string_view input) {
    const auto lines = linesOf(input);
    CalcInput in;
    const auto movements = valuesOf<8>(lines[0]);
    for (int k = 0; k < 8; ++k) in.splitEnabled[k] = !movements[k].empty();
    in.split = valuesOf<8>(lines[1]);
    in.green = valuesOf<8>(lines[2]);
    in.amber = valuesOf<8>(lines[3]);
    in.red = valuesOf<8>(lines[4]);
    in.phase = valuesOf<8>(lines[5]);
    const auto misc = valuesOf<4>(lines[6]);
    in.cycleLength = misc[0];
    in.arrangement = misc[1];
    in.controller = misc[2];
    in.mode = misc[3];
    in.force = valuesOf<8>(lines[7]);
    in.pps = valuesOf<8>(lines[8]);
    in.ppe = valuesOf<8>(lines[9]);
    in.chart = ChartLayout::designed();
    if (in.arrangement == tag::kLag) applyLagWindowLayout(in.chart);

    const CalcOutcome out = calculate(in);
    // The calculation keeps nothing between runs.
    const CalcOutcome again = calculate(in);
    if (again.stop != out.stop || again.force != out.force || again.pps != out.pps || again.ppe != out.ppe ||
        !sameBoxes(again.chart.windows, out.chart.windows))
        return "two runs of the same plan differ";
    if (out.stop == CalcStop::Completed)
        for (int k = 0; k < 8; ++k)
            if (!usableResult(in.force[k], out.force[k]) || !usableResult(in.pps[k], out.pps[k]) ||
                !usableResult(in.ppe[k], out.ppe[k]))
                return "position " + std::to_string(k + 1) + " shows \"" + out.force[k] + "\", \"" + out.pps[k] +
                       "\", \"" + out.ppe[k] + "\"";
    return std::nullopt;
}

// The whole-network reader on any text: every intersection it reads is placed,
// imported, calculated and compared with the file, as tavimo-calc does.
inline Broken checkNetworkUtdf(std::string_view text) {
    auto parsed = parseUtdfNetwork(text, "network.csv");
    if (const auto* error = std::get_if<UtdfError>(&parsed))
        return error->message.empty() ? Broken("a refused network file without a message") : std::nullopt;
    for (const NetworkIntersection& x : std::get<UtdfNetwork>(parsed).intersections) {
        if (networkDescription(x).empty()) return "intersection " + x.id + " without a description";
        const NetworkStanding standing = standingOf(x);
        auto imported = networkSignal(standing, defaultControllerOf(x), tag::kPermissive);
        if (const auto* reason = std::get_if<std::string>(&imported)) {
            if (reason->empty()) return "intersection " + x.id + " refused without a reason";
            continue;
        }
        WindowState& state = std::get<WindowState>(imported);
        // Every placed phase stands at one position only, with its timing fields enabled.
        int seen[17] = {};
        for (const Position& at : state.plan.positions) {
            const int n = phaseNumber(at.phase);
            if (n && (++seen[n] > 1 || !at.timingEnabled)) return "phase " + at.phase + " placed twice or disabled";
            if (at.movementIndex >= static_cast<int>(at.movementList.size())) return "a movement beyond its list";
        }
        // Every placed split is a part of the cycle.
        const float cycle = parseNumber(state.plan.cycleLength).value_or(0);
        for (const Position& at : state.plan.positions)
            if (!at.split.empty() && !(parseNumber(at.split).value_or(0) > 0 && *parseNumber(at.split) <= cycle))
                return "phase " + at.phase + " placed with the split " + at.split + " in a cycle of " +
                       state.plan.cycleLength;
        const CalcOutcome outcome = calculateWindow(state);
        const NetworkVerdict verdict = verdictOf(standing, runFailure(outcome), forceOffsOf(outcome),
                                                 state.plan.controller == tag::kType170);
        if (verdict.note.empty()) return "intersection " + x.id + " without a verdict";
    }
    // Every corridor found is driven both ways or refused with a reason; a band lies
    // within the cycle, and no band comes without its reason.
    const UtdfNetwork& network = std::get<UtdfNetwork>(parsed);
    for (NetworkCorridor corridor : findCorridors(network))
        for (int way = 0; way < 2; ++way, std::reverse(corridor.signals.begin(), corridor.signals.end())) {
            auto route = corridorRoute(network, corridor.signals);
            if (const auto* reason = std::get_if<std::string>(&route)) {
                if (reason->empty()) return "corridor " + corridor.street + " refused without a reason";
                continue;
            }
            const CorridorRoute& driven = std::get<CorridorRoute>(route);
            const Band band = progressionAlong(driven).band;
            if (!band.seconds && band.reason.empty()) return "corridor " + corridor.street + ": no band, no reason";
            const double cycle = driven.signals.front().plan ? driven.signals.front().plan->cycle : 0;
            if (band.seconds && !(*band.seconds >= 0 && *band.seconds <= cycle))
                return "corridor " + corridor.street + ": a band of " + std::to_string(*band.seconds) + " s";
        }
    return std::nullopt;
}

// ---- The calculator's arguments ----
// Any command line, one argument a line: the parser either refuses it with a reason
// or gives options a run can honour whole, none of them silently dropped.
inline Broken checkCalcArguments(std::string_view input) {
    std::vector<std::string> args;
    std::size_t start = 0;
    while (start <= input.size() && args.size() < 24) {
        std::size_t end = input.find('\n', start);
        if (end == std::string_view::npos) end = input.size();
        args.emplace_back(input.substr(start, end - start));
        start = end + 1;
    }
    const auto parsed = cli::parseCalcOptions(args);
    if (const auto* usage = std::get_if<cli::UsageError>(&parsed))
        return usage->message.empty() ? Broken("a usage error without a message") : std::nullopt;
    const cli::CalcOptions& o = std::get<cli::CalcOptions>(parsed);
    if (o.help || o.version) return std::nullopt;
    // A project file, the three UTDF files or a network file: never two of them.
    if (o.utdf && o.network) return "a run of two UTDF sources";
    if ((o.utdf || o.network) && !o.planPath.empty()) return "a run of a project and a UTDF source";
    if (o.utdf && o.utdf->size() != 3) return "--utdf with " + std::to_string(o.utdf->size()) + " files";
    if ((o.list || !o.intersections.empty()) && !o.network) return "--list or --intersection without a network";
    if (o.list && (o.chartPath || o.reportPath || o.strict || o.controller || o.mode))
        return "an option --list drops";
    if (o.listCorridors && (!o.network || o.list || !o.intersections.empty() || o.chartPath || o.reportPath ||
                            o.strict || o.controller || o.mode))
        return "--list-corridors without a network, or with an option it drops";
    if (o.corridor && (!o.network || o.list || !o.intersections.empty() || o.listCorridors || o.chartPath ||
                       o.reportPath || o.strict || o.controller || o.mode))
        return "--corridor without a network, or with an option it drops";
    if (o.corridor && (o.corridor->size() < 2 ||
                       std::any_of(o.corridor->begin(), o.corridor->end(), [](const std::string& id) { return id.empty(); })))
        return "a --corridor of fewer than two INTIDs or with an empty one";
    if (!o.offsets.empty() && !o.corridor) return "--offset without --corridor";
    for (const auto& [id, seconds] : o.offsets)
        if (id.empty() || !(seconds >= 0 && seconds < 1e5)) return "an --offset without an INTID or a time";
    if (o.chartPath && o.reportPath && *o.chartPath == *o.reportPath) return "chart and report on one path";
    if (o.controller && *o.controller != tag::kNema && *o.controller != tag::kType170) return "controller " + *o.controller;
    if (o.mode && *o.mode != tag::kPermissive && *o.mode != tag::kYield) return "mode " + *o.mode;
    for (const auto* path : {&o.chartPath, &o.reportPath})
        if (*path && path->value().empty()) return "an empty output path";
    return std::nullopt;
}

// ---- The result writers ----
// The text table, the csv and the json of any plan: the plan is a project file's
// text, opened and calculated as far as it goes; then line 8, cut at '|' ("\n" read
// as a line break), puts any texts into the description and the fields of each
// position in turn (comma, quote and control characters included). Each form must
// read back by a real reader as exactly what the window shows.

// The records of a csv text read by libcsv in strict mode, spaces kept; nothing when
// it is not well-formed RFC 4180.
inline std::optional<std::vector<std::vector<std::string>>> csvRecords(const std::string& text) {
    struct Reading {
        std::vector<std::vector<std::string>> records{{}};
    } reading;
    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) return std::nullopt;
    csv_set_space_func(&parser, [](unsigned char) { return 0; });
    const auto field = [](void* bytes, std::size_t size, void* data) {
        static_cast<Reading*>(data)->records.back().emplace_back(static_cast<const char*>(bytes), size);
    };
    const auto record = [](int, void* data) { static_cast<Reading*>(data)->records.emplace_back(); };
    const bool whole = csv_parse(&parser, text.data(), text.size(), field, record, &reading) == text.size() &&
                       csv_fini(&parser, field, record, &reading) == 0;
    csv_free(&parser);
    if (!whole) return std::nullopt;
    reading.records.pop_back();  // the one opened after the last line end
    return reading.records;
}

inline std::string withLineBreaks(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

inline Broken checkResultWriters(std::string_view input) {
    WindowState state = WindowState::fresh();
    auto opened = openedSignal(parseProject(fromWindows1252(input)), "fuzz.tvm");
    if (auto* signal = std::get_if<WindowState>(&opened)) state = std::move(*signal);
    const CheckedRun run = calculateAndCheckWindow(state);

    const std::string_view texts = linesOf(input)[7];
    std::size_t at = 0;
    std::vector<std::string> pieces;
    while (at <= texts.size() && pieces.size() < 1 + 8 * 9) {
        std::size_t end = texts.find('|', at);
        if (end == std::string_view::npos) end = texts.size();
        pieces.push_back(withLineBreaks(texts.substr(at, end - at)));
        at = end + 1;
    }
    if (!texts.empty()) state.plan.description = pieces[0];
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        Position& p = state.plan.at(static_cast<int>((i - 1) / 9) + 1);
        std::string* fields[] = {&p.phase, &p.split, &p.green, &p.amber, &p.red, &p.force, &p.pps, &p.ppe, &p.walk};
        *fields[(i - 1) % 9] = pieces[i];
    }

    std::ostringstream csv;
    printCsv(state, csv, run.warnings);
    const auto records = csvRecords(csv.str());
    if (!records) return "the csv is not well-formed:\n" + csv.str();
    if (records->size() != 1 + kPositions) return "the csv holds " + std::to_string(records->size()) + " records";
    for (int k = 1; k <= kPositions; ++k) {
        const std::vector<std::string>& record = (*records)[static_cast<std::size_t>(k)];
        // The fields, the warnings, the ring and the barrier.
        if (record.size() != kFields + 3) return "a csv record of " + std::to_string(record.size()) + " fields";
        if (record[std::size_t{kFields} + 1] != std::to_string(ringOfPosition(k)) ||
            record[std::size_t{kFields} + 2] != std::to_string(barrierOfPosition(k)))
            return "the ring or barrier of position " + std::to_string(k) + " reads back changed";
        const auto column = columnOf(state.plan, k);
        for (int f = 0; f < kFields; ++f)
            if (record[static_cast<std::size_t>(f)] != column[static_cast<std::size_t>(f)])
                return "csv field " + std::string(kCsvNames[f]) + " of position " + std::to_string(k) + " reads back changed";
    }

    std::ostringstream json;
    printJson(signalJson(state, nullptr, &run.warnings), json);
    nlohmann::json read;
    try {
        read = nlohmann::json::parse(json.str());
    } catch (const nlohmann::json::exception& e) {
        return std::string("the json does not parse: ") + e.what();
    }
    if (!read["positions"].is_array() || read["positions"].size() != kPositions) return "json without eight positions";
    for (int k = 1; k <= kPositions; ++k) {
        const auto column = columnOf(state.plan, k);
        const nlohmann::json& split = read["positions"][static_cast<std::size_t>(k - 1)]["split"];
        const std::string& text = column[3];
        if (text.empty() != split.is_null()) return "a json split that is null where the field is not empty";
        if (split.is_number() && split.get<double>() != std::strtod(text.c_str(), nullptr))
            return "json split " + split.dump() + " for the text \"" + text + "\"";
    }

    std::ostringstream table;
    printTable(state, table);
    int lines = 0;
    for (char c : table.str()) {
        if (c == '\n') ++lines;
        else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return "a control character in the table";
    }
    if (lines != 16) return "a table of " + std::to_string(lines) + " lines";
    resultsTable(state);
    return std::nullopt;
}

}  // namespace tavimo::fuzz
