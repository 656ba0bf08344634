// One vnvEvents_ExtentChanged with all five views over the same small region of every
// drawing, so that they show the same features whatever the drawing's size: what an
// extent change costs beyond what the views show is then the difference between sizes.
#include <benchmark/benchmark.h>

#include "bench/bench_counters.h"
#include "bench/bench_palette.h"
#include "host/viewer_views.h"

namespace nimbo::bench {
namespace {

void SameViews(benchmark::State& state, ViewerKind kind) {
  BenchPalette& palette = PaletteOf(state.range(0), kind);
  for (int view = 1; view <= host::kViewCount; ++view) {
    palette.SetTotalExtent(view, GeneratedDrawing::FixedFootprint());
  }
  int64_t k = 0;
  palette.RaiseExtentChanged(++k);  // the display layers redrawn over the new views
  palette.ForgetJournal();
  const CallMeter meter(palette);
  for (auto _ : state) {
    palette.RaiseExtentChanged(++k);
    state.PauseTiming();
    palette.ForgetJournal();
    state.ResumeTiming();
  }
  meter.Report(state);
  palette.ExpectNoFailure("an extent change over the same views");
  for (int view = 1; view <= host::kViewCount; ++view) {
    palette.SetTotalExtent(view, palette.generated.TotalExtent(view));
  }
  palette.RaiseExtentChanged(++k);
  palette.ForgetJournal();
}

void BM_ExtentChangedSameViews(benchmark::State& state) {
  SameViews(state, ViewerKind::Simulated);
}
BENCHMARK(BM_ExtentChangedSameViews)->Apply(DrawingSizes)->Unit(benchmark::kMillisecond);

void BM_ExtentChangedSameViews_QuietViewer(benchmark::State& state) {
  SameViews(state, ViewerKind::Quiet);
}
BENCHMARK(BM_ExtentChangedSameViews_QuietViewer)
    ->Apply(DrawingSizes)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nimbo::bench
