// The Document section of a session file.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <set>

#include "replay/session/session_parts.h"
#include "replay/session/session_values.h"

namespace nimbo::replay {

namespace {

// Layer names are compared as the host compares them: upper-cased.
std::string LayerKey(std::string name) {
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

SessionLayer ReadLayer(const JsonNode& node) {
  const JsonObject object(node, {"name", "color", "on", "frozen", "locked", "lineweight"});
  SessionLayer layer;
  layer.name = object.Required("name").NonEmptyString();
  if (auto v = object.Optional("color")) layer.color = ReadColor(*v);
  if (auto v = object.Optional("on")) layer.on = v->Boolean();
  if (auto v = object.Optional("frozen")) layer.frozen = v->Boolean();
  if (auto v = object.Optional("locked")) layer.locked = v->Boolean();
  if (auto v = object.Optional("lineweight")) layer.lineweight = v->Integer(INT32_MIN, INT32_MAX);
  return layer;
}

std::vector<Point2> ReadVertices(const JsonNode& node, size_t least) {
  std::vector<Point2> points;
  for (const JsonNode& point : node.Array()) points.push_back(ReadPoint2(point));
  if (points.size() < least) {
    node.Fail("needs at least " + std::to_string(least) + " points, found " +
              std::to_string(points.size()));
  }
  return points;
}

double ReadPositive(const JsonNode& node) {
  const double value = node.Number();
  if (value <= 0) node.Fail("must be greater than 0");
  return value;
}

std::vector<AttributeValue> ReadAttributeValues(const JsonNode& node) {
  std::vector<AttributeValue> values;
  for (const JsonNode& element : node.Array()) {
    const JsonObject object(element, {"tag", "value"});
    values.push_back({object.Required("tag").NonEmptyString(), object.Required("value").String()});
  }
  return values;
}

const std::vector<std::string> kEntityTypes = {"polyline", "line", "point",  "circle",
                                               "arc",      "text", "region", "blockReference"};

// The keys of each entity type besides the common ones.
std::vector<std::string_view> EntityKeys(const std::string& type) {
  std::vector<std::string_view> keys = {"id", "type", "layer", "color", "lineweight"};
  auto add = [&](std::initializer_list<std::string_view> more) {
    keys.insert(keys.end(), more.begin(), more.end());
  };
  if (type == "polyline") add({"points", "closed"});
  if (type == "line") add({"start", "end"});
  if (type == "point") add({"at"});
  if (type == "circle") add({"center", "radius"});
  if (type == "arc") add({"center", "radius", "startAngle", "endAngle"});
  if (type == "text") add({"at", "text", "height"});
  if (type == "region") add({"points"});
  if (type == "blockReference") add({"block", "at", "attributes"});
  return keys;
}

Geometry ReadGeometry(const std::string& type, const JsonObject& o) {
  if (type == "polyline") {
    PolylineGeometry g{ReadVertices(o.Required("points"), 2), false};
    if (auto v = o.Optional("closed")) g.closed = v->Boolean();
    return g;
  }
  if (type == "line")
    return LineGeometry{ReadPoint(o.Required("start")), ReadPoint(o.Required("end"))};
  if (type == "point") return PointGeometry{ReadPoint(o.Required("at"))};
  if (type == "circle") {
    return CircleGeometry{ReadPoint(o.Required("center")), ReadPositive(o.Required("radius"))};
  }
  if (type == "arc") {
    return ArcGeometry{ReadPoint(o.Required("center")), ReadPositive(o.Required("radius")),
                       o.Required("startAngle").Number(), o.Required("endAngle").Number()};
  }
  if (type == "text") {
    return TextGeometry{ReadPoint(o.Required("at")), o.Required("text").String(),
                        ReadPositive(o.Required("height"))};
  }
  if (type == "region") return RegionGeometry{ReadVertices(o.Required("points"), 3)};
  BlockReferenceGeometry g{o.Required("block").NonEmptyString(), ReadPoint(o.Required("at")), {}};
  if (auto v = o.Optional("attributes")) g.attributes = ReadAttributeValues(*v);
  return g;
}

SessionEntity ReadEntity(const JsonNode& node) {
  if (!node.IsObject()) node.FailType("an entity object");
  const auto found = node.Json().find("type");
  if (found == node.Json().end()) node.Fail("missing key \"type\"");
  const JsonNode typeNode(*found, PathKey(node.Path(), "type"));
  const std::string type = typeNode.String();
  if (std::find(kEntityTypes.begin(), kEntityTypes.end(), type) == kEntityTypes.end()) {
    typeNode.Fail("unknown entity type \"" + type + "\" (allowed: " + QuotedList(kEntityTypes) +
                  ")");
  }
  const JsonObject object(node, EntityKeys(type));
  SessionEntity entity;
  entity.id = object.Required("id").NonEmptyString();
  if (entity.id.front() == '#') {
    object.Required("id").Fail("ids beginning with \"#\" are kept for what the control creates");
  }
  if (auto v = object.Optional("layer")) entity.layer = v->NonEmptyString();
  if (auto v = object.Optional("color")) entity.color = ReadColor(*v);
  if (auto v = object.Optional("lineweight")) entity.lineweight = v->Integer(INT32_MIN, INT32_MAX);
  entity.geometry = ReadGeometry(type, object);
  return entity;
}

SessionAttributeDefinition ReadAttributeDefinition(const JsonNode& node) {
  const JsonObject object(node, {"tag", "value", "height", "prompt", "mode", "at"});
  SessionAttributeDefinition definition;
  definition.tag = object.Required("tag").NonEmptyString();
  if (auto v = object.Optional("value")) definition.value = v->String();
  if (auto v = object.Optional("height")) definition.height = ReadPositive(*v);
  if (auto v = object.Optional("prompt")) definition.prompt = v->String();
  if (auto v = object.Optional("mode")) definition.mode = v->Integer(0, 15);
  if (auto v = object.Optional("at")) definition.at = ReadPoint(*v);
  return definition;
}

SessionBlock ReadBlock(const JsonNode& node) {
  const JsonObject object(node, {"name", "origin", "attributes"});
  SessionBlock block;
  block.name = object.Required("name").NonEmptyString();
  if (auto v = object.Optional("origin")) block.origin = ReadPoint(*v);
  if (auto v = object.Optional("attributes")) {
    std::set<std::string> tags;
    for (const JsonNode& element : v->Array()) {
      block.attributes.push_back(ReadAttributeDefinition(element));
      if (!tags.insert(block.attributes.back().tag).second) {
        element.Fail("attribute tag \"" + block.attributes.back().tag + "\" given twice");
      }
    }
  }
  return block;
}

SessionObjectDataTable ReadObjectDataTable(const JsonNode& node) {
  const JsonObject object(node, {"table", "fields"});
  SessionObjectDataTable table;
  table.table = object.Required("table").NonEmptyString();
  if (auto v = object.Optional("fields")) {
    for (const JsonNode& field : v->Array()) {
      table.fields.push_back(field.NonEmptyString());
      if (std::count(table.fields.begin(), table.fields.end(), table.fields.back()) > 1) {
        field.Fail("field \"" + table.fields.back() + "\" given twice");
      }
    }
  }
  return table;
}

// Layer "0" comes first, taken from the list when it is there.
void PutLayerZeroFirst(std::vector<SessionLayer>& layers) {
  auto zero = std::find_if(layers.begin(), layers.end(),
                           [](const SessionLayer& layer) { return layer.name == "0"; });
  SessionLayer first = zero == layers.end() ? SessionLayer{"0"} : *zero;
  if (zero != layers.end()) layers.erase(zero);
  layers.insert(layers.begin(), first);
}

void CheckEntityNames(const JsonNode& list, const std::vector<SessionEntity>& entities,
                      const std::set<std::string>& layerKeys,
                      const std::vector<SessionBlock>& blocks,
                      const std::vector<std::string>& layerNames) {
  for (size_t i = 0; i < entities.size(); ++i) {
    const SessionEntity& entity = entities[i];
    const JsonNode node(list.Json()[i], PathIndex(list.Path(), i));
    if (!layerKeys.contains(LayerKey(entity.layer))) {
      node.Fail("layer \"" + entity.layer + "\" is not in the document's layers (" +
                QuotedList(layerNames) + ")");
    }
    if (const auto* reference = std::get_if<BlockReferenceGeometry>(&entity.geometry)) {
      const bool known = std::any_of(blocks.begin(), blocks.end(), [&](const SessionBlock& block) {
        return block.name == reference->block;
      });
      if (!known) node.Fail("block \"" + reference->block + "\" is not in the document's blocks");
    }
  }
}

}  // namespace

SessionDocument ReadDocument(const JsonNode& node) {
  const JsonObject object(node, {"name", "layers", "modelSpace", "paperSpace", "blocks",
                                 "objectData", "viewCenter", "viewSize", "currentLayer", "dxf"});
  SessionDocument document;
  document.name = object.Required("name").NonEmptyString();
  if (auto v = object.Optional("dxf")) document.dxf = v->NonEmptyString();

  std::set<std::string> layerKeys;
  if (auto list = object.Optional("layers")) {
    for (const JsonNode& element : list->Array()) {
      document.layers.push_back(ReadLayer(element));
      if (!layerKeys.insert(LayerKey(document.layers.back().name)).second) {
        element.Fail("layer \"" + document.layers.back().name + "\" given twice");
      }
    }
  }
  document.layerZeroGiven = layerKeys.contains("0");
  PutLayerZeroFirst(document.layers);
  layerKeys.insert("0");
  std::vector<std::string> layerNames;
  for (const SessionLayer& layer : document.layers) layerNames.push_back(layer.name);

  if (auto list = object.Optional("blocks")) {
    std::set<std::string> names;
    for (const JsonNode& element : list->Array()) {
      document.blocks.push_back(ReadBlock(element));
      if (!names.insert(document.blocks.back().name).second) {
        element.Fail("block \"" + document.blocks.back().name + "\" given twice");
      }
    }
  }

  std::set<std::string> ids;
  for (auto [key, space] : {std::pair{"modelSpace", &document.modelSpace},
                            std::pair{"paperSpace", &document.paperSpace}}) {
    auto list = object.Optional(key);
    if (!list) continue;
    for (const JsonNode& element : list->Array()) {
      space->push_back(ReadEntity(element));
      if (!ids.insert(space->back().id).second) {
        element.Fail("id \"" + space->back().id + "\" is used twice in the document");
      }
    }
    // The drawing's own layers and blocks are only known once it is read.
    if (!document.dxf) CheckEntityNames(*list, *space, layerKeys, document.blocks, layerNames);
  }

  if (auto list = object.Optional("objectData")) {
    std::set<std::string> names;
    for (const JsonNode& element : list->Array()) {
      document.objectData.push_back(ReadObjectDataTable(element));
      if (!names.insert(document.objectData.back().table).second) {
        element.Fail("table \"" + document.objectData.back().table + "\" given twice");
      }
    }
  }

  if (auto v = object.Optional("viewCenter")) {
    document.viewCenter = ReadPoint2(*v);
    document.viewGiven = true;
  }
  if (auto v = object.Optional("viewSize")) {
    document.viewSize = ReadPositive(*v);
    document.viewGiven = true;
  }
  if (auto v = object.Optional("currentLayer")) {
    document.currentLayer = v->NonEmptyString();
    document.currentLayerGiven = true;
    if (!document.dxf && !layerKeys.contains(LayerKey(document.currentLayer))) {
      v->Fail("layer \"" + document.currentLayer + "\" is not in the document's layers (" +
              QuotedList(layerNames) + ")");
    }
  }
  return document;
}

}  // namespace nimbo::replay
