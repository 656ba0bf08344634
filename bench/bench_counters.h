// What every benchmark reports beside its time: the outside calls and the heap
// allocations per operation, taken from the counts before and after the timed loop.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench/allocation_meter.h"
#include "bench/bench_palette.h"

namespace nimbo::bench {

// The drawing sizes every benchmark runs on.
inline void DrawingSizes(benchmark::internal::Benchmark* b) {
  for (const int64_t n : {1'000, 10'000, 100'000, 1'000'000}) b->Arg(n);
}

class CallMeter {
 public:
  explicit CallMeter(const BenchPalette& palette)
      : palette_(palette), calls_(palette.Calls()), heap_(Heap()) {}

  // Sets viewer_calls, host_calls and allocs, each per iteration.
  void Report(benchmark::State& state) const {
    const OutsideCalls calls = palette_.Calls();
    const HeapCount heap = Heap();
    const auto perIteration = benchmark::Counter::kAvgIterations;
    state.counters["viewer_calls"] =
        benchmark::Counter(static_cast<double>(calls.viewer - calls_.viewer), perIteration);
    state.counters["host_calls"] =
        benchmark::Counter(static_cast<double>(calls.host - calls_.host), perIteration);
    state.counters["allocs"] =
        benchmark::Counter(static_cast<double>(heap.allocations - heap_.allocations), perIteration);
  }

 private:
  const BenchPalette& palette_;
  OutsideCalls calls_;
  HeapCount heap_;
};

}  // namespace nimbo::bench
