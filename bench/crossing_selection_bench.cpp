// A crossing-polygon selection of the in-memory host alone, through its automation
// objects as the feature export uses them: a named set added, selected into by the
// polygon of view 1's total extent, counted and deleted.
#include <benchmark/benchmark.h>

#include "automation/object_cast.h"
#include "bench/bench_counters.h"
#include "bench/bench_palette.h"

namespace nimbo::bench {
namespace {

automation::DoubleArray Ring(const ViewerCorners& c) {
  // Upper-left, upper-right, lower-right, lower-left, with z 0.
  return automation::DoubleArray{0, {c[0], c[1], 0, c[2], c[3], 0, c[6], c[7], 0, c[4], c[5], 0}};
}

void BM_CrossingSelection(benchmark::State& state) {
  BenchPalette& palette = PaletteOf(state.range(0));
  const automation::DoubleArray polygon = Ring(palette.generated.TotalExtent(1));
  host::DocumentRef document = palette.Document();
  int64_t selected = 0;
  const CallMeter meter(palette);
  for (auto _ : state) {
    auto sets = automation::Require<host::SelectionSets>(document->SelectionSets());
    auto set = automation::Require<host::SelectionSet>(sets->Add("BenchSelection"));
    set->SelectByPolygon(host::selection_mode::kCrossingPolygon, polygon);
    selected += set->Count();
    set->Delete();
    state.PauseTiming();
    palette.ForgetJournal();
    state.ResumeTiming();
  }
  meter.Report(state);
  state.counters["selected"] =
      benchmark::Counter(static_cast<double>(selected), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_CrossingSelection)->Apply(DrawingSizes)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace nimbo::bench
