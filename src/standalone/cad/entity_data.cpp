#include "standalone/cad/entity_data.h"

#include <array>

#include "host/entity_classes.h"

namespace nimbo::standalone {

namespace {

struct KindInfo {
  EntityKind kind;
  const char* name;
  const char* objectName;
};

constexpr std::array<KindInfo, 12> kKinds{{
    {EntityKind::Polyline, "polyline", host::kPolylineClass},
    {EntityKind::Line, "line", host::kLineClass},
    {EntityKind::Point, "point", host::kPointClass},
    {EntityKind::Circle, "circle", host::kCircleClass},
    {EntityKind::Arc, "arc", host::kArcClass},
    {EntityKind::Text, "text", host::kTextClass},
    {EntityKind::Region, "region", host::kRegionClass},
    {EntityKind::AlignedDimension, "alignedDimension", host::kAlignedDimensionClass},
    {EntityKind::AngularDimension, "angularDimension", host::kAngularDimensionClass},
    {EntityKind::BlockReference, "blockReference", host::kBlockReferenceClass},
    {EntityKind::AttributeDefinition, "attributeDefinition", host::kAttributeDefinitionClass},
    {EntityKind::Solid, "solid", host::kSolidClass},
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
