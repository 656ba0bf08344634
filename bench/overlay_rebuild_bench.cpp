// One overlay rebuild, as vnvEvents_OverlaysPermissionChanged with True runs it: the
// overlays reset, the offered layers listed again and registered, and every active view
// given its features, activated and refreshed.
#include <benchmark/benchmark.h>

#include "bench/bench_counters.h"
#include "bench/bench_palette.h"

namespace nimbo::bench {
namespace {

void BM_OverlayRebuild(benchmark::State& state) {
  BenchPalette& palette = PaletteOf(state.range(0));
  const CallMeter meter(palette);
  for (auto _ : state) {
    palette.RaiseOverlaysPermissionChanged(true);
    state.PauseTiming();
    palette.ForgetJournal();
    state.ResumeTiming();
  }
  meter.Report(state);
  palette.RaiseOverlaysPermissionChanged(true);
  palette.ExpectNoFailure("an overlay rebuild");
  palette.ForgetJournal();
}
BENCHMARK(BM_OverlayRebuild)->Apply(DrawingSizes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nimbo::bench
