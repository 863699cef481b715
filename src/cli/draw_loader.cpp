// SPDX-License-Identifier: MIT
#include <dlfcn.h>
#include <elf.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "calc/local_time.h"
#include "calc/plan_chart.h"
#include "output/plan_worksheet.h"
#include "output/offset_results.h"
#include "output/worksheet.h"
#include "cli/draw_interface.h"
#include "cli/draw_request.h"
#include "io/atomic_file.h"

namespace tavimo::cli {

namespace {

namespace fs = std::filesystem;

// Drawing needs Qt's GUI module, whose start-up alone costs more than a whole plain
// calculation; it lives in a library opened only when a chart or report is asked for.
std::vector<fs::path> libraryPlaces() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return {kDrawLibraryName};
    const fs::path dir = self.parent_path();
    return {dir / kDrawLibraryName, dir.parent_path() / "lib" / "tavimo" / kDrawLibraryName};
}

// The loader maps a library's segments as its headers describe them; a file cut short
// (a copy that did not finish) would fault at the first touch of a missing page
// instead of failing to load. The reason when the file is no whole 64-bit ELF object.
std::string notWholeLibrary(const fs::path& place) {
    std::ifstream in(place, std::ios::binary);
    std::error_code ec;
    const auto size = fs::file_size(place, ec);
    Elf64_Ehdr header{};
    if (ec || !in.read(reinterpret_cast<char*>(&header), sizeof header) ||
        std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64)
        return "it is not a shared library";
    const auto within = [size](std::uint64_t offset, std::uint64_t length) {
        return offset <= size && length <= size - offset;
    };
    if (header.e_phentsize != sizeof(Elf64_Phdr) ||
        !within(header.e_phoff, std::uint64_t{header.e_phnum} * sizeof(Elf64_Phdr)) ||
        (header.e_shnum != 0 && !within(header.e_shoff, std::uint64_t{header.e_shnum} * header.e_shentsize)))
        return "it is cut short";
    in.seekg(static_cast<std::streamoff>(header.e_phoff));
    for (int i = 0; i < header.e_phnum; ++i) {
        Elf64_Phdr segment{};
        if (!in.read(reinterpret_cast<char*>(&segment), sizeof segment)) return "it is cut short";
        if (!within(segment.p_offset, segment.p_filesz)) return "it is cut short";
    }
    return {};
}

struct Library {
    tavimo_draw_entry entry = nullptr;
    std::string failure;
};

Library openLibrary() {
    std::string tried;
    for (const fs::path& place : libraryPlaces()) {
        std::error_code ec;
        if (!fs::exists(place, ec)) {
            tried += (tried.empty() ? "" : ", ") + place.string();
            continue;
        }
        const std::string name = "the drawing library " + place.string();
        if (const std::string why = notWholeLibrary(place); !why.empty()) return {nullptr, name + " cannot be used: " + why};
        // Kept loaded: Qt registers itself with the process on first use.
        void* library = dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!library) return {nullptr, name + " cannot be loaded: " + dlerror()};
        auto version = reinterpret_cast<tavimo_draw_version_entry>(dlsym(library, TAVIMO_DRAW_VERSION_ENTRY));
        if (!version)
            return {nullptr, name + " is not one of this Tavimo (it tells no interface version); reinstall Tavimo"};
        if (const unsigned v = version(); v != TAVIMO_DRAW_INTERFACE_VERSION)
            return {nullptr, name + " has interface version " + std::to_string(v) + ", tavimo-calc needs version " +
                                 std::to_string(TAVIMO_DRAW_INTERFACE_VERSION) + "; reinstall Tavimo"};
        auto entry = reinterpret_cast<tavimo_draw_entry>(dlsym(library, TAVIMO_DRAW_ENTRY));
        if (!entry) return {nullptr, name + " has no entry " TAVIMO_DRAW_ENTRY "; reinstall Tavimo"};
        return {entry, {}};
    }
    return {nullptr, "charts and reports need the drawing library, not found at " + tried};
}

tavimo_draw_box boxOf(const Box& b) { return {b.left, b.top, b.width, b.height, b.visible ? 1 : 0}; }
tavimo_draw_line lineOf(const VLine& l) { return {l.x, l.top, l.bottom, l.visible ? 1 : 0}; }
tavimo_draw_time timeOf(const WorksheetTime& t) { return {t.exact.c_str(), t.whole.c_str(), t.marked ? 1 : 0}; }

// A signal as the interface carries it; its texts point into `kept` and the signal.
struct PlainSignal {
    std::string title;
    Worksheet worksheet;
    std::vector<tavimo_draw_row> rows;
    std::string fileName;
    // A plan off the grid: its header texts, chart elements and barriers.
    std::string description, cycle, controller, mode, coordinated;
    PlanChart chart;
    std::vector<tavimo_draw_plan_element> elements;
    std::vector<tavimo_draw_plan_barrier> barriers;
    std::string offset;
    tavimo_draw_signal plain{};
};

void fillRows(PlainSignal& s) {
    for (const WorksheetRow& r : s.worksheet.rows)
        s.rows.push_back({r.phase, r.movement.c_str(), r.split.c_str(), r.minGreen.c_str(), r.amber.c_str(),
                          r.allRed.c_str(), r.walk.c_str(), r.flashDontWalk.c_str(), timeOf(r.forceOff),
                          timeOf(r.permissiveStart), timeOf(r.permissiveEnd)});
    s.plain.worksheet_controller = s.worksheet.controller.c_str();
    s.plain.rows = s.rows.data();
    s.plain.row_count = s.rows.size();
}

void fillPlan(PlainSignal& s, const DrawnSignal& drawn) {
    const Signal& signal = *drawn.plan;
    s.title = planTitle(signal);
    s.worksheet = planWorksheet(signal, *drawn.planCalculation);
    fillRows(s);
    s.fileName = fs::path(drawn.fileName).filename().string();
    s.offset = planOffsetLine(signal, drawn.planCalculation);
    s.description = signal.description;
    s.cycle = signal.cycle.text;
    s.controller = controllerName(signal.controller);
    s.mode = modeName(signal.mode);
    for (int phase : signal.coordinated) s.coordinated += (s.coordinated.empty() ? "" : ", ") + std::to_string(phase);
    s.chart = planChart(signal, *drawn.planCalculation);
    for (const PlanChartBar& b : s.chart.bars)
        s.elements.push_back({b.ring, b.phase,
                              b.part == PlanBarPart::Green    ? TAVIMO_DRAW_PLAN_GREEN
                              : b.part == PlanBarPart::Yellow ? TAVIMO_DRAW_PLAN_YELLOW
                                                              : TAVIMO_DRAW_PLAN_RED,
                              boxOf(b.box), ""});
    for (const PlanChartWindow& w : s.chart.windows)
        s.elements.push_back({w.ring, w.phase, TAVIMO_DRAW_PLAN_WINDOW, boxOf(w.box), w.text.c_str()});
    for (const PlanChartBarrier& b : s.chart.barriers) s.barriers.push_back({b.barrier, lineOf(b.line)});

    tavimo_draw_signal& p = s.plain;
    p.title = s.title.c_str();
    p.has_axis = s.chart.cycle > 0 ? 1 : 0;
    p.cycle = s.chart.cycle;
    p.local_zero = s.chart.localZero;
    p.description = s.description.c_str();
    p.cycle_length = s.cycle.c_str();
    p.controller = s.controller.c_str();
    p.mode = s.mode.c_str();
    p.arrangement = "";
    p.file_name = s.fileName.c_str();
    p.is_plan = 1;
    p.coordinated = s.coordinated.c_str();
    p.plan_elements = s.elements.data();
    p.plan_element_count = s.elements.size();
    p.plan_barriers = s.barriers.data();
    p.plan_barrier_count = s.barriers.size();
    p.offset = s.offset.c_str();
}

void fill(PlainSignal& s, const DrawnSignal& drawn) {
    if (drawn.plan) {
        fillPlan(s, drawn);
        return;
    }
    const WindowState& state = drawn.signal->state;
    const SignalPlan& plan = state.plan;
    const ChartGeometry& chart = state.chart;
    s.title = signalTitle(plan);
    s.worksheet = controllerWorksheet(plan, drawn.signal->outcome.values);
    fillRows(s);
    s.fileName = fs::path(drawn.fileName).filename().string();
    s.offset = windowOffsetLine(state);

    tavimo_draw_signal& p = s.plain;
    p.title = s.title.c_str();
    for (int i = 0; i < 8; ++i) {
        p.chart.green[i] = boxOf(chart.green[i]);
        p.chart.yellow[i] = boxOf(chart.yellow[i]);
        p.chart.red[i] = boxOf(chart.red[i]);
        p.chart.green_text[i] = chart.greenText[i].c_str();
        p.chart.windows[i] = boxOf(chart.windows[i]);
        p.chart.window_text[i] = chart.windowText[i].c_str();
    }
    p.chart.barrier1 = lineOf(chart.barrier1);
    p.chart.barrier2 = lineOf(chart.barrier2);
    p.chart.barrier3 = lineOf(chart.barrier3);
    p.chart.dead_phase = boxOf(chart.deadPhase);
    p.chart.dead_phase2 = boxOf(chart.deadPhase2);
    p.chart.local1 = lineOf(chart.local1);
    p.chart.window_text_right_aligned = chart.windowTextRightAligned ? 1 : 0;
    if (const std::optional<ChartAxis> axis = chartAxisOf(plan)) {
        p.has_axis = 1;
        p.cycle = axis->cycle;
        p.local_zero = axis->localZero;
    }
    p.description = plan.description.c_str();
    p.cycle_length = plan.cycleLength.c_str();
    p.controller = plan.controller.c_str();
    p.mode = plan.mode.c_str();
    p.arrangement = plan.arrangement.c_str();
    p.file_name = s.fileName.c_str();
    p.offset = s.offset.c_str();
}

int collect(void* context, const char* bytes, std::size_t size) {
    static_cast<std::string*>(context)->append(bytes, size);
    return 0;
}

std::string today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[16] = "";
    if (localtime_r(&now, &local)) std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return text;
}

// FILE.svg of a signal of many becomes FILE-<id>.svg beside it.
std::string pathFor(const std::string& path, const std::string& id) {
    if (id.empty()) return path;
    const fs::path p(path);
    return (p.parent_path() / (p.stem().string() + "-" + id + p.extension().string())).string();
}

class Drawing {
public:
    Drawing(tavimo_draw_entry entry, std::ostream& standardOutput) : entry_(entry), out_(standardOutput) {}

    // Draws one document of `signals` and writes it to `path`; the message on failure.
    std::string write(tavimo_draw_document document, const std::vector<const PlainSignal*>& signals,
                      const std::string& path) {
        std::vector<tavimo_draw_signal> plain;
        for (const PlainSignal* s : signals) plain.push_back(s->plain);
        std::string bytes;
        char error[512] = "";
        const tavimo_draw_request request{document, plain.data(), plain.size(), date_.c_str(),
                                          collect, &bytes, error, sizeof error, nullptr};
        return send(request, bytes, error, path);
    }

    // Draws the diagram and writes it to `path`; the message on failure.
    std::string write(tavimo_draw_document document, const tavimo_draw_diagram& diagram, const std::string& path) {
        std::string bytes;
        char error[512] = "";
        const tavimo_draw_request request{document, nullptr, 0, date_.c_str(), collect, &bytes, error, sizeof error,
                                          &diagram};
        return send(request, bytes, error, path);
    }

private:
    std::string send(const tavimo_draw_request& request, const std::string& bytes, const char* error,
                     const std::string& path) {
        if (entry_(&request) != 0) return "cannot write " + path + ": " + error;
        if (path == kStandardOutput) {
            errno = 0;
            out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out_.flush();
            if (out_) return {};
            const int e = errno;
            return std::string("cannot write the standard output: ") +
                   (e != 0 ? std::strerror(e) : "the output stream failed");
        }
        if (const auto failed = writeFileAtomically(path, bytes)) return failed->message();
        return {};
    }

    tavimo_draw_entry entry_;
    std::ostream& out_;
    std::string date_ = today();
};

// The diagram as the interface carries it, pointing into the diagram and `this`.
struct PlainDiagram {
    std::vector<std::vector<tavimo_draw_aspect>> aspects;  // two per signal
    std::vector<std::vector<tavimo_draw_window>> windows;
    std::vector<tavimo_draw_diagram_signal> signalList;
    std::vector<std::vector<tavimo_draw_point>> points;
    std::vector<std::vector<tavimo_draw_strip>> strips;
    tavimo_draw_diagram plain{};

    explicit PlainDiagram(const TimeSpaceDiagram& d) {
        for (const DiagramSignal& s : d.signals) {
            for (int way = 0; way < 2; ++way) {
                aspects.emplace_back();
                for (const AspectSpan& a : s.through[way])
                    aspects.back().push_back({static_cast<int>(a.aspect), a.start, a.end});
            }
            windows.emplace_back();
            for (const LocalWindow& w : s.windows) windows.back().push_back({w.phase, w.start, w.end});
        }
        for (std::size_t k = 0; k < d.signals.size(); ++k) {
            const DiagramSignal& s = d.signals[k];
            tavimo_draw_diagram_signal p{};
            p.id = s.id.c_str();
            p.distance = s.distance;
            if (s.offsets) {
                p.has_offsets = 1;
                p.ts2 = s.offsets->ts2;
                p.last_green = s.offsets->lastGreen;
                p.type170 = s.offsets->type170;
                p.red = s.offsets->red;
                p.has_flashing_dont_walk = s.offsets->flashingDontWalk ? 1 : 0;
                p.flashing_dont_walk = s.offsets->flashingDontWalk.value_or(0);
            }
            for (int way = 0; way < 2; ++way) {
                p.has_through_phase[way] = s.throughPhase[way] ? 1 : 0;
                p.through_phase[way] = s.throughPhase[way].value_or(0);
                p.through[way] = aspects[2 * k + static_cast<std::size_t>(way)].data();
                p.through_count[way] = aspects[2 * k + static_cast<std::size_t>(way)].size();
            }
            p.windows = windows[k].data();
            p.window_count = windows[k].size();
            signalList.push_back(p);
        }
        for (const DiagramBand& band : d.bands)
            for (const BandStrip& strip : band.strips)
                for (const auto* edge : {&strip.lower, &strip.upper}) {
                    points.emplace_back();
                    for (const TimeDistance& t : *edge) points.back().push_back({t.time, t.distance});
                }
        std::size_t edge = 0;
        for (int way = 0; way < 2; ++way) {
            const DiagramBand& band = d.bands[way];
            strips.emplace_back();
            for (std::size_t i = 0; i < band.strips.size(); ++i, edge += 2)
                strips.back().push_back({points[edge].data(), points[edge + 1].data(), points[edge].size()});
            tavimo_draw_band& b = plain.bands[way];
            b.from = band.from.c_str();
            b.to = band.to.c_str();
            b.reason = band.band.reason.c_str();
            b.has_band = band.band.seconds ? 1 : 0;
            b.seconds = band.band.seconds.value_or(0);
            b.start = band.band.start;
            b.has_efficiency = band.band.efficiency ? 1 : 0;
            b.efficiency = band.band.efficiency.value_or(0);
            b.has_attainability = band.band.attainability ? 1 : 0;
            b.attainability = band.band.attainability.value_or(0);
            b.strips = strips.back().data();
            b.strip_count = strips.back().size();
        }
        plain.street = d.street.c_str();
        plain.metric = d.metric ? 1 : 0;
        plain.cycle = d.cycle;
        plain.span = d.span;
        plain.length = d.length;
        plain.signal_list = signalList.data();
        plain.signal_count = signalList.size();
    }
};

}  // namespace

std::string drawWithLibrary(const DrawRequest& request, std::ostream& standardOutput) {
    const Library library = openLibrary();
    if (!library.entry) return library.failure;

    std::vector<PlainSignal> signals(request.calculated.size());
    std::vector<const PlainSignal*> all;
    for (std::size_t i = 0; i < signals.size(); ++i) {
        fill(signals[i], request.calculated[i]);
        all.push_back(&signals[i]);
    }
    Drawing drawing(library.entry, standardOutput);
    if (request.diagram && !request.diagramPath.empty()) {
        const std::string ext = lower(fs::path(request.diagramPath).extension().string());
        const tavimo_draw_document document = ext == ".pdf"   ? TAVIMO_DRAW_DIAGRAM_PDF
                                              : ext == ".png" ? TAVIMO_DRAW_DIAGRAM_PNG
                                                              : TAVIMO_DRAW_DIAGRAM_SVG;
        const PlainDiagram plain(*request.diagram);
        if (std::string failed = drawing.write(document, plain.plain, request.diagramPath); !failed.empty())
            return failed;
    }
    if (!request.chartPath.empty()) {
        const std::string& path = request.chartPath;
        const std::string ext = lower(fs::path(path).extension().string());
        if (ext == ".pdf") {
            if (std::string failed = drawing.write(TAVIMO_DRAW_CHART_PDF, all, path); !failed.empty()) return failed;
        } else {
            const tavimo_draw_document picture = ext == ".png" ? TAVIMO_DRAW_CHART_PNG : TAVIMO_DRAW_CHART_SVG;
            for (std::size_t i = 0; i < signals.size(); ++i) {
                const std::string one = path == kStandardOutput ? path : pathFor(path, request.calculated[i].id);
                if (std::string failed = drawing.write(picture, {&signals[i]}, one); !failed.empty()) return failed;
            }
        }
    }
    if (!request.reportPath.empty()) return drawing.write(TAVIMO_DRAW_REPORT_PDF, all, request.reportPath);
    return {};
}

}  // namespace tavimo::cli
