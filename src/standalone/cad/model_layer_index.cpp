#include "standalone/cad/model_layer_index.h"

#include <algorithm>

namespace nimbo::standalone {

namespace {

// Stale entries a layer may keep beyond its live ones before it is tidied: a few, so that
// a small layer redrawn again and again is not tidied at every delete.
constexpr size_t kStaleAllowance = 16;

}  // namespace

ModelLayerIndex::Members& ModelLayerIndex::Of(uint32_t layer) {
  if (layer >= layers_.size()) layers_.resize(size_t{layer} + 1);
  return layers_[layer];
}

void ModelLayerIndex::Append(Members& members, EntityHandle h) {
  if (!members.handles.empty() && members.handles.back() >= h) members.sorted = false;
  members.handles.push_back(h);
  ++members.live;
}

void ModelLayerIndex::Added(EntityHandle h, uint32_t layer) {
  Append(Of(layer), h);
}

void ModelLayerIndex::Removed(const EntityStore& store, uint32_t layer) {
  Members& members = Of(layer);
  --members.live;
  TidyWhenMostlyStale(store, layer, members);
}

void ModelLayerIndex::Moved(const EntityStore& store, EntityHandle h, uint32_t from, uint32_t to) {
  if (from == to) return;
  Members& old = Of(from);
  --old.live;
  TidyWhenMostlyStale(store, from, old);
  // Of(to) may grow the table, so `old` is not used after it.
  Append(Of(to), h);
}

std::vector<EntityHandle> ModelLayerIndex::Select(const EntityStore& store, uint32_t layer) {
  if (layer >= layers_.size()) return {};
  Members& members = layers_[layer];
  Tidy(store, layer, members);
  return members.handles;
}

void ModelLayerIndex::TidyWhenMostlyStale(const EntityStore& store, uint32_t layer,
                                          Members& members) {
  if (members.handles.size() - members.live > members.live + kStaleAllowance) {
    Tidy(store, layer, members);
  }
}

void ModelLayerIndex::Tidy(const EntityStore& store, uint32_t layer, Members& members) {
  if (members.handles.size() == members.live && members.sorted) return;
  // An entry is current while its entity lives and still names this layer; an entity
  // that left the layer and came back has two entries, made one by the sort.
  std::erase_if(members.handles, [&](EntityHandle h) {
    const EntityRecord& r = store.At(h);
    return !r.live || r.layer != layer;
  });
  if (!members.sorted) {
    std::sort(members.handles.begin(), members.handles.end());
    members.handles.erase(std::unique(members.handles.begin(), members.handles.end()),
                          members.handles.end());
    members.sorted = true;
  }
  if (members.handles.capacity() / 2 > members.handles.size()) members.handles.shrink_to_fit();
}

}  // namespace nimbo::standalone
