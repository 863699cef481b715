// SPDX-License-Identifier: MIT
// What a user waits for after "Calculate": the calculation, the window's fields and the
// chart repainted, over every plan of a real network that calculates (the file named by
// TAVIMO_NETWORK_FILE, else the Glendale network of the tests). A repaint of the chart
// alone, for comparison. The slowest plan is reported beside the mean.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "calc/window_calculation.h"
#include "io/network_signal.h"
#include "io/signal_arrival.h"
#include "io/utdf_network.h"
#include "ui/timing/chart_view.h"
#include "ui/timing/form1.h"

namespace {

std::vector<tavimo::WindowState> calculablePlans() {
    const char* chosen = std::getenv("TAVIMO_NETWORK_FILE");
    auto read = tavimo::readUtdfNetwork(chosen ? chosen : TAVIMO_TEST_DATA "/utdf8/glendale.csv");
    std::vector<tavimo::WindowState> plans;
    if (!std::holds_alternative<tavimo::UtdfNetwork>(read)) return plans;
    for (const tavimo::NetworkIntersection& x : std::get<tavimo::UtdfNetwork>(read).intersections) {
        if (!x.hasTimeplan) continue;
        auto placed = tavimo::networkSignal(tavimo::standingOf(x), tavimo::defaultControllerOf(x), tavimo::tag::kPermissive);
        auto* window = std::get_if<tavimo::WindowState>(&placed);
        if (!window) continue;
        // Only plans that calculate without a message box, which would wait for a click.
        tavimo::WindowState probe = *window;
        if (tavimo::calculateWindow(probe).message) continue;
        plans.push_back(*window);
    }
    return plans;
}

// A timing window on the (offscreen) screen, exposed so that a repaint paints, and
// warmed up by one calculation, so that fonts are loaded before anything is timed.
struct ShownForm {
    tavimo::ui::Form1 form;
    tavimo::ui::ChartView* chart = nullptr;
    int paints = 0;

    explicit ShownForm(const tavimo::WindowState& first) {
        form.show();
        for (int i = 0; i < 100 && !(form.windowHandle() && form.windowHandle()->isExposed()); ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        chart = form.findChild<tavimo::ui::ChartView*>(QStringLiteral("chart"));
        form.setState(first);
        form.Calculate_Click();
        chart->repaint();
        counter.paints = &paints;
        chart->installEventFilter(&counter);
    }

    struct PaintCounter : QObject {
        int* paints = nullptr;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++*paints;
            return false;
        }
    } counter;
};

double milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// The processor time this thread has used, ms: on a busy machine the wall clock also
// counts the time other programs had the processor.
double threadMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

void BM_CalculateToRepaintedChart(benchmark::State& state) {
    const std::vector<tavimo::WindowState> plans = calculablePlans();
    if (plans.empty()) {
        state.SkipWithError("no plan of the network file calculates");
        return;
    }
    ShownForm shown(plans.front());
    tavimo::ui::Form1& form = shown.form;
    tavimo::ui::ChartView* chart = shown.chart;
    std::size_t next = 0;
    double slowest = 0, slowestCpu = 0;
    std::size_t slowestPlan = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::size_t plan = next++ % plans.size();
        form.setState(plans[plan]);
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        const double startCpu = threadMilliseconds();
        form.Calculate_Click();
        chart->repaint();
        const double cpu = threadMilliseconds() - startCpu;
        if (cpu > slowestCpu) slowestPlan = plan;
        slowestCpu = std::max(slowestCpu, cpu);
        slowest = std::max(slowest, milliseconds(std::chrono::steady_clock::now() - start));
    }
    state.counters["plans"] = double(plans.size());
    state.counters["slowest_ms"] = slowest;
    state.counters["slowest_cpu_ms"] = slowestCpu;
    state.counters["slowest_plan"] = double(slowestPlan);  // its place among the plans
    state.counters["paints"] = shown.paints;
}
BENCHMARK(BM_CalculateToRepaintedChart)->Unit(benchmark::kMillisecond);

void BM_RepaintChart(benchmark::State& state) {
    const std::vector<tavimo::WindowState> plans = calculablePlans();
    if (plans.empty()) {
        state.SkipWithError("no plan of the network file calculates");
        return;
    }
    ShownForm shown(plans.front());
    for (auto _ : state) shown.chart->repaint();
    state.counters["paints"] = shown.paints;
}
BENCHMARK(BM_RepaintChart)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
