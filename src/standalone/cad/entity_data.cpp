#include "standalone/cad/entity_data.h"

#include <array>

namespace nimbo::standalone {

namespace {

struct KindInfo {
  EntityKind kind;
  const char* name;
  const char* objectName;
};

constexpr std::array<KindInfo, 12> kKinds{{
    {EntityKind::Polyline, "polyline", "AcDbPolyline"},
    {EntityKind::Line, "line", "AcDbLine"},
    {EntityKind::Point, "point", "AcDbPoint"},
    {EntityKind::Circle, "circle", "AcDbCircle"},
    {EntityKind::Arc, "arc", "AcDbArc"},
    {EntityKind::Text, "text", "AcDbText"},
    {EntityKind::Region, "region", "AcDbRegion"},
    {EntityKind::AlignedDimension, "alignedDimension", "AcDbAlignedDimension"},
    {EntityKind::AngularDimension, "angularDimension", "AcDb2LineAngularDimension"},
    {EntityKind::BlockReference, "blockReference", "AcDbBlockReference"},
    {EntityKind::AttributeDefinition, "attributeDefinition", "AcDbAttributeDefinition"},
    {EntityKind::Solid, "solid", "AcDb3dSolid"},
}};

}  // namespace

const char* KindName(EntityKind kind) {
  return kKinds[static_cast<size_t>(kind)].name;
}

const char* ObjectName(EntityKind kind) {
  return kKinds[static_cast<size_t>(kind)].objectName;
}

std::optional<EntityKind> KindFromName(std::string_view name) {
  for (const KindInfo& info : kKinds) {
    if (name == info.name) return info.kind;
  }
  return std::nullopt;
}

ColorValue ColorValue::FromIndexPut(int32_t index) {
  if (index == host::kColorByLayer) return ByLayer();
  if (index == host::kColorByBlock) return ByBlock();
  return Index(index);
}

}  // namespace nimbo::standalone
