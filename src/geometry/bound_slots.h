// The per-view slots of bounds, one for each of the viewer's views, indexed from 1.
#pragma once

#include <array>

#include "automation/error.h"
#include "geometry/bound.h"
#include "host/viewer_views.h"

namespace nimbo::geometry {

class BoundSlots {
 public:
  static constexpr int kViews = host::kViewCount;

  // An index outside 1..kViews is a subscript out of range (9).
  BoundRef& operator()(int index) {
    if (index < 1 || index > kViews) {
      throw automation::errors::Standard(automation::errors::kSubscriptOutOfRange);
    }
    return slots_[static_cast<size_t>(index - 1)];
  }
  const BoundRef& operator()(int index) const { return const_cast<BoundSlots&>(*this)(index); }

  void Clear() {
    for (BoundRef& slot : slots_) slot = nullptr;
  }

 private:
  std::array<BoundRef, kViews> slots_;
};

}  // namespace nimbo::geometry
