// The values of one entity of the in-memory drawing, as setup builds it and inspection
// reads it back: its kind, its colour, every property, and the space it lives in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/cad.h"

namespace nimbo::standalone {

using host::Point3;

// The kinds of entity, with their names in the session format ("polyline", ...) and their
// host class names ("AcDbPolyline", ...).
enum class EntityKind : uint8_t {
  Polyline,
  Line,
  Point,
  Circle,
  Arc,
  Text,
  Region,
  AlignedDimension,
  AngularDimension,
  BlockReference,
  AttributeDefinition,
  Solid,
};
// "polyline", "line", "point", "circle", "arc", "text", "region", "alignedDimension",
// "angularDimension", "blockReference", "attributeDefinition", "solid".
const char* KindName(EntityKind kind);
std::optional<EntityKind> KindFromName(std::string_view name);
// The host's class name of the kind (host/entity_classes.h).
const char* ObjectName(EntityKind kind);

// A colour as the host's colour object reports it.
struct ColorValue {
  int32_t method = host::color_method::kByLayer;
  int32_t index = host::kColorByLayer;
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;

  static ColorValue ByLayer() { return {}; }
  static ColorValue ByBlock() { return {host::color_method::kByBlock, host::kColorByBlock}; }
  static ColorValue Index(int32_t index) { return {host::color_method::kByACI, index}; }
  static ColorValue Rgb(uint8_t r, uint8_t g, uint8_t b) {
    return {host::color_method::kByRGB, 0, r, g, b};
  }
  // What putting a colour index does: 256 by layer, 0 by block, anything else by index.
  static ColorValue FromIndexPut(int32_t index);
  friend bool operator==(const ColorValue&, const ColorValue&) = default;
};

struct AttributeValue {
  std::string tag;
  std::string value;
  friend bool operator==(const AttributeValue&, const AttributeValue&) = default;
};

// One entity with every property, for setup and inspection. Which geometry fields a kind
// uses (the others keep their defaults and are ignored):
//
//   polyline             points (flat x, y pairs), closed
//   line                 start, end
//   point                at
//   circle               center, radius
//   arc                  center, radius, startAngle, endAngle (radians)
//   text                 at, text, height
//   region               points (its closed outline, flat x, y pairs)
//   alignedDimension     first, second, textPosition, text (the override), height (the
//                        text height), arrowheadSize
//   angularDimension     vertex, first, second, textPosition, text, height, arrowheadSize
//   blockReference       block, at, scale, rotation, attributes
//   attributeDefinition  tag, text (the default value), prompt, mode, height, at
//   solid                profile (the region's id), height, taperAngle, points (the
//                        profile's outline; setup copies the region's when left empty)
struct EntityData {
  std::string id;
  EntityKind kind = EntityKind::Point;
  std::string layer = "0";
  ColorValue color;  // by layer
  int32_t lineweight = host::kLineweightByLayer;

  std::vector<double> points;
  bool closed = false;
  Point3 at;
  Point3 start;
  Point3 end;
  Point3 center;
  double radius = 0;
  double startAngle = 0;
  double endAngle = 0;
  Point3 first;
  Point3 second;
  Point3 vertex;
  Point3 textPosition;
  std::string text;
  double height = 0;
  double arrowheadSize = 0;
  std::string block;
  Point3 scale{1, 1, 1};
  double rotation = 0;
  std::vector<AttributeValue> attributes;
  std::string tag;
  std::string prompt;
  int32_t mode = 0;
  std::string profile;
  double taperAngle = 0;
};

// An entity's handle in its drawing: a dense number, never reused.
using EntityHandle = uint32_t;

// Where an entity lives: model space, paper space, or block definition number i (in the
// order of Blocks()).
struct Space {
  uint32_t code = 0;
  static constexpr Space Model() { return {0}; }
  static constexpr Space Paper() { return {1}; }
  static constexpr Space Block(uint32_t index) { return {2 + index}; }
  bool IsBlock() const { return code >= 2; }
  uint32_t BlockIndex() const { return code - 2; }
  friend bool operator==(Space, Space) = default;
};

}  // namespace nimbo::standalone
