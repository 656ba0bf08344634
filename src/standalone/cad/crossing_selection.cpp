#include "standalone/cad/crossing_selection.h"

#include <cmath>
#include <utility>

#include <boost/sort/spreadsort/integer_sort.hpp>

namespace nimbo::standalone {

namespace {

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

std::vector<EntityHandle> CrossingSelection::Select(const EntityStore& store,
                                                    const spatial::CrossingPolygon& polygon) {
  EnsureIndex(store);
  candidates_.clear();
  index_.Query(polygon.Bounds(), candidates_);
  // Handles grow with creation and model space is in creation order. Sorted before the
  // exact test, the candidates' records are read in the order they are stored in, and
  // what passes is in order already.
  boost::sort::spreadsort::integer_sort(candidates_.begin(), candidates_.end());
  std::vector<EntityHandle> selected;
  selected.reserve(candidates_.size());
  for (const EntityHandle h : candidates_) {
    const EntityRecord& r = store.At(h);
    if (r.live && Touches(r, polygon)) selected.push_back(h);
  }
  return selected;
}

}  // namespace nimbo::standalone
