#include "standalone/cad/crossing_selection.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>

namespace nimbo::standalone {

namespace {

// How far ahead of the one being tested a record is asked for.
constexpr size_t kLookAhead = 4;

spatial::Vec2 Flat(const Point3& p) {
  return {p.x, p.y};
}

spatial::Box BoxOf(const EntityRecord& r) {
  spatial::Box box;
  switch (r.kind) {
    case EntityKind::Polyline:
    case EntityKind::Region:
    case EntityKind::Solid:
      for (size_t i = 0; i + 1 < r.points.size(); i += 2)
        box.Extend({r.points[i], r.points[i + 1]});
      break;
    case EntityKind::Line:
      box.Extend({r.g[0], r.g[1]});
      box.Extend({r.g[3], r.g[4]});
      break;
    case EntityKind::Point:
    case EntityKind::Text:
    case EntityKind::BlockReference:
    case EntityKind::AttributeDefinition:
      box.Extend({r.g[0], r.g[1]});
      break;
    case EntityKind::Circle:
    case EntityKind::Arc: {
      const double radius = std::fabs(r.g[3]);
      box.Extend({r.g[0] - radius, r.g[1] - radius});
      box.Extend({r.g[0] + radius, r.g[1] + radius});
      break;
    }
    case EntityKind::AlignedDimension:
    case EntityKind::AngularDimension: {
      const int points = r.kind == EntityKind::AlignedDimension ? 3 : 4;
      for (int i = 0; i < points; ++i) box.Extend(Flat(r.detail->p[i]));
      break;
    }
  }
  return box;
}

bool Touches(const EntityRecord& r, const spatial::CrossingPolygon& polygon) {
  switch (r.kind) {
    case EntityKind::Polyline:
      return polygon.TouchesPolyline(r.points.data(), r.points.size() / 2, r.closed);
    case EntityKind::Region:
    case EntityKind::Solid:
      return polygon.TouchesPolyline(r.points.data(), r.points.size() / 2, true);
    case EntityKind::Line:
      return polygon.TouchesSegment({r.g[0], r.g[1]}, {r.g[3], r.g[4]});
    case EntityKind::Point:
    case EntityKind::Text:
    case EntityKind::BlockReference:
    case EntityKind::AttributeDefinition:
      return polygon.Contains({r.g[0], r.g[1]});
    case EntityKind::Circle:
      return polygon.TouchesCircle({r.g[0], r.g[1]}, r.g[3]);
    case EntityKind::Arc:
      return polygon.TouchesArc({r.g[0], r.g[1]}, r.g[3], r.g[4], r.g[5]);
    case EntityKind::AlignedDimension:
    case EntityKind::AngularDimension: {
      const int points = r.kind == EntityKind::AlignedDimension ? 3 : 4;
      for (int i = 0; i < points; ++i) {
        if (polygon.Contains(Flat(r.detail->p[i]))) return true;
      }
      return false;
    }
  }
  return false;
}

}  // namespace

void CrossingSelection::Added(EntityHandle h, const EntityRecord& record) {
  if (built_) index_.Insert(h, BoxOf(record));
}

void CrossingSelection::Removed(EntityHandle h, const EntityRecord& record) {
  if (built_) index_.Remove(h, BoxOf(record));
}

void CrossingSelection::EnsureIndex(const EntityStore& store) {
  if (built_) return;
  std::vector<std::pair<spatial::Box, uint32_t>> entries;
  const EntityStore::SpaceList& model = store.List(Space::Model());
  entries.reserve(model.live);
  for (const EntityHandle h : model.handles) {
    const EntityRecord& r = store.At(h);
    if (r.live) entries.emplace_back(BoxOf(r), h);
  }
  index_.Build(entries);
  built_ = true;
}

void CrossingSelection::InHandleOrder(std::vector<EntityHandle>& handles) {
  // Handles grow with creation and model space is in creation order. Distinct handles
  // are put in order through a bit for each, set and then read back (and cleared) from
  // the lowest to the highest: cheaper than a sort, as the handles are dense.
  if (handles.empty()) return;
  EntityHandle lowest = handles.front();
  EntityHandle highest = handles.front();
  for (const EntityHandle h : handles) {
    lowest = std::min(lowest, h);
    highest = std::max(highest, h);
  }
  const size_t words = (highest >> 6) + 1;
  // Handles spread over a wide range (a small view over a large drawing) would make the
  // pass over the bits follow the drawing: those are sorted instead.
  if (words - (lowest >> 6) > 2 * handles.size()) {
    std::sort(handles.begin(), handles.end());
    return;
  }
  if (bits_.size() < words) bits_.resize(words, 0);
  for (const EntityHandle h : handles) bits_[h >> 6] |= uint64_t{1} << (h & 63);
  size_t at = 0;
  for (size_t w = lowest >> 6; w < words; ++w) {
    uint64_t word = bits_[w];
    bits_[w] = 0;
    while (word != 0) {
      handles[at++] =
          static_cast<EntityHandle>((w << 6) + static_cast<size_t>(std::countr_zero(word)));
      word &= word - 1;
    }
  }
}

std::vector<EntityHandle> CrossingSelection::Select(const EntityStore& store,
                                                    const spatial::CrossingPolygon& polygon) {
  EnsureIndex(store);
  candidates_.clear();
  index_.Query(polygon.Bounds(), candidates_);
  InHandleOrder(candidates_);
  // Read in the order they are stored in, the candidates' records come from memory
  // ahead of their test; what passes is in order already.
  std::vector<EntityHandle> selected;
  selected.reserve(candidates_.size());
  const size_t n = candidates_.size();
  for (size_t i = 0; i < n; ++i) {
    if (i + kLookAhead < n) store.Prefetch(candidates_[i + kLookAhead]);
    const EntityHandle h = candidates_[i];
    const EntityRecord& r = store.At(h);
    if (r.live && Touches(r, polygon)) selected.push_back(h);
  }
  return selected;
}

}  // namespace nimbo::standalone
