#include "replay/dxf/entity_writer.h"

#include <cmath>
#include <numbers>

#include "replay/dxf/dimension_geometry.h"
#include "replay/dxf/extended_data.h"

namespace nimbo::replay::dxf {

namespace {

using standalone::EntityData;
using standalone::EntityKind;

double Degrees(double radians) {
  return radians * 180.0 / std::numbers::pi;
}

void WriteColor(GroupWriter& out, const standalone::ColorValue& color) {
  using namespace host::color_method;
  switch (color.method) {
    case kByLayer:
      return;
    case kByBlock:
      out.Integer(62, 0);
      return;
    case kByRGB:
      out.Integer(420, (int64_t{color.red} << 16) | (int64_t{color.green} << 8) | color.blue);
      return;
    default:
      if (color.index >= 0 && color.index < host::kColorByLayer) out.Integer(62, color.index);
      return;
  }
}

// Where the entity's own groups end: at the second 0 group (an INSERT's ATTRIBs, a
// POLYLINE's VERTEXes and their SEQEND follow it in the same groups).
size_t OwnGroupsEnd(const RawObject& groups) {
  for (size_t i = 1; i < groups.size(); ++i) {
    if (groups[i].code == 0) return i;
  }
  return groups.size();
}

// The extended data of other applications among the entity's own groups, without that of
// `skip` (an application whose data is written anew, or none).
std::vector<Group> OtherExtendedData(const RawObject& groups, std::string_view skip) {
  std::vector<Group> kept;
  bool keeping = false;
  const size_t end = OwnGroupsEnd(groups);
  for (size_t i = 0; i < end; ++i) {
    const Group& group = groups[i];
    if (group.code == 1001) {
      keeping = group.value != kApplicationName && group.value != skip;
    } else if (group.code < 1000) {
      keeping = false;  // extended data ends the entity; nothing else follows it
    }
    if (keeping) kept.push_back(group);
  }
  return kept;
}

OurExtendedData OursOf(const WritePlan& plan, const EntityData& entity) {
  OurExtendedData ours;
  if (entity.kind == EntityKind::Region || entity.kind == EntityKind::Solid)
    ours.kind = entity.kind;
  ours.profile = entity.profile;
  ours.height = entity.height;
  ours.taperAngle = entity.taperAngle;
  if (const auto found = plan.records.find(entity.id); found != plan.records.end()) {
    for (standalone::ObjectDataRecord record : found->second) {
      record.object.clear();
      ours.records.push_back(std::move(record));
    }
  }
  return ours;
}

void WritePolyline(GroupWriter& out, const EntityData& e, bool closed, double thickness) {
  out.Text(100, "AcDbPolyline");
  out.Integer(90, static_cast<int64_t>(e.points.size() / 2));
  out.Integer(70, closed ? 1 : 0);
  if (thickness != 0) out.Real(39, thickness);
  for (size_t i = 0; i + 1 < e.points.size(); i += 2) out.Point2(10, e.points[i], e.points[i + 1]);
}

void WriteDimension(GroupWriter& out, const PlannedEntity& planned) {
  const EntityData& e = planned.data;
  const bool angular = e.kind == EntityKind::AngularDimension;
  out.Text(100, "AcDbDimension");
  out.Text(2, planned.dimensionBlock);
  out.Point(10, DimensionLinePoint(e));
  out.Point(11, e.textPosition);
  // The type, with 32 (the block is this dimension's alone) and 128 (the text is where
  // the person put it).
  out.Integer(70, (angular ? 5 : 1) | 32 | 128);
  out.Text(1, e.text);
  out.Text(3, "Standard");
  out.Text(100, angular ? "AcDb3PointAngularDimension" : "AcDbAlignedDimension");
  out.Point(13, e.first);
  out.Point(14, e.second);
  if (angular) out.Point(15, e.vertex);
}

// The dimension's own text height and arrowhead size, as overrides of its style.
void WriteDimensionStyleOverrides(GroupWriter& out, const EntityData& e) {
  out.Text(1001, "ACAD");
  out.Text(1000, "DSTYLE");
  out.Text(1002, "{");
  out.Integer(1070, 140);  // DIMTXT
  out.Real(1040, e.height);
  out.Integer(1070, 41);  // DIMASZ
  out.Real(1040, e.arrowheadSize);
  out.Text(1002, "}");
}

// The attribute definition of the block that an INSERT's attribute number `i` fills.
const EntityData* DefinitionOf(const WritePlan& plan, const EntityData& insert, size_t i) {
  const PlannedBlock* block = plan.FindBlock(insert.block);
  if (block == nullptr) return nullptr;
  std::vector<const EntityData*> definitions;
  for (const PlannedEntity& entity : block->entities) {
    if (entity.data.kind == EntityKind::AttributeDefinition) definitions.push_back(&entity.data);
  }
  const std::string& tag = insert.attributes[i].tag;
  if (i < definitions.size() && definitions[i]->tag == tag) return definitions[i];
  for (const EntityData* definition : definitions) {
    if (definition->tag == tag) return definition;
  }
  return nullptr;
}

host::Point3 Placed(const EntityData& insert, const host::Point3& origin, const host::Point3& at) {
  const double x = (at.x - origin.x) * insert.scale.x;
  const double y = (at.y - origin.y) * insert.scale.y;
  const double c = std::cos(insert.rotation);
  const double s = std::sin(insert.rotation);
  return {insert.at.x + x * c - y * s, insert.at.y + x * s + y * c,
          insert.at.z + (at.z - origin.z) * insert.scale.z};
}

void WriteAttributes(WritePlan& plan, GroupWriter& out, const PlannedEntity& planned) {
  const EntityData& insert = planned.data;
  const PlannedBlock* block = plan.FindBlock(insert.block);
  for (size_t i = 0; i < insert.attributes.size(); ++i) {
    const EntityData* definition = DefinitionOf(plan, insert, i);
    EntityData attribute;
    attribute.layer = insert.layer;
    attribute.color = insert.color;
    attribute.lineweight = insert.lineweight;
    WriteEntityStart(out, "ATTRIB", plan.NewHandle(), planned.handle, false, attribute);
    out.Text(100, "AcDbText");
    out.Point(10, definition != nullptr && block != nullptr
                      ? Placed(insert, block->origin, definition->at)
                      : insert.at);
    out.Real(40, definition != nullptr ? definition->height : 1.0);
    out.Text(1, insert.attributes[i].value);
    out.Text(100, "AcDbAttribute");
    out.Text(2, insert.attributes[i].tag);
    out.Integer(70, definition != nullptr ? (definition->mode & 1) : 0);  // invisible or not
  }
  EntityData end;
  end.layer = insert.layer;
  WriteEntityStart(out, "SEQEND", plan.NewHandle(), planned.handle, false, end);
}

const char* TypeOf(EntityKind kind) {
  switch (kind) {
    case EntityKind::Polyline:
    case EntityKind::Region:
    case EntityKind::Solid:
      return "LWPOLYLINE";
    case EntityKind::Line:
      return "LINE";
    case EntityKind::Point:
      return "POINT";
    case EntityKind::Circle:
      return "CIRCLE";
    case EntityKind::Arc:
      return "ARC";
    case EntityKind::Text:
      return "TEXT";
    case EntityKind::AlignedDimension:
    case EntityKind::AngularDimension:
      return "DIMENSION";
    case EntityKind::BlockReference:
      return "INSERT";
    case EntityKind::AttributeDefinition:
      return "ATTDEF";
  }
  return "POINT";
}

// The entity's own groups after WriteEntityStart.
void WriteGeometry(const WritePlan& plan, GroupWriter& out, const PlannedEntity& planned) {
  const EntityData& e = planned.data;
  switch (e.kind) {
    case EntityKind::Polyline:
      WritePolyline(out, e, e.closed, 0);
      return;
    case EntityKind::Region:
      WritePolyline(out, e, true, 0);
      return;
    case EntityKind::Solid:
      // No solid modeller: the profile, standing as high as the solid.
      WritePolyline(out, e, true, e.height);
      return;
    case EntityKind::Line:
      out.Text(100, "AcDbLine");
      out.Point(10, e.start);
      out.Point(11, e.end);
      return;
    case EntityKind::Point:
      out.Text(100, "AcDbPoint");
      out.Point(10, e.at);
      return;
    case EntityKind::Circle:
    case EntityKind::Arc:
      out.Text(100, "AcDbCircle");
      out.Point(10, e.center);
      out.Real(40, e.radius);
      if (e.kind == EntityKind::Arc) {
        out.Text(100, "AcDbArc");
        out.Real(50, Degrees(e.startAngle));
        out.Real(51, Degrees(e.endAngle));
      }
      return;
    case EntityKind::Text:
      out.Text(100, "AcDbText");
      out.Point(10, e.at);
      out.Real(40, e.height);
      out.Text(1, e.text);
      out.Text(100, "AcDbText");
      return;
    case EntityKind::AttributeDefinition:
      out.Text(100, "AcDbText");
      out.Point(10, e.at);
      out.Real(40, e.height);
      out.Text(1, e.text);
      out.Text(100, "AcDbAttributeDefinition");
      out.Text(3, e.prompt);
      out.Text(2, e.tag);
      out.Integer(70, e.mode);
      return;
    case EntityKind::AlignedDimension:
    case EntityKind::AngularDimension:
      WriteDimension(out, planned);
      return;
    case EntityKind::BlockReference: {
      const PlannedBlock* block = plan.FindBlock(e.block);
      out.Text(100, "AcDbBlockReference");
      if (!e.attributes.empty()) out.Integer(66, 1);
      out.Text(2, block != nullptr ? block->name : e.block);
      out.Point(10, e.at);
      out.Real(41, e.scale.x);
      out.Real(42, e.scale.y);
      out.Real(43, e.scale.z);
      out.Real(50, Degrees(e.rotation));
      return;
    }
  }
}

void WriteOurs(GroupWriter& out, const WritePlan& plan, const EntityData& entity) {
  for (const Group& group : EncodeExtendedData(OursOf(plan, entity))) out.Raw(group);
}

}  // namespace

void WriteEntityStart(GroupWriter& out, const char* type, uint64_t handle, uint64_t owner,
                      bool paper, const EntityData& entity) {
  out.Text(0, type);
  out.Handle(5, handle);
  out.Handle(330, owner);
  out.Text(100, "AcDbEntity");
  if (paper) out.Integer(67, 1);
  out.Text(8, entity.layer);
  WriteColor(out, entity.color);
  if (entity.lineweight != host::kLineweightByLayer) out.Integer(370, entity.lineweight);
}

void WriteEntity(WritePlan& plan, GroupWriter& out, const PlannedEntity& entity, uint64_t owner,
                 bool paper) {
  if (entity.unchanged) {
    const RawObject& groups = entity.read->groups;
    const size_t end = OwnGroupsEnd(groups);
    for (size_t i = 0; i < end; ++i) out.Raw(groups[i]);
    WriteOurs(out, plan, entity.data);
    for (size_t i = end; i < groups.size(); ++i) out.Raw(groups[i]);
    return;
  }
  const EntityData& e = entity.data;
  const bool dimension =
      e.kind == EntityKind::AlignedDimension || e.kind == EntityKind::AngularDimension;
  WriteEntityStart(out, TypeOf(e.kind), entity.handle, owner, paper, e);
  WriteGeometry(plan, out, entity);
  if (dimension) WriteDimensionStyleOverrides(out, e);
  if (entity.read != nullptr) {
    for (const Group& group : OtherExtendedData(entity.read->groups, dimension ? "ACAD" : "")) {
      out.Raw(group);
    }
  }
  WriteOurs(out, plan, e);
  if (e.kind == EntityKind::BlockReference && !e.attributes.empty()) {
    WriteAttributes(plan, out, entity);
  }
}

}  // namespace nimbo::replay::dxf
