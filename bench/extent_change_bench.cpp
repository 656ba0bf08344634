// One vnvEvents_ExtentChanged end to end: the five views read again, the three display
// layers redrawn, the drawing following the viewer, every mosaic view's features sent
// again and its overlays activated and refreshed.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_counters.h"
#include "bench/bench_palette.h"
#include "control/display_layers.h"
#include "host/viewer_views.h"

namespace nimbo::bench {
namespace {

// The timed extent changes of one benchmark, `k` counting the pan's steps; one more
// change after the loop checks that none of them failed.
void TimeExtentChanges(benchmark::State& state, BenchPalette& palette, int64_t& k) {
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

void ExtentChanges(benchmark::State& state, ViewerKind kind) {
  int64_t k = 0;
  TimeExtentChanges(state, PaletteOf(state.range(0), kind), k);
}

void BM_ExtentChanged(benchmark::State& state) {
  ExtentChanges(state, ViewerKind::Simulated);
}
BENCHMARK(BM_ExtentChanged)->Apply(DrawingSizes)->Unit(benchmark::kMillisecond);

void BM_ExtentChanged_QuietViewer(benchmark::State& state) {
  ExtentChanges(state, ViewerKind::Quiet);
}
BENCHMARK(BM_ExtentChanged_QuietViewer)->Apply(DrawingSizes)->Unit(benchmark::kMillisecond);

// All five views over the same small region of every drawing, so that they show the same
// features whatever the drawing's size: what an extent change costs beyond what the views
// show is then the difference between sizes.
void SameViews(benchmark::State& state, ViewerKind kind) {
  BenchPalette& palette = PaletteOf(state.range(0), kind);
  for (int view = 1; view <= host::kViewCount; ++view) {
    palette.SetTotalExtent(view, GeneratedDrawing::FixedFootprint());
  }
  int64_t k = 0;
  palette.RaiseExtentChanged(++k);  // the display layers redrawn over the new views
  palette.ForgetJournal();
  TimeExtentChanges(state, palette, k);
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

// The five polylines a redraw leaves on the visible-extent layer (one per view), put back
// by setup, which makes no host call and writes nothing to the journal.
void RefillVisibleExtentLayer(BenchPalette& palette) {
  for (int view = 1; view <= 5; ++view) {
    const ViewerCorners c = palette.generated.VisibleExtent(view);
    standalone::EntityData outline;
    outline.kind = standalone::EntityKind::Polyline;
    outline.layer = control::kVisibleExtentLayer;
    outline.closed = true;
    // UL, UR, LR, LL, as Bound keeps them.
    outline.points = {c[0], c[1], c[2], c[3], c[6], c[7], c[4], c[5]};
    palette.drawing->AddEntity(standalone::Space::Model(), outline);
  }
}

// One DeleteAll (through the control's published interface) of the visible-extent layer
// holding its five polylines: what each redraw of a display layer pays before it draws.
// Its cost should follow the layer's entities, not the drawing.
void BM_DeleteAll(benchmark::State& state) {
  BenchPalette& palette = PaletteOf(state.range(0));
  std::string layername = control::kVisibleExtentLayer;
  palette.control->DeleteAll(layername);
  const CallMeter meter(palette);
  for (auto _ : state) {
    state.PauseTiming();
    RefillVisibleExtentLayer(palette);
    state.ResumeTiming();
    palette.control->DeleteAll(layername);
  }
  meter.Report(state);
  palette.ExpectNoFailure("DeleteAll");
  palette.ForgetJournal();
}
BENCHMARK(BM_DeleteAll)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nimbo::bench
