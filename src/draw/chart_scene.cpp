// SPDX-License-Identifier: MIT
#include "draw/chart_scene.h"

#include <QFontMetricsF>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

#include "draw/chart_palette.h"
#include "model/number_text.h"

namespace tavimo::ui {

namespace {

constexpr double kTwipsPerPixel = 15.0;
constexpr double kOverlap = 10;           // twips by which neighbouring bars overlap
constexpr double kWindowTextInset = 3;    // a window label's padding and outline, px
constexpr double kBesideGap = 2;          // px between a narrow window and its label
constexpr float kTimerTop = 2190, kTimerWidth = 600, kTimerHeight = 270;

double px(double twips) { return chartPixels(twips); }

bool drawable(const Box& b) {
    return b.visible && std::isfinite(b.left) && std::isfinite(b.top) && std::isfinite(b.width) &&
           std::isfinite(b.height) && b.width > 0 && b.height > 0;
}


QString qs(const std::string& s) { return QString::fromStdString(s); }

// The phase number of a window text ("Ø4" gives "4").
QString phaseOfWindow(const std::string& text) {
    const QString t = qs(text);
    return t.startsWith(QChar(0xD8)) ? t.mid(1) : t;
}

int positionOfPhase(const ChartGeometry& chart, const QString& phase, int ring) {
    if (phase.isEmpty()) return 0;
    for (int k = ring * 4 - 3; k <= ring * 4; ++k)
        if (qs(chart.greenText[k - 1]) == phase) return k;
    return 0;
}

const char* const kWindowNames[kWindowBars] = {"PP1", "PP2", "PP3", "PP4", "PP5", "PP6", "PPend1", "PPend2"};

int ringOfWindow(int w) { return w < PP4 || w == PPend1 ? 1 : 2; }

// A window's own extent carries the 10 twips of overlap of the green bar it is cut
// from; a ring-end marker is cut from the clearance bars and does not.
double windowLength(int w, const Box& b) { return w >= PPend1 ? b.width : b.width - kOverlap; }

ChartItem rowBar(const ChartGeometry& chart, int k, ChartPart part, const Box& box, ChartEdges edges) {
    static const char* prefix[] = {"greenPhase", "yellowPhase", "redPhase"};
    const int which = part == ChartPart::Green ? 0 : part == ChartPart::Yellow ? 1 : 2;
    ChartItem item;
    item.name = prefix[which] + std::to_string(k);
    item.part = part;
    item.position = k;
    item.ring = k <= 4 ? 1 : 2;
    item.phase = qs(chart.greenText[k - 1]);
    item.box = box;
    item.rect = chartRectOf(box, edges);
    item.fill = part == ChartPart::Green ? palette::kGreen : part == ChartPart::Yellow ? palette::kYellow : palette::kRed;
    item.outline = palette::kBarOutline;
    return item;
}

ChartItem barrierLine(const char* name, const VLine& v, ChartEdges edges) {
    ChartItem item;
    item.name = name;
    item.part = ChartPart::Barrier;
    item.box = Box{v.x, std::min(v.top, v.bottom), 0, std::fabs(v.bottom - v.top), v.visible};
    double x = px(v.x), top = px(std::min(v.top, v.bottom)), bottom = px(std::max(v.top, v.bottom));
    if (edges == ChartEdges::PixelGrid) {
        x = std::round(x) - 1;
        top = std::round(top);
        bottom = std::max(top + 1, std::round(bottom));
    } else {
        x -= 1;
    }
    item.rect = QRectF(x, top, 2, bottom - top);
    item.fill = palette::kBarrier;
    return item;
}

// A narrow window's label goes after the window's right end, else before its left
// end: the first place inside the frame that covers no other window, barrier or label;
// failing that, after the window, kept inside the frame.
void placeBeside(ChartItem& label, const std::vector<ChartItem>& items, double frameRight) {
    const QRectF bar = label.textRect;
    const double width = label.rect.width();
    auto free = [&](const QRectF& r) {
        if (r.left() < 0 || r.right() > frameRight) return false;
        return std::none_of(items.begin(), items.end(), [&](const ChartItem& other) {
            const bool inTheWay = other.part == ChartPart::Window || other.part == ChartPart::Barrier;
            return inTheWay && other.rect != bar && other.rect.intersects(r);
        });
    };
    const QRectF after(bar.right() + kBesideGap, bar.top(), width, bar.height());
    const QRectF before(bar.left() - kBesideGap - width, bar.top(), width, bar.height());
    QRectF place = free(after) ? after : free(before) ? before : after;
    place.moveLeft(std::clamp(place.left(), 0.0, frameRight - width));
    label.rect = label.textRect = place;
}

}  // namespace

double chartPixels(double twips) {
    // Absurd times scale to bars far beyond any page; they are kept drawable.
    if (!std::isfinite(twips)) return 0;
    return std::clamp(twips / kTwipsPerPixel, -1e6, 1e6);
}

QRectF chartRectOf(const Box& b, ChartEdges edges) {
    if (edges == ChartEdges::PixelGrid) {
        // Both edges rounded, so that bars overlapping by 10 twips meet without a gap.
        const double l = std::round(chartPixels(b.left)), t = std::round(chartPixels(b.top));
        return QRectF(l, t, std::round(chartPixels(b.left + b.width)) - l, std::round(chartPixels(b.top + b.height)) - t);
    }
    return QRectF(chartPixels(b.left), chartPixels(b.top), chartPixels(b.width), chartPixels(b.height));
}

std::optional<QRectF> insideChartFrame(QRectF r) {
    const double right = chartFrameRight();
    const double l = std::max(0.0, r.left()), rr = std::min(right, r.right());
    if (rr <= l || r.height() <= 0) return std::nullopt;
    r.setLeft(l);
    r.setRight(rr);
    return r;
}

double chartFrameRight() { return std::round(px(layout::kChartLeft * 2 + layout::kChartWidth)); }

std::vector<ChartItem> chartItems(const ChartGeometry& chart, const QFont& font, const QPaintDevice* device,
                                  ChartEdges edges) {
    std::vector<ChartItem> items;
    items.reserve(48);
    std::vector<ChartItem> beside;  // labels of windows too narrow for them, in front
    const QFontMetricsF metrics(font, const_cast<QPaintDevice*>(device));
    const double frameRight = chartFrameRight();

    // The permissive windows lie under the bars; of a Yield stack the taller (earlier)
    // window in front.
    std::array<int, kWindowBars> order{};
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return chart.windows[a].height < chart.windows[b].height; });
    for (int w : order) {
        const Box& box = chart.windows[w];
        // A window of no length (a left turn's start that the clearance uses up) is no window.
        if (!drawable(box) || windowLength(w, box) <= 0) continue;
        const std::optional<QRectF> r = insideChartFrame(chartRectOf(box, edges));
        if (!r) continue;
        ChartItem item;
        item.name = kWindowNames[w];
        item.part = ChartPart::Window;
        item.ring = ringOfWindow(w);
        item.phase = phaseOfWindow(chart.windowText[w]);
        item.position = positionOfPhase(chart, item.phase, item.ring);
        item.box = box;
        item.rect = *r;
        item.fill = palette::kWindow;
        item.outline = palette::kWindowOutline;
        const QString label = qs(chart.windowText[w]);
        const double width = metrics.horizontalAdvance(label) + 2 * kWindowTextInset;
        // Kept off the outline by half an "x" more.
        const double indent = kWindowTextInset + metrics.horizontalAdvance(QLatin1Char('x')) / 2;
        if (metrics.horizontalAdvance(label) + 2 * indent <= r->width()) {
            item.text = label;
            item.textRect = r->adjusted(indent, 1, -indent, -1);
            item.textFlags = int(chart.windowTextRightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        } else if (!label.isEmpty()) {
            // Placed beside the window once everything else is laid out; in plain text,
            // so that it does not read as a window itself.
            ChartItem caption;
            caption.name = item.name;
            caption.besideLabel = true;
            caption.part = ChartPart::Window;
            caption.ring = item.ring;
            caption.phase = item.phase;
            caption.position = item.position;
            caption.box = box;
            caption.rect = QRectF(r->left(), r->top(), width, r->height());
            caption.textRect = *r;  // the window's own place, until the label has one
            caption.text = label;
            beside.push_back(caption);
        }
        items.push_back(item);
    }

    for (int k = 1; k <= 8; ++k) {
        const Box* boxes[] = {&chart.green[k - 1], &chart.yellow[k - 1], &chart.red[k - 1]};
        const ChartPart parts[] = {ChartPart::Green, ChartPart::Yellow, ChartPart::Red};
        for (int i = 0; i < 3; ++i) {
            if (!drawable(*boxes[i])) continue;
            ChartItem item = rowBar(chart, k, parts[i], *boxes[i], edges);
            const std::optional<QRectF> r = insideChartFrame(item.rect);
            if (!r) continue;
            item.rect = *r;
            if (item.part == ChartPart::Green) {
                item.text = item.phase;
                item.textRect = r->adjusted(1, 1, -1, -1);
                item.bold = true;
            }
            items.push_back(item);
        }
    }
    for (const auto& [name, box, ring] : {std::tuple{"deadPhase", &chart.deadPhase, 1}, std::tuple{"deadPhase2", &chart.deadPhase2, 2}}) {
        if (!drawable(*box)) continue;
        const std::optional<QRectF> r = insideChartFrame(chartRectOf(*box, edges));
        if (!r) continue;
        ChartItem item;
        item.name = name;
        item.part = ChartPart::DeadSide;
        item.ring = ring;
        item.box = *box;
        item.rect = *r;
        item.fill = palette::kDeadSide;
        items.push_back(item);
    }
    for (const auto& [name, line] : {std::pair{"barrier1", &chart.barrier1}, std::pair{"barrier2", &chart.barrier2},
                                     std::pair{"barrier3", &chart.barrier3}}) {
        if (!line->visible || !std::isfinite(line->x)) continue;
        ChartItem item = barrierLine(name, *line, edges);
        const std::optional<QRectF> r = insideChartFrame(item.rect);
        if (!r) continue;
        item.rect = *r;
        items.push_back(item);
    }
    for (ChartItem& label : beside) {
        placeBeside(label, items, frameRight);
        items.push_back(label);
    }
    return items;
}

void addLocalTimeItems(std::vector<ChartItem>& items, const ChartLayout& chart, const QFont& font,
                       const QPaintDevice* device) {
    const VLine& v = chart.local1;
    if (v.visible && std::isfinite(v.x)) {
        ChartItem line;
        line.name = "local1";
        line.part = ChartPart::LocalZero;
        line.box = Box{v.x, std::min(v.top, v.bottom), 0, std::fabs(v.bottom - v.top), true};
        const double top = std::round(px(line.box.top));
        if (auto r = insideChartFrame(QRectF(std::round(px(v.x)), top, 1, std::max(1.0, std::round(px(line.box.top + line.box.height)) - top)))) {
            line.rect = *r;
            line.fill = palette::kLocalZero;
            items.push_back(line);
        }
    }
    ChartItem readout;
    readout.name = "timer";
    readout.part = ChartPart::Readout;
    readout.box = Box{chart.timerLeft, kTimerTop, kTimerWidth, kTimerHeight, true};
    readout.text = qs(chart.timerText);
    const QFontMetricsF metrics(font, const_cast<QPaintDevice*>(device));
    // Kept inside the frame: near the right end the readout stands left of the cursor.
    const double width = std::max(px(kTimerWidth), metrics.horizontalAdvance(readout.text) + 2);
    double left = std::round(px(chart.timerLeft));
    if (left + width > chartFrameRight()) left = std::round(px(v.x - 40)) - width;
    readout.rect = QRectF(std::max(0.0, left), std::round(px(kTimerTop)), width, std::round(px(kTimerHeight)));
    readout.textRect = readout.rect;
    readout.textFlags = Qt::AlignLeft | Qt::AlignVCenter;
    items.push_back(readout);
}

const ChartItem* chartItemAt(const std::vector<ChartItem>& items, QPointF point) {
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        // Lines are thin: they answer a pixel either side.
        const QRectF r = it->rect.width() < 3 ? it->rect.adjusted(-1.5, 0, 1.5, 0) : it->rect;
        if (r.contains(point)) return &*it;
    }
    return nullptr;
}

namespace {

// Local time (s) of a place on the chart, in [0, cycle).
float localTimeAt(const ChartClock& clock, double twips) {
    const float chartTime = float((twips - layout::kChartLeft) * clock.cycle / layout::kChartWidth);
    float t = std::fmod(chartTime - clock.localZero, clock.cycle);
    if (t < 0) t += clock.cycle;
    // A hair below the cycle's end is local zero again.
    return clock.cycle - t < 0.005f ? 0.f : t;
}

QString seconds(float t) {
    // To the hundredth, as the calculation's times are given; "-0" reads as 0.
    const float r = std::round(t * 100) / 100;
    return qs(formatNumber(r == 0 ? 0.f : r));
}

// "41.5 to 69 s": the start in local time, the end that far later, wrapped as well;
// an end at local zero reads as the cycle.
QString span(const ChartClock& clock, double left, double length) {
    const float start = localTimeAt(clock, left);
    float end = std::fmod(start + float(length * clock.cycle / layout::kChartWidth), clock.cycle);
    if (end <= 0.005f && length > 0) end = clock.cycle;
    return seconds(start) + QStringLiteral(" to ") + seconds(end) + QStringLiteral(" s");
}

bool clockUsable(const std::optional<ChartClock>& clock) {
    return clock && clock->cycle > 0 && std::isfinite(clock->cycle) && std::isfinite(clock->localZero);
}

}  // namespace

QString describeChartItem(const ChartItem& item, const std::optional<ChartClock>& clock) {
    const bool timed = clockUsable(clock);
    // A bar of a position whose phase is not chosen yet names the position alone.
    // A bar of a plan off the grid has no position: its ring names it.
    const QString who = item.phase.isEmpty() ? QStringLiteral("Position %1: ").arg(item.position)
                        : item.position == 0 && item.ring > 0
                            ? QStringLiteral("Ring %1: \u03A6%2 ").arg(item.ring).arg(item.phase)
                            : QStringLiteral("Position %1: \u03A6%2 ").arg(item.position).arg(item.phase);
    auto withTimes = [&](const QString& what, double length) {
        return timed ? what + QStringLiteral(", ") + span(*clock, item.box.left, length) : what;
    };
    switch (item.part) {
    case ChartPart::Green:
        return withTimes(who + QStringLiteral("green"), item.box.width - kOverlap);
    case ChartPart::Yellow:
        return withTimes(who + QStringLiteral("yellow"), item.box.width - kOverlap);
    case ChartPart::Red:
        return withTimes(who + QStringLiteral("all red"), item.box.width - kOverlap);
    case ChartPart::Window: {
        const bool end = item.name.rfind("PPend", 0) == 0;
        const double length = end ? item.box.width : item.box.width - kOverlap;
        const QString whose = item.position ? who
                              : item.phase.isEmpty() ? QString()
                                                     : QStringLiteral("\u03A6%1 ").arg(item.phase);
        return withTimes(whose + QLatin1String(item.besideLabel ? "permissive window label" : "permissive window"),
                         length);
    }
    case ChartPart::DeadSide:
        return withTimes(QStringLiteral("Ring %1: no side-street phase").arg(item.ring), item.box.width);
    case ChartPart::Barrier:
        return timed ? QStringLiteral("barrier at ") + seconds(localTimeAt(*clock, item.box.left)) + QStringLiteral(" s")
                     : QStringLiteral("barrier");
    case ChartPart::LocalZero: {
        if (!timed) return QStringLiteral("local zero");
        const float t = localTimeAt(*clock, item.box.left);
        if (t < 0.5f || clock->cycle - t < 0.5f) return QStringLiteral("local zero");
        return QStringLiteral("local time cursor at ") + seconds(t) + QStringLiteral(" s");
    }
    case ChartPart::Readout:
        return item.text.isEmpty() ? QStringLiteral("Local Time") : QStringLiteral("Local Time: ") + item.text + QStringLiteral(" s");
    }
    return {};
}

}  // namespace tavimo::ui
