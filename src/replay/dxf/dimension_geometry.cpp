#include "replay/dxf/dimension_geometry.h"

#include <cmath>
#include <numbers>

#include "replay/dxf/entity_writer.h"

namespace nimbo::replay::dxf {

namespace {

using host::Point3;
using standalone::EntityData;
using standalone::EntityKind;

// How far the dimension line lies from the measured points, across them.
Point3 Offset(const EntityData& d) {
  const double dx = d.second.x - d.first.x;
  const double dy = d.second.y - d.first.y;
  const double length = std::hypot(dx, dy);
  if (length == 0) return {d.textPosition.x - d.first.x, d.textPosition.y - d.first.y, 0};
  const double nx = -dy / length;
  const double ny = dx / length;
  const double across = (d.textPosition.x - d.first.x) * nx + (d.textPosition.y - d.first.y) * ny;
  return {nx * across, ny * across, 0};
}

Point3 Plus(const Point3& p, const Point3& v) {
  return {p.x + v.x, p.y + v.y, p.z + v.z};
}

double Degrees(double radians) {
  return radians * 180.0 / std::numbers::pi;
}

// Block entities are on layer 0 and take the dimension's colour (by block).
EntityData InBlock() {
  EntityData e;
  e.layer = "0";
  e.color = standalone::ColorValue::ByBlock();
  return e;
}

void Line(WritePlan& plan, GroupWriter& out, uint64_t owner, const Point3& a, const Point3& b) {
  WriteEntityStart(out, "LINE", plan.NewHandle(), owner, false, InBlock());
  out.Text(100, "AcDbLine");
  out.Point(10, a);
  out.Point(11, b);
}

void Text(WritePlan& plan, GroupWriter& out, uint64_t owner, const EntityData& d) {
  WriteEntityStart(out, "TEXT", plan.NewHandle(), owner, false, InBlock());
  out.Text(100, "AcDbText");
  out.Point(10, d.textPosition);
  out.Real(40, d.height);
  out.Text(1, d.text);
  out.Integer(72, 1);  // centred on the text position
  out.Point(11, d.textPosition);
  out.Text(100, "AcDbText");
  out.Integer(73, 2);  // middle
}

}  // namespace

Point3 DimensionLinePoint(const EntityData& d) {
  if (d.kind == EntityKind::AngularDimension) return d.textPosition;
  return Plus(d.second, Offset(d));
}

void WriteDimensionGeometry(WritePlan& plan, GroupWriter& out, const EntityData& d,
                            uint64_t owner) {
  if (d.kind == EntityKind::AlignedDimension) {
    const Point3 offset = Offset(d);
    const Point3 a = Plus(d.first, offset);
    const Point3 b = Plus(d.second, offset);
    Line(plan, out, owner, d.first, a);
    Line(plan, out, owner, d.second, b);
    Line(plan, out, owner, a, b);
  } else {
    // The arc through the text position, from the first leg to the second, the short way.
    const double radius = std::hypot(d.textPosition.x - d.vertex.x, d.textPosition.y - d.vertex.y);
    double start = std::atan2(d.first.y - d.vertex.y, d.first.x - d.vertex.x);
    double end = std::atan2(d.second.y - d.vertex.y, d.second.x - d.vertex.x);
    double sweep = std::remainder(end - start, 2 * std::numbers::pi);
    if (sweep < 0) std::swap(start, end);
    WriteEntityStart(out, "ARC", plan.NewHandle(), owner, false, InBlock());
    out.Text(100, "AcDbCircle");
    out.Point(10, d.vertex);
    out.Real(40, radius);
    out.Text(100, "AcDbArc");
    out.Real(50, Degrees(start));
    out.Real(51, Degrees(end));
  }
  Text(plan, out, owner, d);
}

}  // namespace nimbo::replay::dxf
