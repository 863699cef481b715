// SPDX-License-Identifier: MIT
// A corridor of 28 signals: the time-space diagram computed after one offset changes,
// and the same with the diagram view repainted (offscreen), as the corridor window
// does for each step of a spin box or a drag. The chain is made of Glendale 67th
// Ave's plan at 3325 repeated every 1300 ft at 40 mph, offset in progression one way;
// the middle signal's offset steps back and forth by half a second.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWindow>

#include "calc/time_space.h"
#include "io/corridor_source.h"
#include "io/utdf_network.h"
#include "ui/corridor/time_space_view.h"

namespace {

using namespace tavimo;

Corridor chainOf(std::size_t count) {
    auto read = readUtdfNetwork(TAVIMO_TEST_DATA "/utdf8/glendale.csv");
    auto source = corridorSourceOf(std::get<UtdfNetwork>(read), {"3325", "3350"});
    const CorridorSource& glendale = std::get<CorridorSource>(source);
    const RouteSignal& model = glendale.there.signals.front();
    const std::optional<SideStreetWindows> windows = sideStreetWindowsOf(*glendale.typed.front());
    Corridor c;
    c.street = "Synthetic";
    for (std::size_t k = 0; k < count; ++k) {
        RouteSignal s = model;
        s.id = "S" + std::to_string(k + 1);
        s.linksBefore = k;
        // Offsets in progression northbound at 40 mph, so that both bands have strips to draw.
        moveToOffset(*s.plan, OffsetReference::Ts2, onCycle(double(k) * 1300 * 3600 / (40 * 5280.0), s.plan->cycle));
        c.there.signals.push_back(s);
        c.windows.push_back(windows);
        if (k > 0) c.there.links.push_back({"S" + std::to_string(k), s.id, "NB", 1300, 40, std::nan("")});
    }
    for (std::size_t k = count; k-- > 0;) {
        RouteSignal s = c.there.signals[k];
        s.heading = "SB";
        s.throughPhase = glendale.back.signals.back().throughPhase;
        s.linksBefore = count - 1 - k;
        c.back.signals.push_back(s);
        if (k + 1 < count) c.back.links.push_back({"S" + std::to_string(k + 2), s.id, "SB", 1300, 40, std::nan("")});
    }
    return c;
}

void ComputeAfterAnOffset(benchmark::State& state) {
    Corridor c = chainOf(28);
    const double base = referencePointsOf(*planAt(c, 13))->ts2;
    int step = 0;
    for (auto _ : state) {
        setOffset(c, 13, OffsetReference::Ts2, onCycle(base + 0.5 * (++step % 4), 120));
        const TimeSpaceDiagram d = timeSpaceDiagram(c, 2);
        benchmark::DoNotOptimize(d);
    }
}

void ComputeAndRepaint(benchmark::State& state) {
    Corridor c = chainOf(28);
    ui::TimeSpaceView view;
    view.resize(1000, 640);
    view.show();
    for (int i = 0; i < 100 && !(view.windowHandle() && view.windowHandle()->isExposed()); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    view.setDiagram(timeSpaceDiagram(c, 2));
    view.repaint();
    const double base = referencePointsOf(*planAt(c, 13))->ts2;
    int step = 0;
    for (auto _ : state) {
        setOffset(c, 13, OffsetReference::Ts2, onCycle(base + 0.5 * (++step % 4), 120));
        view.setDiagram(timeSpaceDiagram(c, 2));
        view.repaint();
    }
    const TimeSpaceDiagram d = timeSpaceDiagram(c, 2);
    state.counters["strips"] = double(d.bands[0].strips.size() + d.bands[1].strips.size());
    state.counters["items"] = double(view.itemCount());
}

BENCHMARK(ComputeAfterAnOffset)->Unit(benchmark::kMillisecond);
BENCHMARK(ComputeAndRepaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
