// One vnvEvents_ExtentChanged end to end: the five views read again, the three display
// layers redrawn, the drawing following the viewer, every mosaic view's features sent
// again and its overlays activated and refreshed.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_counters.h"
#include "bench/bench_palette.h"

namespace nimbo::bench {
namespace {

void ExtentChanges(benchmark::State& state, ViewerKind kind) {
  BenchPalette& palette = PaletteOf(state.range(0), kind);
  int64_t k = 0;
  const CallMeter meter(palette);
  for (auto _ : state) {
    palette.RaiseExtentChanged(++k);
    state.PauseTiming();
    palette.ForgetJournal();
    state.ResumeTiming();
  }
  meter.Report(state);
  palette.RaiseExtentChanged(++k);
  palette.ExpectNoFailure("an extent change");
  palette.ForgetJournal();
}

void BM_ExtentChanged(benchmark::State& state) {
  ExtentChanges(state, ViewerKind::Simulated);
}
BENCHMARK(BM_ExtentChanged)->Apply(DrawingSizes)->Unit(benchmark::kMillisecond);

void BM_ExtentChanged_QuietViewer(benchmark::State& state) {
  ExtentChanges(state, ViewerKind::Quiet);
}
BENCHMARK(BM_ExtentChanged_QuietViewer)->Apply(DrawingSizes)->Unit(benchmark::kMillisecond);

// One pass of DeleteAll over model space, through the control's published interface, for
// a layer that holds nothing: what each of the three redraws of an extent change pays
// before it draws, by the size of the drawing.
void BM_DeleteAllPass(benchmark::State& state) {
  BenchPalette& palette = PaletteOf(state.range(0));
  std::string layername = "NoSuchLayer";
  const CallMeter meter(palette);
  for (auto _ : state) palette.control->DeleteAll(layername);
  meter.Report(state);
  state.counters["per_entity"] = benchmark::Counter(
      static_cast<double>(palette.drawing->EntityCount(standalone::Space::Model())),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DeleteAllPass)->Apply(DrawingSizes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nimbo::bench
