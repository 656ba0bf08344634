// How the drawing stores one entity: a compact record of the common properties and the
// fixed geometry, with the rarer kinds' properties apart. A simple entity costs about 136
// bytes of record; a polyline's vertices are one flat array of doubles (16 bytes a
// vertex).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "standalone/cad/entity_data.h"

namespace nimbo::standalone {

// What only the rarer kinds need: text, dimensions, references, attribute definitions,
// solids.
struct EntityDetail {
  std::string text;  // text; a dimension's override; an attribute definition's default
  std::string tag;
  std::string prompt;
  std::string name;           // a reference's block; a solid's profile id
  std::array<Point3, 4> p{};  // aligned: first, second, text; angular: vertex, first, second, text
  Point3 scale{1, 1, 1};
  double height = 0;
  double rotation = 0;
  double arrowheadSize = 0;
  double taperAngle = 0;
  int32_t mode = 0;
  std::vector<AttributeValue> attributes;
};

// One entity. `g` holds the fixed geometry: line start (0..2) and end (3..5); point,
// text, reference and attribute definition insertion (0..2); circle and arc centre
// (0..2), radius (3), start and end angle (4, 5).
struct EntityRecord {
  std::string id;
  std::vector<double> points;
  std::unique_ptr<EntityDetail> detail;
  double g[6] = {};
  uint32_t layer = 0;
  uint32_t owner = 0;
  int32_t lineweight = host::kLineweightByLayer;
  int16_t colorMethod = host::color_method::kByLayer;
  int16_t colorIndex = host::kColorByLayer;
  uint8_t rgb[3] = {};
  EntityKind kind = EntityKind::Point;
  bool live = false;
  bool closed = false;
};

// Whether the kind keeps a detail (text, dimensions, references, attribute definitions,
// solids) or a flat array of points (polylines, regions, solids).
bool HasDetail(EntityKind kind);
bool HasPoints(EntityKind kind);

// Fills the record's kind, colour, line weight and geometry from the entity's values (not
// its id, layer, owner or liveness, which are the store's). A block reference's block
// name is taken as given.
void FillRecord(EntityRecord& record, const EntityData& entity);
// Every property of the record but its layer, a number the caller names.
EntityData DataOf(const EntityRecord& record);

ColorValue ColorOf(const EntityRecord& record);
void SetColor(EntityRecord& record, ColorValue color);

}  // namespace nimbo::standalone
