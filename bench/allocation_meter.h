// Counts the heap. The benchmark program replaces the global operator new, so that every
// allocation of the program (the drawing's, the index's, the control's, the viewer's) is
// counted; the bytes in use come from the allocator itself (mallinfo2), chunk overhead
// and all, so that a drawing is charged what it really holds.
#pragma once

#include <cstdint>

namespace nimbo::bench {

struct HeapCount {
  int64_t allocations = 0;  // made so far
  int64_t bytesInUse = 0;   // held now, in chunks and in mapped blocks
};

HeapCount Heap();

}  // namespace nimbo::bench
