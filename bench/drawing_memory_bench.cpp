// The in-memory drawing's size: the heap it holds once built and indexed (the spatial
// index is built by the first selection), against the budget of 200 bytes a simple entity
// plus 16 a polyline vertex. Measured on the generated drawing and on a drawing of as many
// points at the same places, whose difference is what the polylines' vertices cost. The
// time is that of building both.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/allocation_meter.h"
#include "bench/bench_counters.h"
#include "bench/generated_drawing.h"
#include "standalone/cad/memory_drawing.h"

namespace nimbo::bench {
namespace {

constexpr double kBytesPerEntity = 200;
constexpr double kBytesPerPolylineVertex = 16;

using standalone::Drawing;
using standalone::EntityKind;

// What the drawing holds after `fill`, with its index built. Only the building is timed:
// asking the allocator what it holds walks its free lists, which takes milliseconds.
template <class Fill>
int64_t HeldBy(benchmark::State& state, Fill fill, std::unique_ptr<Drawing>& drawing) {
  static const standalone::spatial::CrossingPolygon probe({{0, 0}, {1, 0}, {1, 1}});
  state.PauseTiming();
  const HeapCount before = Heap();
  state.ResumeTiming();
  drawing = std::make_unique<Drawing>(kDrawingName);
  fill(*drawing);
  drawing->SelectCrossing(probe);
  state.PauseTiming();
  const int64_t held = Heap().bytesInUse - before.bytesInUse;
  state.ResumeTiming();
  return held;
}

void FillWithPoints(const GeneratedDrawing& generated, Drawing& drawing) {
  standalone::EntityData point;
  point.kind = EntityKind::Point;
  point.layer = kGeneratedLayers[0].name;
  generated.ForEach([&](const GeneratedEntity& e) {
    point.at = {e.xy[0], e.xy[1], 0};
    drawing.AddEntity(standalone::Space::Model(), point);
  });
}

void BM_DrawingMemory(benchmark::State& state) {
  const GeneratedDrawing& generated = DrawingOf(state.range(0));
  int64_t polylineVertices = 0;
  generated.ForEach([&](const GeneratedEntity& e) {
    if (e.kind == EntityKind::Polyline) polylineVertices += static_cast<int64_t>(e.xy.size() / 2);
  });
  std::unique_ptr<Drawing> drawing;
  int64_t held = 0;
  int64_t heldByPoints = 0;
  for (auto _ : state) {
    held = HeldBy(
        state, [&](Drawing& d) { generated.Fill(d); }, drawing);
    state.PauseTiming();
    drawing.reset();
    state.ResumeTiming();
    // The points' drawing is built in the timed loop too, so the time is that of both.
    heldByPoints = HeldBy(
        state, [&](Drawing& d) { FillWithPoints(generated, d); }, drawing);
    state.PauseTiming();
    drawing.reset();
    state.ResumeTiming();
  }
  const auto n = static_cast<double>(generated.EntityCount());
  state.counters["bytes_per_entity"] = static_cast<double>(held) / n;
  state.counters["budget_per_entity"] =
      kBytesPerEntity + kBytesPerPolylineVertex * static_cast<double>(polylineVertices) / n;
  state.counters["bytes_per_point"] = static_cast<double>(heldByPoints) / n;
  state.counters["bytes_per_polyline_vertex"] =
      static_cast<double>(held - heldByPoints) / static_cast<double>(polylineVertices);
}
BENCHMARK(BM_DrawingMemory)->Apply(DrawingSizes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nimbo::bench
