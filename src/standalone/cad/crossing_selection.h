// Crossing selection in model space: the live model-space entities that lie inside a
// polygon or cross its boundary. Model space keeps a spatial index of its entities'
// bounding boxes (some 25 bytes an entity), built in one pass when first needed and kept
// up to date afterwards.
#pragma once

#include <cstdint>
#include <vector>

#include "standalone/cad/entity_store.h"
#include "standalone/cad/spatial_index.h"

namespace nimbo::standalone {

class CrossingSelection {
 public:
  // A live entity placed in model space, and one about to be killed there (while its
  // geometry is still at hand).
  void Added(EntityHandle h, const EntityRecord& record);
  void Removed(EntityHandle h, const EntityRecord& record);

  // The selected handles, in model-space order.
  std::vector<EntityHandle> Select(const EntityStore& store,
                                   const spatial::CrossingPolygon& polygon);

 private:
  void EnsureIndex(const EntityStore& store);
  // Puts distinct handles in increasing order.
  void InHandleOrder(std::vector<EntityHandle>& handles);

  spatial::SpatialIndex index_;
  bool built_ = false;
  std::vector<EntityHandle> candidates_;  // kept: a query's buffer, grown once
  std::vector<uint64_t> bits_;            // kept for InHandleOrder, all clear between calls
};

}  // namespace nimbo::standalone
