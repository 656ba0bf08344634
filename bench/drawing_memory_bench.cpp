// The in-memory drawing's size: the heap it holds once built and indexed (the spatial
// index is built by the first selection), per entity, against the budget of 200 bytes a
// simple entity plus 16 a polyline vertex. The time is that of building it.
#include <benchmark/benchmark.h>

#include "bench/allocation_meter.h"
#include "bench/bench_counters.h"
#include "bench/generated_drawing.h"
#include "standalone/memory_drawing.h"

namespace nimbo::bench {
namespace {

constexpr double kBytesPerEntity = 200;
constexpr double kBytesPerPolylineVertex = 16;

void BM_DrawingMemory(benchmark::State& state) {
  const GeneratedDrawing& generated = DrawingOf(state.range(0));
  int64_t polylineVertices = 0;
  generated.ForEach([&](const GeneratedEntity& e) {
    if (e.kind == standalone::EntityKind::Polyline) {
      polylineVertices += static_cast<int64_t>(e.xy.size() / 2);
    }
  });
  const standalone::spatial::CrossingPolygon probe({{0, 0}, {1, 0}, {1, 1}});
  int64_t held = 0;
  for (auto _ : state) {
    const HeapCount before = Heap();
    auto drawing = std::make_unique<standalone::Drawing>(kDrawingName);
    generated.Fill(*drawing);
    drawing->SelectCrossing(probe);
    held = Heap().liveBytes - before.liveBytes;
    state.PauseTiming();
    drawing.reset();
    state.ResumeTiming();
  }
  const auto n = static_cast<double>(generated.EntityCount());
  state.counters["bytes_per_entity"] = static_cast<double>(held) / n;
  state.counters["budget_per_entity"] =
      kBytesPerEntity + kBytesPerPolylineVertex * static_cast<double>(polylineVertices) / n;
  state.counters["vertices_per_entity"] = static_cast<double>(generated.VertexCount()) / n;
}
BENCHMARK(BM_DrawingMemory)->Apply(DrawingSizes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nimbo::bench
