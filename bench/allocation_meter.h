// Counts the heap: the benchmark program replaces the global operator new and delete, so
// that every allocation of the program (the drawing's, the index's, the control's) is
// seen. Sizes are what the allocator really hands out (malloc_usable_size), slack
// included, not what was asked for.
#pragma once

#include <cstdint>

namespace nimbo::bench {

struct HeapCount {
  int64_t allocations = 0;  // made so far
  int64_t liveBytes = 0;    // held now
};

HeapCount Heap();

}  // namespace nimbo::bench
