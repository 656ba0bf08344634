// Model space's entities by layer, for the filtered selection of a layer's entities: its
// cost follows the entities on the layer, not the drawing. Each layer (by number, which
// the layer table finds by the upper-cased name) keeps its entities' handles. Adding an
// entity appends its handle; a delete or a change of layer only counts the entry stale,
// and a layer's list is tidied (stale entries dropped, sorted back into model-space
// order) when it is read or when its stale entries outnumber its live ones. A model-space
// entity costs 4 bytes here, with the lists' spare capacity.
#pragma once

#include <cstdint>
#include <vector>

#include "standalone/cad/entity_store.h"

namespace nimbo::standalone {

class ModelLayerIndex {
 public:
  // A live entity placed in model space (its handle is the largest so far).
  void Added(EntityHandle h, uint32_t layer);
  // A model-space entity killed (its record is already dead).
  void Removed(const EntityStore& store, uint32_t layer);
  // A live model-space entity whose record now names layer `to`.
  void Moved(const EntityStore& store, EntityHandle h, uint32_t from, uint32_t to);

  // The layer's live model-space entities, in model-space order.
  std::vector<EntityHandle> Select(const EntityStore& store, uint32_t layer);

 private:
  struct Members {
    std::vector<EntityHandle> handles;  // may hold stale or repeated entries
    uint32_t live = 0;
    bool sorted = true;  // strictly increasing
  };
  Members& Of(uint32_t layer);
  void Append(Members& members, EntityHandle h);
  void TidyWhenMostlyStale(const EntityStore& store, uint32_t layer, Members& members);
  static void Tidy(const EntityStore& store, uint32_t layer, Members& members);

  std::vector<Members> layers_;  // by layer number
};

}  // namespace nimbo::standalone
