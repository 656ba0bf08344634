// One vnvEvents_ExtentChanged end to end: the five views read again, the three display
// layers redrawn, the drawing following the viewer, every mosaic view's features sent
// again and its overlays activated and refreshed.
#include <benchmark/benchmark.h>

#include "bench/bench_counters.h"
#include "bench/bench_palette.h"

namespace nimbo::bench {
namespace {

void BM_ExtentChanged(benchmark::State& state) {
  BenchPalette& palette = PaletteOf(state.range(0));
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
BENCHMARK(BM_ExtentChanged)->Apply(DrawingSizes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nimbo::bench
