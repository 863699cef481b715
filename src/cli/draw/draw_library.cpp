// SPDX-License-Identifier: MIT
// The drawing library of tavimo-calc: charts and reports without a display, drawn in
// memory and handed back as bytes through the plain C interface of draw_interface.h.
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <memory>

#include "cli/draw_interface.h"
#include "draw/chart_files.h"
#include "draw/plan_report.h"
#include "draw/time_space_painter.h"
#include "io/utf8.h"

namespace {

using namespace tavimo;
using namespace tavimo::ui;

// Qt's notes about the session (no runtime directory, say) are no concern of a
// calculator's user; its errors still reach standard error.
void quietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(message));
}

void startGui() {
    if (QCoreApplication::instance()) return;
    qInstallMessageHandler(quietQtNotes);
    // Nothing is shown: the offscreen platform draws the same with or without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tavimo-calc";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

std::string text(const char* utf8) { return utf8 ? utf8 : ""; }
QString qText(const char* utf8) { return QString::fromUtf8(utf8 ? utf8 : ""); }

Box boxOf(const tavimo_draw_box& b) { return {b.left, b.top, b.width, b.height, b.visible != 0}; }
VLine lineOf(const tavimo_draw_line& l) { return {l.x, l.top, l.bottom, l.visible != 0}; }
WorksheetTime timeOf(const tavimo_draw_time& t) { return {text(t.exact), text(t.whole), t.marked != 0}; }

ChartSheet sheetOf(const tavimo_draw_signal& s) {
    ChartSheet sheet;
    sheet.title = QString::fromStdString(printableText(text(s.title)));
    ChartGeometry& chart = sheet.chart;
    for (int i = 0; i < 8; ++i) {
        chart.green[i] = boxOf(s.chart.green[i]);
        chart.yellow[i] = boxOf(s.chart.yellow[i]);
        chart.red[i] = boxOf(s.chart.red[i]);
        chart.greenText[i] = text(s.chart.green_text[i]);
        chart.windows[i] = boxOf(s.chart.windows[i]);
        chart.windowText[i] = text(s.chart.window_text[i]);
    }
    chart.barrier1 = lineOf(s.chart.barrier1);
    chart.barrier2 = lineOf(s.chart.barrier2);
    chart.barrier3 = lineOf(s.chart.barrier3);
    chart.deadPhase = boxOf(s.chart.dead_phase);
    chart.deadPhase2 = boxOf(s.chart.dead_phase2);
    chart.local1 = lineOf(s.chart.local1);
    chart.windowTextRightAligned = s.chart.window_text_right_aligned != 0;
    if (s.has_axis) sheet.axis = ChartAxis{s.cycle, s.local_zero};
    if (s.is_plan) {
        PlanChart plan;
        plan.cycle = s.cycle;
        plan.localZero = s.local_zero;
        for (std::size_t i = 0; i < s.plan_element_count; ++i) {
            const tavimo_draw_plan_element& e = s.plan_elements[i];
            if (e.part == TAVIMO_DRAW_PLAN_WINDOW)
                plan.windows.push_back({e.ring, e.phase, boxOf(e.box), text(e.text)});
            else
                plan.bars.push_back({e.ring, e.phase,
                                     e.part == TAVIMO_DRAW_PLAN_GREEN    ? PlanBarPart::Green
                                     : e.part == TAVIMO_DRAW_PLAN_YELLOW ? PlanBarPart::Yellow
                                                                         : PlanBarPart::Red,
                                     boxOf(e.box)});
        }
        for (std::size_t i = 0; i < s.plan_barrier_count; ++i)
            plan.barriers.push_back({s.plan_barriers[i].barrier, lineOf(s.plan_barriers[i].line)});
        sheet.plan = std::move(plan);
    }
    return sheet;
}

ReportPage pageOf(const tavimo_draw_signal& s, const QString& date) {
    Worksheet rows;
    rows.controller = text(s.worksheet_controller);
    for (std::size_t i = 0; i < s.row_count; ++i) {
        const tavimo_draw_row& r = s.rows[i];
        rows.rows.push_back({r.phase, text(r.movement), text(r.split), text(r.min_green), text(r.amber),
                             text(r.all_red), text(r.walk), text(r.flash_dont_walk), timeOf(r.force_off),
                             timeOf(r.permissive_start), timeOf(r.permissive_end)});
    }
    if (s.is_plan)
        return planReportPageOf(sheetOf(s),
                                {qText(s.description), qText(s.cycle_length), qText(s.controller), qText(s.mode),
                                 qText(s.coordinated), qText(s.offset)},
                                rows, qText(s.file_name), date);
    SignalPlan header;
    header.description = text(s.description);
    header.setCycleLength(text(s.cycle_length));
    header.controller = text(s.controller);
    header.mode = text(s.mode);
    header.arrangement = text(s.arrangement);
    return reportPageOf(sheetOf(s), header, rows, qText(s.file_name), date, qText(s.offset));
}

TimeSpaceDiagram diagramOf(const tavimo_draw_diagram& plain) {
    TimeSpaceDiagram d;
    d.street = text(plain.street);
    d.metric = plain.metric != 0;
    d.cycle = plain.cycle;
    d.span = plain.span;
    d.length = plain.length;
    for (std::size_t k = 0; k < plain.signal_count; ++k) {
        const tavimo_draw_diagram_signal& p = plain.signal_list[k];
        DiagramSignal s;
        s.id = text(p.id);
        s.distance = p.distance;
        if (p.has_offsets) {
            s.offsets = ReferencePoints{p.ts2, p.last_green, p.type170, p.red, std::nullopt};
            if (p.has_flashing_dont_walk) s.offsets->flashingDontWalk = p.flashing_dont_walk;
        }
        for (int way = 0; way < 2; ++way) {
            if (p.has_through_phase[way]) s.throughPhase[way] = p.through_phase[way];
            for (std::size_t i = 0; i < p.through_count[way]; ++i) {
                const tavimo_draw_aspect& a = p.through[way][i];
                const Aspect aspect = a.aspect == 0 ? Aspect::Green : a.aspect == 1 ? Aspect::Yellow : Aspect::Red;
                s.through[way].push_back({aspect, a.start, a.end});
            }
        }
        for (std::size_t i = 0; i < p.window_count; ++i)
            s.windows.push_back({p.windows[i].phase, p.windows[i].start, p.windows[i].end});
        d.signals.push_back(std::move(s));
    }
    for (int way = 0; way < 2; ++way) {
        const tavimo_draw_band& b = plain.bands[way];
        DiagramBand& band = d.bands[way];
        band.from = text(b.from);
        band.to = text(b.to);
        band.band.reason = text(b.reason);
        band.band.start = b.start;
        if (b.has_band) band.band.seconds = b.seconds;
        if (b.has_efficiency) band.band.efficiency = b.efficiency;
        if (b.has_attainability) band.band.attainability = b.attainability;
        for (std::size_t i = 0; i < b.strip_count; ++i) {
            BandStrip strip;
            for (std::size_t j = 0; j < b.strips[i].count; ++j) {
                strip.lower.push_back({b.strips[i].lower[j].time, b.strips[i].lower[j].distance});
                strip.upper.push_back({b.strips[i].upper[j].time, b.strips[i].upper[j].distance});
            }
            band.strips.push_back(std::move(strip));
        }
    }
    return d;
}

std::variant<QByteArray, QString> draw(const tavimo_draw_request& request) {
    switch (request.document) {
    case TAVIMO_DRAW_DIAGRAM_SVG:
    case TAVIMO_DRAW_DIAGRAM_PNG:
    case TAVIMO_DRAW_DIAGRAM_PDF: {
        if (!request.diagram) return QStringLiteral("no diagram to draw");
        const ChartFormat format = request.document == TAVIMO_DRAW_DIAGRAM_SVG   ? ChartFormat::Svg
                                   : request.document == TAVIMO_DRAW_DIAGRAM_PNG ? ChartFormat::Png
                                                                                 : ChartFormat::Pdf;
        return timeSpaceFileBytes(format, diagramOf(*request.diagram));
    }
    default: break;
    }
    QList<ChartSheet> sheets;
    QList<ReportPage> pages;
    for (std::size_t i = 0; i < request.signal_count; ++i) {
        if (request.document == TAVIMO_DRAW_REPORT_PDF) pages.append(pageOf(request.signal_list[i], qText(request.date)));
        else sheets.append(sheetOf(request.signal_list[i]));
    }
    switch (request.document) {
    case TAVIMO_DRAW_CHART_SVG: return chartFileBytes(ChartFormat::Svg, sheets);
    case TAVIMO_DRAW_CHART_PNG: return chartFileBytes(ChartFormat::Png, sheets);
    case TAVIMO_DRAW_CHART_PDF: return chartFileBytes(ChartFormat::Pdf, sheets);
    case TAVIMO_DRAW_REPORT_PDF: return reportFileBytes(pages);
    default: break;
    }
    return QStringLiteral("no such document");
}

int fail(const tavimo_draw_request& request, const QString& why) {
    if (request.error && request.error_size > 0) {
        const QByteArray utf8 = why.toUtf8();
        const std::size_t n = std::min(request.error_size - 1, static_cast<std::size_t>(utf8.size()));
        std::memcpy(request.error, utf8.constData(), n);
        request.error[n] = '\0';
    }
    return 1;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) unsigned tavimo_draw_interface_version(void) {
    return TAVIMO_DRAW_INTERFACE_VERSION;
}

extern "C" __attribute__((visibility("default"))) int tavimo_draw_render(const tavimo_draw_request* request) {
    if (!request || !request->sink) return 1;
    startGui();
    std::variant<QByteArray, QString> drawn = draw(*request);
    if (const QString* why = std::get_if<QString>(&drawn)) return fail(*request, *why);
    const QByteArray& bytes = std::get<QByteArray>(drawn);
    if (request->sink(request->sink_context, bytes.constData(), static_cast<std::size_t>(bytes.size())) != 0)
        return fail(*request, QStringLiteral("the document could not be taken"));
    return 0;
}
