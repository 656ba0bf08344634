// The geometry of the in-memory host's crossing-polygon selection: a polygon that answers
// whether a piece of geometry lies inside it or crosses its boundary, and a spatial index
// of the model-space entities' bounding boxes, so that a selection costs what lies near
// the polygon rather than the size of the drawing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace nimbo::standalone::spatial {

struct Vec2 {
  double x = 0;
  double y = 0;
};

// An axis-aligned box; empty until extended.
struct Box {
  double minX = 0;
  double minY = 0;
  double maxX = -1;
  double maxY = -1;

  static Box Around(Vec2 p) { return Box{p.x, p.y, p.x, p.y}; }
  bool IsEmpty() const { return maxX < minX || maxY < minY; }
  // Every bound finite: only such boxes are indexed (geometry with a NaN or an infinite
  // coordinate is never selected by polygon).
  bool IsFinite() const;
  void Extend(Vec2 p);
  bool Intersects(const Box& other) const;
};

// The polygon of a crossing selection: a ring of at least three points, not closed by a
// repeated point, of either orientation. Inside means inside by the even-odd rule, or on
// the boundary. Geometry "touches" the polygon when some point of it is inside: it lies
// inside the polygon or crosses (or touches) its boundary.
class CrossingPolygon {
 public:
  explicit CrossingPolygon(std::vector<Vec2> ring);

  const Box& Bounds() const { return bounds_; }
  const std::vector<Vec2>& Ring() const { return ring_; }

  bool Contains(Vec2 p) const;
  bool TouchesSegment(Vec2 a, Vec2 b) const;
  // `xy` holds `vertexCount` flat x, y pairs; a closed outline also has the segment from
  // the last vertex back to the first. One vertex is a point; none touches nothing.
  bool TouchesPolyline(const double* xy, size_t vertexCount, bool closed) const;
  // The arc runs counterclockwise from `startAngle` to `endAngle` (radians); a span of
  // 0 modulo 2 pi is the whole circle.
  bool TouchesArc(Vec2 center, double radius, double startAngle, double endAngle) const;
  bool TouchesCircle(Vec2 center, double radius) const;

 private:
  bool EdgeHitsCircle(Vec2 e0, Vec2 e1, Vec2 center, double radius, bool full, double startAngle,
                      double span) const;
  std::vector<Vec2> ring_;
  Box bounds_;
};

// Whether the closed segments ab and cd have a point in common (collinear overlaps
// included).
bool SegmentsIntersect(Vec2 a, Vec2 b, Vec2 c, Vec2 d);

// An R-tree (Boost.Geometry) of handles by bounding box. Boxes are stored in single
// precision, rounded outwards, so the index may answer a few more candidates than the
// double boxes would, never fewer; callers test the exact geometry afterwards.
class SpatialIndex {
 public:
  SpatialIndex();
  ~SpatialIndex();
  SpatialIndex(const SpatialIndex&) = delete;
  SpatialIndex& operator=(const SpatialIndex&) = delete;

  // Replaces the content by packing all the entries at once (much faster and leaner than
  // inserting them one by one). Entries with a box that is not finite are left out.
  void Build(const std::vector<std::pair<Box, uint32_t>>& entries);
  // Returns false (and stores nothing) for a box that is not finite.
  bool Insert(uint32_t handle, const Box& box);
  // `box` must be the box the handle was inserted with.
  void Remove(uint32_t handle, const Box& box);
  // Appends every handle whose box intersects `box`, in no particular order.
  void Query(const Box& box, std::vector<uint32_t>& out) const;
  size_t Size() const;

 private:
  struct Tree;
  std::unique_ptr<Tree> tree_;
};

}  // namespace nimbo::standalone::spatial
