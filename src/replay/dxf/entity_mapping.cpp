#include <cmath>
#include <numbers>

#include "replay/dxf/entity_groups.h"
#include "replay/dxf/extended_data.h"
#include "replay/dxf/group_values.h"
#include "replay/dxf/read_parts.h"

namespace nimbo::replay::dxf {

namespace {

using standalone::EntityData;
using standalone::EntityKind;

double Radians(double degrees) {
  return degrees * std::numbers::pi / 180;
}

// The flat x, y pairs of the 10 and 20 groups, in order; false when one lacks the other.
bool FlatPoints(const EntityGroups& groups, std::vector<double>& points) {
  bool wantY = false;
  for (const Group* group : groups.All()) {
    if (group->code == 10 && !wantY) {
      points.push_back(ParseReal(group->value).value_or(0));
      wantY = true;
    } else if (group->code == 20 && wantY) {
      points.push_back(ParseReal(group->value).value_or(0));
      wantY = false;
    } else if (group->code == 10 || group->code == 20) {
      return false;
    }
  }
  return !wantY;
}

void TakeCommon(const EntityGroups& groups, EntityData& entity) {
  if (const Group* handle = groups.First(5)) {
    if (const auto number = ParseHandle(handle->value)) entity.id = HandleText(*number);
  }
  entity.layer = groups.Text(8, "0");
  if (entity.layer.empty()) entity.layer = "0";
  entity.color = groups.Color();
  entity.lineweight = static_cast<int32_t>(groups.Integer(370, -1));
}

// Our extended data on the entity, when there is some.
std::optional<OurExtendedData> OursOf(const LinedObject& object, const std::string& file) {
  for (size_t i = 0; i < object.groups.size(); ++i) {
    const Group& group = object.groups[i];
    if (group.code != 1001 || group.value != kApplicationName) continue;
    std::vector<Group> following;
    for (size_t j = i + 1; j < object.groups.size() && object.groups[j].code != 1001; ++j) {
      following.push_back(object.groups[j]);
    }
    return DecodeExtendedData(following, file, object.lines[i]);
  }
  return std::nullopt;
}

// A polyline with arcs in it (a bulge) is not one the host can hold.
bool HasBulge(const EntityGroups& groups) {
  for (const Group* group : groups.All()) {
    if (group->code == 42 && ParseReal(group->value).value_or(0) != 0) return true;
  }
  return false;
}

bool MapPolyline(const EntityParts& entity, const EntityGroups& groups, EntityData& data) {
  const int64_t flags = groups.Integer(70, 0);
  data.kind = EntityKind::Polyline;
  data.closed = (flags & 1) != 0;
  if (entity.Main().Type() == "LWPOLYLINE") {
    return !HasBulge(groups) && FlatPoints(groups, data.points);
  }
  // A 2D POLYLINE: 3D polylines, meshes and polyface meshes are kept as they are.
  if ((flags & (8 | 16 | 64)) != 0) return false;
  for (size_t i = 1; i < entity.parts.size(); ++i) {
    const LinedObject& vertex = entity.parts[i];
    if (vertex.Type() != "VERTEX") continue;
    const EntityGroups vertexGroups(vertex.groups);
    if ((vertexGroups.Integer(70, 0) & 16) != 0) continue;  // a spline frame's control point
    if (HasBulge(vertexGroups)) return false;
    data.points.push_back(vertexGroups.Real(10, 0));
    data.points.push_back(vertexGroups.Real(20, 0));
  }
  return true;
}

// A dimension's text height and arrow size: its own overrides (ACAD's DSTYLE extended
// data), else its style's.
void TakeDimensionSizes(const RawObject& object, const EntityGroups& groups,
                        const ReadContext& context, EntityData& data) {
  const auto style = context.dimensionStyles.find(UpperName(groups.Text(3, "Standard")));
  if (style != context.dimensionStyles.end()) {
    data.height = style->second.first;
    data.arrowheadSize = style->second.second;
  }
  bool inAcad = false;
  for (size_t i = 0; i < object.size(); ++i) {
    if (object[i].code == 1001) inAcad = object[i].value == "ACAD";
    if (!inAcad || object[i].code != 1070 || i + 1 >= object.size()) continue;
    const int64_t variable = ParseInteger(object[i].value).value_or(0);
    const std::optional<double> value = ParseReal(object[i + 1].value);
    if (variable == 140 && value) data.height = *value;
    if (variable == 41 && value) data.arrowheadSize = *value;
  }
}

bool MapDimension(const RawObject& object, const EntityGroups& groups, const ReadContext& context,
                  EntityData& data) {
  const int64_t type = groups.Integer(70, 0) & 0x0F;
  if (type != 1 && type != 5) return false;  // aligned and three-point angular only
  data.kind = type == 1 ? EntityKind::AlignedDimension : EntityKind::AngularDimension;
  data.first = groups.Point(13);
  data.second = groups.Point(14);
  data.textPosition = groups.Point(11);
  if (type == 5) data.vertex = groups.Point(15);
  // "<>" stands for the measurement, as no override does.
  data.text = groups.Text(1, "");
  if (data.text == "<>") data.text.clear();
  TakeDimensionSizes(object, groups, context, data);
  return true;
}

bool MapBlockReference(const EntityParts& entity, const EntityGroups& groups,
                       const ReadContext& context, EntityData& data) {
  data.kind = EntityKind::BlockReference;
  data.block = groups.Text(2, "");
  // References to anonymous blocks and to blocks the file does not define are kept.
  if (!context.blockNames.contains(UpperName(data.block))) return false;
  data.at = groups.Point(10);
  data.scale = {groups.Real(41, 1), groups.Real(42, 1), groups.Real(43, 1)};
  data.rotation = Radians(groups.Real(50, 0));
  for (size_t i = 1; i < entity.parts.size(); ++i) {
    if (entity.parts[i].Type() != "ATTRIB") continue;
    const EntityGroups attribute(entity.parts[i].groups);
    data.attributes.push_back({attribute.Text(2, ""), attribute.Text(1, "")});
  }
  return true;
}

bool MapGeometry(const EntityParts& entity, const EntityGroups& groups, const ReadContext& context,
                 EntityData& data) {
  const std::string& type = entity.Main().Type();
  if (type == "LWPOLYLINE" || type == "POLYLINE") {
    return MapPolyline(entity, groups, data) && data.points.size() >= 4;
  }
  if (type == "LINE") {
    data.kind = EntityKind::Line;
    data.start = groups.Point(10);
    data.end = groups.Point(11);
    return true;
  }
  if (type == "POINT") {
    data.kind = EntityKind::Point;
    data.at = groups.Point(10);
    return true;
  }
  if (type == "CIRCLE" || type == "ARC") {
    data.kind = type == "CIRCLE" ? EntityKind::Circle : EntityKind::Arc;
    data.center = groups.Point(10);
    data.radius = groups.Real(40, 0);
    if (type == "ARC") {
      data.startAngle = Radians(groups.Real(50, 0));
      data.endAngle = Radians(groups.Real(51, 0));
    }
    return true;
  }
  // The host's texts are upright.
  if (type == "TEXT" && groups.Real(50, 0) == 0) {
    data.kind = EntityKind::Text;
    data.at = groups.Point(10);
    data.text = groups.Text(1, "");
    data.height = groups.Real(40, 0);
    return true;
  }
  if (type == "ATTDEF") {
    data.kind = EntityKind::AttributeDefinition;
    data.at = groups.Point(10);
    data.text = groups.Text(1, "");
    data.tag = groups.Text(2, "");
    data.prompt = groups.Text(3, "");
    data.mode = static_cast<int32_t>(groups.Integer(70, 0));
    data.height = groups.Real(40, 0);
    return true;
  }
  if (type == "DIMENSION") return MapDimension(entity.Main().groups, groups, context, data);
  if (type == "INSERT") return MapBlockReference(entity, groups, context, data);
  return false;
}

}  // namespace

std::optional<EntityData> MapEntity(const EntityParts& entity, const ReadContext& context,
                                    std::vector<standalone::ObjectDataRecord>& records) {
  const EntityGroups groups(entity.Main().groups);
  EntityData data;
  TakeCommon(groups, data);
  if (!MapGeometry(entity, groups, context, data)) return std::nullopt;
  const std::optional<OurExtendedData> ours = OursOf(entity.Main(), context.file);
  if (ours && ours->kind && data.kind == EntityKind::Polyline && data.closed) {
    // A region or a solid, written as its closed outline.
    data.kind = *ours->kind;
    data.closed = false;
    data.profile = ours->profile;
    data.height = ours->height;
    data.taperAngle = ours->taperAngle;
  }
  if (ours) {
    for (standalone::ObjectDataRecord record : ours->records) {
      record.object = data.id;
      records.push_back(std::move(record));
    }
  }
  return data;
}

RawObject WithoutOurExtendedData(const EntityParts& entity) {
  RawObject kept;
  for (const LinedObject& part : entity.parts) {
    bool ours = false;
    for (const Group& group : part.groups) {
      if (group.code == 1001) ours = group.value == kApplicationName;
      if (!ours) kept.push_back(group);
    }
  }
  return kept;
}

}  // namespace nimbo::replay::dxf
