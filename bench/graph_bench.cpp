// The rate graphs: the tray click's reset of both, and one update that rescales and redraws.
#include <benchmark/benchmark.h>

#include "app/velmora.h"
#include "sim/pc.h"
#include "ui/graph.h"

namespace {

void ResetPerformanceView(benchmark::State& state) {
    sim::Pc pc;
    plat::Platform platform = pc.platform();
    app::Velmora velmora{platform};
    for (auto _ : state) velmora.form.ResetPerformanceView();
}
BENCHMARK(ResetPerformanceView)->Unit(benchmark::kMicrosecond);

// The same reset, then the Statistics page is shown and both graphs drawn.
void ResetPerformanceViewThenShown(benchmark::State& state) {
    sim::Pc pc;
    plat::Platform platform = pc.platform();
    app::Velmora velmora{platform};
    for (auto _ : state) {
        velmora.form.ResetPerformanceView();
        benchmark::DoNotOptimize(velmora.form.TxPer.Paint().Pixels().data());
        benchmark::DoNotOptimize(velmora.form.RxPer.Paint().Pixels().data());
    }
}
BENCHMARK(ResetPerformanceViewThenShown)->Unit(benchmark::kMicrosecond);

// A full history of the statistics page's kind; every update brings a new largest value, so
// each one raises the scale and, on view (the picture asked for), redraws all 289 strips.
void UpdateThatRescales(benchmark::State& state, bool onView) {
    ui::TPerformanceGraph graph;
    graph.SetBounds(8, 20, 289, 80);
    graph.SetGraphKind(ui::TGraphKind::pgBar);
    graph.SetStepSize(1);
    graph.SetGradient(500);
    graph.SetScale(500);
    graph.SetGridlines(false);
    for (int i = 0; i < 300; ++i) {
        graph.DataPoint(ui::kRed, 100 + i);
        graph.Update();
    }
    int value = 500;
    for (auto _ : state) {
        value += 500;
        if (value > 1'000'000'000) value = 1000;  // a fall rescales too, once it has left
        graph.DataPoint(ui::kRed, value);
        graph.Update();
        if (onView) benchmark::DoNotOptimize(graph.Picture().Pixels().data());
    }
    benchmark::DoNotOptimize(graph.Picture().Pixels().data());
    state.counters["scale"] = graph.Scale();
}
BENCHMARK_CAPTURE(UpdateThatRescales, OnView, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(UpdateThatRescales, OffView, false)->Unit(benchmark::kMicrosecond);

}  // namespace
