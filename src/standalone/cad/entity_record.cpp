#include "standalone/cad/entity_record.h"

namespace nimbo::standalone {

bool HasDetail(EntityKind kind) {
  switch (kind) {
    case EntityKind::Text:
    case EntityKind::AlignedDimension:
    case EntityKind::AngularDimension:
    case EntityKind::BlockReference:
    case EntityKind::AttributeDefinition:
    case EntityKind::Solid:
      return true;
    default:
      return false;
  }
}

bool HasPoints(EntityKind kind) {
  return kind == EntityKind::Polyline || kind == EntityKind::Region || kind == EntityKind::Solid;
}

ColorValue ColorOf(const EntityRecord& r) {
  return ColorValue{r.colorMethod, r.colorIndex, r.rgb[0], r.rgb[1], r.rgb[2]};
}

void SetColor(EntityRecord& r, ColorValue color) {
  r.colorMethod = static_cast<int16_t>(color.method);
  r.colorIndex = static_cast<int16_t>(color.index);
  r.rgb[0] = color.red;
  r.rgb[1] = color.green;
  r.rgb[2] = color.blue;
}

void FillRecord(EntityRecord& r, const EntityData& e) {
  r.kind = e.kind;
  r.lineweight = e.lineweight;
  SetColor(r, e.color);
  r.closed = e.closed;
  auto put = [&r](int at, const Point3& p) {
    r.g[at] = p.x;
    r.g[at + 1] = p.y;
    r.g[at + 2] = p.z;
  };
  switch (e.kind) {
    case EntityKind::Line:
      put(0, e.start);
      put(3, e.end);
      break;
    case EntityKind::Point:
    case EntityKind::Text:
    case EntityKind::BlockReference:
    case EntityKind::AttributeDefinition:
      put(0, e.at);
      break;
    case EntityKind::Circle:
      put(0, e.center);
      r.g[3] = e.radius;
      break;
    case EntityKind::Arc:
      put(0, e.center);
      r.g[3] = e.radius;
      r.g[4] = e.startAngle;
      r.g[5] = e.endAngle;
      break;
    default:
      break;
  }
  if (HasPoints(e.kind)) r.points = e.points;
  if (!HasDetail(e.kind)) return;
  r.detail = std::make_unique<EntityDetail>();
  EntityDetail& d = *r.detail;
  d.text = e.text;
  d.height = e.height;
  switch (e.kind) {
    case EntityKind::AlignedDimension:
      d.p = {e.first, e.second, e.textPosition, Point3{}};
      d.arrowheadSize = e.arrowheadSize;
      break;
    case EntityKind::AngularDimension:
      d.p = {e.vertex, e.first, e.second, e.textPosition};
      d.arrowheadSize = e.arrowheadSize;
      break;
    case EntityKind::BlockReference:
      d.name = e.block;
      d.scale = e.scale;
      d.rotation = e.rotation;
      d.attributes = e.attributes;
      break;
    case EntityKind::AttributeDefinition:
      d.tag = e.tag;
      d.prompt = e.prompt;
      d.mode = e.mode;
      break;
    case EntityKind::Solid:
      d.name = e.profile;
      d.taperAngle = e.taperAngle;
      break;
    default:
      break;
  }
}

EntityData DataOf(const EntityRecord& r) {
  EntityData e;
  e.id = r.id;
  e.kind = r.kind;
  e.color = ColorOf(r);
  e.lineweight = r.lineweight;
  e.closed = r.closed;
  const Point3 g0{r.g[0], r.g[1], r.g[2]};
  switch (r.kind) {
    case EntityKind::Line:
      e.start = g0;
      e.end = Point3{r.g[3], r.g[4], r.g[5]};
      break;
    case EntityKind::Point:
    case EntityKind::Text:
    case EntityKind::BlockReference:
    case EntityKind::AttributeDefinition:
      e.at = g0;
      break;
    case EntityKind::Circle:
      e.center = g0;
      e.radius = r.g[3];
      break;
    case EntityKind::Arc:
      e.center = g0;
      e.radius = r.g[3];
      e.startAngle = r.g[4];
      e.endAngle = r.g[5];
      break;
    default:
      break;
  }
  if (HasPoints(r.kind)) e.points = r.points;
  if (!r.detail) return e;
  const EntityDetail& d = *r.detail;
  e.text = d.text;
  e.height = d.height;
  switch (r.kind) {
    case EntityKind::AlignedDimension:
      e.first = d.p[0];
      e.second = d.p[1];
      e.textPosition = d.p[2];
      e.arrowheadSize = d.arrowheadSize;
      break;
    case EntityKind::AngularDimension:
      e.vertex = d.p[0];
      e.first = d.p[1];
      e.second = d.p[2];
      e.textPosition = d.p[3];
      e.arrowheadSize = d.arrowheadSize;
      break;
    case EntityKind::BlockReference:
      e.block = d.name;
      e.scale = d.scale;
      e.rotation = d.rotation;
      e.attributes = d.attributes;
      break;
    case EntityKind::AttributeDefinition:
      e.tag = d.tag;
      e.prompt = d.prompt;
      e.mode = d.mode;
      break;
    case EntityKind::Solid:
      e.profile = d.name;
      e.taperAngle = d.taperAngle;
      break;
    default:
      break;
  }
  return e;
}

}  // namespace nimbo::standalone
