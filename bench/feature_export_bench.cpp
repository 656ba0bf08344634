// One AddFeatures for one view: the offered layers cleared, prepared and styled, the
// view's crossing selection, and every selected entity sent vertex by vertex. Once for a
// view over 1% of the drawing (its features grow with the drawing), once for a view at
// the same place in every drawing (the same features whatever the drawing's size).
#include <benchmark/benchmark.h>

#include "bench/bench_counters.h"
#include "bench/bench_palette.h"
#include "overlay/feature_export.h"

namespace nimbo::bench {
namespace {

constexpr int32_t kView = 1;

void ExportFeatures(benchmark::State& state, BenchPalette& palette) {
  const int before = palette.viewer.CallCount("BeginFeature");
  const CallMeter meter(palette);
  for (auto _ : state) {
    overlay::AddFeatures(palette.State(), kView, true);
    state.PauseTiming();
    palette.ForgetJournal();
    state.ResumeTiming();
  }
  meter.Report(state);
  state.counters["features"] = benchmark::Counter(palette.viewer.CallCount("BeginFeature") - before,
                                                  benchmark::Counter::kAvgIterations);
}

void BM_AddFeatures(benchmark::State& state) {
  ExportFeatures(state, PaletteOf(state.range(0)));
}
BENCHMARK(BM_AddFeatures)->Apply(DrawingSizes)->Unit(benchmark::kMillisecond);

void BM_AddFeaturesSameView(benchmark::State& state) {
  BenchPalette& palette = PaletteOf(state.range(0));
  palette.SetTotalExtent(kView, GeneratedDrawing::FixedFootprint());
  ExportFeatures(state, palette);
  palette.SetTotalExtent(kView, palette.generated.TotalExtent(kView));
}
BENCHMARK(BM_AddFeaturesSameView)->Apply(DrawingSizes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nimbo::bench
