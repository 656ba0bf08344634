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
  const int64_t before = palette.FeaturesSent();
  const CallMeter meter(palette);
  for (auto _ : state) {
    overlay::AddFeatures(palette.State(), kView, true);
    state.PauseTiming();
    palette.ForgetJournal();
    state.ResumeTiming();
  }
  meter.Report(state);
  state.counters["features"] = benchmark::Counter(
      static_cast<double>(palette.FeaturesSent() - before), benchmark::Counter::kAvgIterations);
}

void BM_AddFeatures(benchmark::State& state) {
  ExportFeatures(state, PaletteOf(state.range(0)));
}
BENCHMARK(BM_AddFeatures)->Apply(DrawingSizes)->Unit(benchmark::kMillisecond);

void SameView(benchmark::State& state, ViewerKind kind) {
  BenchPalette& palette = PaletteOf(state.range(0), kind);
  palette.SetTotalExtent(kView, GeneratedDrawing::FixedFootprint());
  ExportFeatures(state, palette);
  palette.SetTotalExtent(kView, palette.generated.TotalExtent(kView));
}

void BM_AddFeaturesSameView(benchmark::State& state) {
  SameView(state, ViewerKind::Simulated);
}
BENCHMARK(BM_AddFeaturesSameView)->Apply(DrawingSizes)->Unit(benchmark::kMillisecond);

void BM_AddFeatures_QuietViewer(benchmark::State& state) {
  ExportFeatures(state, PaletteOf(state.range(0), ViewerKind::Quiet));
}
BENCHMARK(BM_AddFeatures_QuietViewer)->Apply(DrawingSizes)->Unit(benchmark::kMillisecond);

void BM_AddFeaturesSameView_QuietViewer(benchmark::State& state) {
  SameView(state, ViewerKind::Quiet);
}
BENCHMARK(BM_AddFeaturesSameView_QuietViewer)->Apply(DrawingSizes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nimbo::bench
