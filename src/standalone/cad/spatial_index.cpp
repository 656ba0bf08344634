#include "standalone/cad/spatial_index.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

// Boost 1.74's R-tree includes a header it has itself deprecated; silence its note.
#define BOOST_ALLOW_DEPRECATED_HEADERS
#include <boost/geometry.hpp>
#include <boost/geometry/index/rtree.hpp>
#include <boost/iterator/function_output_iterator.hpp>

namespace nimbo::standalone::spatial {

namespace bg = boost::geometry;
namespace bgi = boost::geometry::index;

bool Box::IsFinite() const {
  return std::isfinite(minX) && std::isfinite(minY) && std::isfinite(maxX) && std::isfinite(maxY);
}

void Box::Extend(Vec2 p) {
  if (IsEmpty()) {
    *this = Around(p);
    return;
  }
  minX = std::min(minX, p.x);
  minY = std::min(minY, p.y);
  maxX = std::max(maxX, p.x);
  maxY = std::max(maxY, p.y);
}

bool Box::Intersects(const Box& other) const {
  if (IsEmpty() || other.IsEmpty()) return false;
  return minX <= other.maxX && other.minX <= maxX && minY <= other.maxY && other.minY <= maxY;
}

namespace {

double Cross(Vec2 o, Vec2 a, Vec2 b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

int Sign(double v) {
  return (v > 0) - (v < 0);
}

// p known collinear with ab: whether it lies within the segment's box.
bool OnSegment(Vec2 a, Vec2 b, Vec2 p) {
  return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
         p.y <= std::max(a.y, b.y);
}

constexpr double kTwoPi = 2 * std::numbers::pi;
// Slack for the angle of an intersection point computed at an arc's very end.
constexpr double kAngleSlack = 1e-12;

}  // namespace

bool SegmentsIntersect(Vec2 a, Vec2 b, Vec2 c, Vec2 d) {
  if (std::max(a.x, b.x) < std::min(c.x, d.x) || std::max(c.x, d.x) < std::min(a.x, b.x) ||
      std::max(a.y, b.y) < std::min(c.y, d.y) || std::max(c.y, d.y) < std::min(a.y, b.y)) {
    return false;
  }
  const int d1 = Sign(Cross(c, d, a));
  const int d2 = Sign(Cross(c, d, b));
  const int d3 = Sign(Cross(a, b, c));
  const int d4 = Sign(Cross(a, b, d));
  if (d1 * d2 < 0 && d3 * d4 < 0) return true;
  if (d1 == 0 && OnSegment(c, d, a)) return true;
  if (d2 == 0 && OnSegment(c, d, b)) return true;
  if (d3 == 0 && OnSegment(a, b, c)) return true;
  if (d4 == 0 && OnSegment(a, b, d)) return true;
  return false;
}

CrossingPolygon::CrossingPolygon(std::vector<Vec2> ring) : ring_(std::move(ring)) {
  for (const Vec2& p : ring_) bounds_.Extend(p);
}

bool CrossingPolygon::Contains(Vec2 p) const {
  if (ring_.empty()) return false;
  if (p.x < bounds_.minX || p.x > bounds_.maxX || p.y < bounds_.minY || p.y > bounds_.maxY) {
    return false;
  }
  bool inside = false;
  const size_t n = ring_.size();
  for (size_t i = 0, j = n - 1; i < n; j = i++) {
    const Vec2 a = ring_[j];
    const Vec2 b = ring_[i];
    if (Cross(a, b, p) == 0 && OnSegment(a, b, p)) return true;  // on the boundary
    if ((b.y > p.y) != (a.y > p.y)) {
      const double xCross = b.x + (p.y - b.y) * (a.x - b.x) / (a.y - b.y);
      if (p.x < xCross) inside = !inside;
    }
  }
  return inside;
}

bool CrossingPolygon::TouchesSegment(Vec2 a, Vec2 b) const {
  if (Contains(a)) return true;
  Box segment = Box::Around(a);
  segment.Extend(b);
  if (!segment.Intersects(bounds_)) return false;
  const size_t n = ring_.size();
  for (size_t i = 0, j = n - 1; i < n; j = i++) {
    if (SegmentsIntersect(a, b, ring_[j], ring_[i])) return true;
  }
  return false;
}

bool CrossingPolygon::TouchesPolyline(const double* xy, size_t vertexCount, bool closed) const {
  if (vertexCount == 0 || ring_.empty()) return false;
  const Vec2 first{xy[0], xy[1]};
  if (Contains(first)) return true;
  const size_t n = ring_.size();
  const size_t segments = closed && vertexCount > 2 ? vertexCount : vertexCount - 1;
  for (size_t s = 0; s < segments; ++s) {
    const size_t next = (s + 1) % vertexCount;
    const Vec2 a{xy[2 * s], xy[2 * s + 1]};
    const Vec2 b{xy[2 * next], xy[2 * next + 1]};
    Box segment = Box::Around(a);
    segment.Extend(b);
    if (!segment.Intersects(bounds_)) continue;
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
      if (SegmentsIntersect(a, b, ring_[j], ring_[i])) return true;
    }
  }
  return false;
}

bool CrossingPolygon::EdgeHitsCircle(Vec2 e0, Vec2 e1, Vec2 center, double radius, bool full,
                                     double startAngle, double span) const {
  const double dx = e1.x - e0.x;
  const double dy = e1.y - e0.y;
  const double fx = e0.x - center.x;
  const double fy = e0.y - center.y;
  const double a = dx * dx + dy * dy;
  if (a == 0) return false;  // a degenerate edge; its point is tested with the others
  const double b = 2 * (fx * dx + fy * dy);
  const double c = fx * fx + fy * fy - radius * radius;
  const double disc = b * b - 4 * a * c;
  if (disc < 0) return false;
  const double root = std::sqrt(disc);
  for (const double t : {(-b - root) / (2 * a), (-b + root) / (2 * a)}) {
    if (t < 0 || t > 1) continue;
    if (full) return true;
    const double px = e0.x + t * dx - center.x;
    const double py = e0.y + t * dy - center.y;
    double along = std::fmod(std::atan2(py, px) - startAngle, kTwoPi);
    if (along < 0) along += kTwoPi;
    if (along <= span + kAngleSlack || along >= kTwoPi - kAngleSlack) return true;
  }
  return false;
}

bool CrossingPolygon::TouchesArc(Vec2 center, double radius, double startAngle,
                                 double endAngle) const {
  if (ring_.empty()) return false;
  radius = std::fabs(radius);
  if (radius == 0) return Contains(center);
  double span = std::fmod(endAngle - startAngle, kTwoPi);
  if (span < 0) span += kTwoPi;
  const bool full = span == 0;
  const Box circle{center.x - radius, center.y - radius, center.x + radius, center.y + radius};
  if (!circle.Intersects(bounds_)) return false;
  // An arc that crosses no edge lies wholly inside or wholly outside: its start decides.
  const Vec2 start{center.x + radius * std::cos(startAngle),
                   center.y + radius * std::sin(startAngle)};
  if (Contains(start)) return true;
  const size_t n = ring_.size();
  for (size_t i = 0, j = n - 1; i < n; j = i++) {
    if (EdgeHitsCircle(ring_[j], ring_[i], center, radius, full, startAngle, span)) return true;
  }
  return false;
}

bool CrossingPolygon::TouchesCircle(Vec2 center, double radius) const {
  return TouchesArc(center, radius, 0, 0);
}

// The index proper. Values are (single-precision box, handle): 20 bytes an entry.
struct SpatialIndex::Tree {
  using Point = bg::model::point<float, 2, bg::cs::cartesian>;
  using FloatBox = bg::model::box<Point>;
  using Value = std::pair<FloatBox, uint32_t>;
  bgi::rtree<Value, bgi::quadratic<16>> rtree;

  static float Down(double v) {
    float f = static_cast<float>(v);
    if (static_cast<double>(f) > v) f = std::nextafter(f, -std::numeric_limits<float>::infinity());
    return f;
  }
  static float Up(double v) {
    float f = static_cast<float>(v);
    if (static_cast<double>(f) < v) f = std::nextafter(f, std::numeric_limits<float>::infinity());
    return f;
  }
  static FloatBox Outward(const Box& box) {
    return FloatBox(Point(Down(box.minX), Down(box.minY)), Point(Up(box.maxX), Up(box.maxY)));
  }
};

SpatialIndex::SpatialIndex() : tree_(std::make_unique<Tree>()) {}
SpatialIndex::~SpatialIndex() = default;

void SpatialIndex::Build(const std::vector<std::pair<Box, uint32_t>>& entries) {
  std::vector<Tree::Value> values;
  values.reserve(entries.size());
  for (const auto& [box, handle] : entries) {
    if (box.IsFinite() && !box.IsEmpty()) values.emplace_back(Tree::Outward(box), handle);
  }
  tree_->rtree = decltype(tree_->rtree)(values.begin(), values.end());
}

bool SpatialIndex::Insert(uint32_t handle, const Box& box) {
  if (!box.IsFinite() || box.IsEmpty()) return false;
  tree_->rtree.insert(Tree::Value(Tree::Outward(box), handle));
  return true;
}

void SpatialIndex::Remove(uint32_t handle, const Box& box) {
  if (!box.IsFinite() || box.IsEmpty()) return;
  tree_->rtree.remove(Tree::Value(Tree::Outward(box), handle));
}

void SpatialIndex::Query(const Box& box, std::vector<uint32_t>& out) const {
  if (box.IsEmpty()) return;
  Box query = box;
  // A polygon with an infinite corner still selects what its finite part reaches.
  const double big = std::numeric_limits<double>::max();
  query.minX = std::isnan(query.minX) ? -big : query.minX;
  query.minY = std::isnan(query.minY) ? -big : query.minY;
  query.maxX = std::isnan(query.maxX) ? big : query.maxX;
  query.maxY = std::isnan(query.maxY) ? big : query.maxY;
  tree_->rtree.query(bgi::intersects(Tree::Outward(query)),
                     boost::make_function_output_iterator(
                         [&out](const Tree::Value& v) { out.push_back(v.second); }));
}

size_t SpatialIndex::Size() const {
  return tree_->rtree.size();
}

}  // namespace nimbo::standalone::spatial
