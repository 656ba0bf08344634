#include "standalone/cad/entity_store.h"

#include <stdexcept>

namespace nimbo::standalone {

namespace {

// Object ids of drawing n start at 0x20000000 + (n mod 32) * 0x02000000 and step by 8, as
// the CAD application's do: each drawing's ids are its own (for four million entities), and
// every id fits the 32-bit Long that automation clients of release 17 keep them in.
constexpr int64_t kObjectIdStart = 0x20000000;
constexpr int64_t kObjectIdsPerDrawing = 0x02000000;
constexpr int kObjectIdRanges = 32;
constexpr int64_t kObjectIdStep = 8;

}  // namespace

EntityStore::EntityStore(int serial)
    : objectIdBase_(kObjectIdStart + (serial % kObjectIdRanges) * kObjectIdsPerDrawing) {
  spaces_.resize(2);
}

EntityStore::~EntityStore() = default;

// ----- records ----------------------------------------------------------------------

void EntityStore::NotLive() {
  throw std::out_of_range("no live entity of that handle");
}

EntityHandle EntityStore::NewRecord() {
  if ((recordCount_ >> kChunkBits) >= chunks_.size()) {
    chunks_.push_back(std::make_unique<EntityRecord[]>(size_t{1} << kChunkBits));
  }
  return recordCount_++;
}

void EntityStore::Kill(EntityHandle h) {
  EntityRecord& r = At(h);
  r.live = false;
  ++deletions_;
  SpaceList& list = spaces_[r.owner];
  --list.live;
  ++list.dead;
  std::string().swap(r.id);
  std::vector<double>().swap(r.points);
  r.detail.reset();
}

int64_t EntityStore::ObjectIdOf(EntityHandle h) const {
  return objectIdBase_ + kObjectIdStep * h;
}

EntityHandle EntityStore::HandleOfObjectId(int64_t objectId) const {
  const int64_t offset = objectId - objectIdBase_;
  if (offset < 0 || offset % kObjectIdStep != 0) return kNoHandle;
  const int64_t h = offset / kObjectIdStep;
  if (h >= recordCount_ || !At(static_cast<EntityHandle>(h)).live) return kNoHandle;
  return static_cast<EntityHandle>(h);
}

// ----- spaces -----------------------------------------------------------------------

void EntityStore::Place(EntityHandle h) {
  SpaceList& list = spaces_.at(At(h).owner);
  list.handles.push_back(h);
  ++list.live;
}

void EntityStore::Compact(SpaceList& list) {
  if (list.dead == 0 || list.enumerating > 0) return;
  std::erase_if(list.handles, [this](EntityHandle h) { return !At(h).live; });
  if (list.handles.capacity() / 2 > list.handles.size()) list.handles.shrink_to_fit();
  list.dead = 0;
}

EntityHandle EntityStore::ItemOf(Space space, uint32_t index) {
  SpaceList& list = List(space);
  Compact(list);
  if (index >= list.live) return kNoHandle;
  if (list.dead == 0) return list.handles[index];
  // Within an enumeration: count the live ones.
  for (const EntityHandle h : list.handles) {
    if (At(h).live && index-- == 0) return h;
  }
  return kNoHandle;
}

void EntityStore::BeginEnumeration(Space space) {
  ++List(space).enumerating;
}

void EntityStore::EndEnumeration(Space space) {
  SpaceList& list = List(space);
  --list.enumerating;
  // Not after every enumeration that deleted something: redrawing a display layer
  // deletes a few entities of a large model space each time, and a pass over all its
  // handles each time would cost as much as the enumeration. Dead handles are skipped,
  // and ItemOf compacts when it needs positions.
  if (list.dead >= list.live / 4) Compact(list);
}

}  // namespace nimbo::standalone
