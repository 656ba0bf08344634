// The drawing's entities, stored as the ezdxf model does: the store owns every entity by
// handle (a dense number, never reused); model space, paper space and the block
// definitions hold lists of handles. Deleting an entity marks it dead (its handle stays,
// its data is freed) and the owner's handle list is compacted later, when no enumeration
// of it is running, so that deleting while enumerating is safe. A simple entity costs 4
// bytes of handle list beside its record.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "standalone/cad/entity_record.h"

namespace nimbo::standalone {

class EntityStore {
 public:
  static constexpr EntityHandle kNoHandle = UINT32_MAX;

  // `serial` makes the numeric object ids distinct from other drawings' (see ObjectIdOf).
  explicit EntityStore(int serial);
  ~EntityStore();
  EntityStore(const EntityStore&) = delete;
  EntityStore& operator=(const EntityStore&) = delete;

  // ----- records ----------------------------------------------------------------------

  // A new record, not live and in no space yet.
  EntityHandle NewRecord();
  // Inline: every member of every entity object reads its record through these.
  EntityRecord& At(EntityHandle h) { return chunks_[h >> kChunkBits][h & kChunkMask]; }
  const EntityRecord& At(EntityHandle h) const { return chunks_[h >> kChunkBits][h & kChunkMask]; }
  // Throw std::out_of_range when not live.
  const EntityRecord& LiveAt(EntityHandle h) const {
    if (!IsLive(h)) NotLive();
    return At(h);
  }
  EntityRecord& LiveAt(EntityHandle h) {
    if (!IsLive(h)) NotLive();
    return At(h);
  }
  bool IsLive(EntityHandle h) const { return h < recordCount_ && At(h).live; }
  // Asks the processor for the record ahead of its use: an enumeration in handle order
  // reads records far apart, each a few cache lines. PrefetchPoints, once the record is
  // at hand, likewise asks for its points.
  void Prefetch(EntityHandle h) const {
    if (h >= recordCount_) return;
    const char* record = reinterpret_cast<const char*>(&At(h));
    for (size_t at = 0; at < sizeof(EntityRecord); at += 64) __builtin_prefetch(record + at);
    __builtin_prefetch(record + sizeof(EntityRecord) - 1);
  }
  void PrefetchPoints(EntityHandle h) const {
    if (h >= recordCount_) return;
    const std::vector<double>& points = At(h).points;
    if (!points.empty()) __builtin_prefetch(points.data());
  }
  // Marks the live entity dead and frees what it held; its record stays, so its handle is
  // never reused and enumerations and selection sets can skip it.
  void Kill(EntityHandle h);
  uint64_t Deletions() const { return deletions_; }

  int64_t ObjectIdOf(EntityHandle h) const;
  // The live entity of that numeric object id, or kNoHandle.
  EntityHandle HandleOfObjectId(int64_t objectId) const;

  // ----- spaces -----------------------------------------------------------------------

  struct SpaceList {
    std::vector<EntityHandle> handles;
    uint32_t live = 0;
    uint32_t dead = 0;  // dead handles still in the list
    int enumerating = 0;
  };

  bool SpaceExists(Space space) const { return space.code < spaces_.size(); }
  void AddSpace() { spaces_.emplace_back(); }
  SpaceList& List(Space space) { return spaces_.at(space.code); }
  const SpaceList& List(Space space) const { return spaces_.at(space.code); }
  // Every space: model, paper, then one per block.
  const std::deque<SpaceList>& Lists() const { return spaces_; }
  // Appends the live record's handle to its owner's list.
  void Place(EntityHandle h);
  // The index-th live entity of the space (zero-based), or kNoHandle.
  EntityHandle ItemOf(Space space, uint32_t index);
  void BeginEnumeration(Space space);
  void EndEnumeration(Space space);

 private:
  static constexpr uint32_t kChunkBits = 10;
  static constexpr uint32_t kChunkMask = (1u << kChunkBits) - 1;
  [[noreturn]] static void NotLive();
  void Compact(SpaceList& list);

  int64_t objectIdBase_;
  std::vector<std::unique_ptr<EntityRecord[]>> chunks_;
  uint32_t recordCount_ = 0;
  std::deque<SpaceList> spaces_;  // model, paper, then one per block (stable addresses)
  uint64_t deletions_ = 0;
};

}  // namespace nimbo::standalone
