#include "replay/output/replay_state.h"

#include "standalone/viewer/viewer_model_json.h"

namespace nimbo::replay {

namespace {

using Json = nlohmann::ordered_json;
using standalone::EntityData;
using standalone::EntityKind;

Json PointJson(const host::Point3& p) {
  return Json::array({p.x, p.y, p.z});
}

// A flat x, y list as [x, y] pairs: a lightweight polyline is flat.
Json PairsJson(const std::vector<double>& flat) {
  Json pairs = Json::array();
  for (size_t i = 0; i + 1 < flat.size(); i += 2)
    pairs.push_back(Json::array({flat[i], flat[i + 1]}));
  return pairs;
}

Json VariantJson(const automation::Variant& value) {
  const automation::Variant v = value.Value();
  switch (v.Type()) {
    case automation::VarType::Integer:
      return v.AsInteger();
    case automation::VarType::Long:
      return v.AsLong();
    case automation::VarType::Double:
      return v.AsDouble();
    case automation::VarType::String:
      return v.AsString();
    case automation::VarType::Boolean:
      return v.AsBoolean().IsTrue();
    case automation::VarType::DoubleArray:
      return v.AsDoubleArray().values;
    case automation::VarType::VariantArray: {
      Json out = Json::array();
      for (const automation::Variant& element : v.AsVariantArray().values) {
        out.push_back(VariantJson(element));
      }
      return out;
    }
    default:
      return nullptr;
  }
}

Json AttributeValuesJson(const std::vector<standalone::AttributeValue>& attributes) {
  Json out = Json::array();
  for (const auto& a : attributes) out.push_back(Json{{"tag", a.tag}, {"value", a.value}});
  return out;
}

void AddGeometry(Json& out, const EntityData& e) {
  switch (e.kind) {
    case EntityKind::Polyline:
      out["points"] = PairsJson(e.points);
      out["closed"] = e.closed;
      break;
    case EntityKind::Line:
      out["start"] = PointJson(e.start);
      out["end"] = PointJson(e.end);
      break;
    case EntityKind::Point:
      out["at"] = PointJson(e.at);
      break;
    case EntityKind::Circle:
      out["center"] = PointJson(e.center);
      out["radius"] = e.radius;
      break;
    case EntityKind::Arc:
      out["center"] = PointJson(e.center);
      out["radius"] = e.radius;
      out["startAngle"] = e.startAngle;
      out["endAngle"] = e.endAngle;
      break;
    case EntityKind::Text:
      out["at"] = PointJson(e.at);
      out["text"] = e.text;
      out["height"] = e.height;
      break;
    case EntityKind::Region:
      out["points"] = PairsJson(e.points);
      break;
    case EntityKind::AngularDimension:
      out["vertex"] = PointJson(e.vertex);
      [[fallthrough]];
    case EntityKind::AlignedDimension:
      out["first"] = PointJson(e.first);
      out["second"] = PointJson(e.second);
      out["textPosition"] = PointJson(e.textPosition);
      out["textOverride"] = e.text;
      out["textHeight"] = e.height;
      out["arrowheadSize"] = e.arrowheadSize;
      break;
    case EntityKind::BlockReference:
      out["block"] = e.block;
      out["at"] = PointJson(e.at);
      out["attributes"] = AttributeValuesJson(e.attributes);
      out["scale"] = PointJson(e.scale);
      out["rotation"] = e.rotation;
      break;
    case EntityKind::AttributeDefinition:
      out["tag"] = e.tag;
      out["value"] = e.text;
      out["height"] = e.height;
      out["prompt"] = e.prompt;
      out["mode"] = e.mode;
      out["at"] = PointJson(e.at);
      break;
    case EntityKind::Solid:
      out["profile"] = e.profile;
      out["height"] = e.height;
      out["taperAngle"] = e.taperAngle;
      break;
  }
}

Json EntityJson(const EntityData& e) {
  Json out{{"id", e.id},
           {"type", standalone::KindName(e.kind)},
           {"layer", e.layer},
           {"color", ColorJson(e.color)},
           {"lineweight", e.lineweight}};
  AddGeometry(out, e);
  return out;
}

Json SpaceJson(const standalone::Drawing& drawing, standalone::Space space) {
  Json out = Json::array();
  drawing.ForEachEntity(space, [&](const EntityData& e) { out.push_back(EntityJson(e)); });
  return out;
}

Json BlocksJson(const standalone::Drawing& drawing) {
  Json out = Json::array();
  const auto blocks = drawing.Blocks();
  for (uint32_t i = 0; i < blocks.size(); ++i) {
    Json attributes = Json::array();
    Json others = Json::array();
    drawing.ForEachEntity(standalone::Space::Block(i), [&](const EntityData& e) {
      if (e.kind != EntityKind::AttributeDefinition) {
        others.push_back(EntityJson(e));
        return;
      }
      attributes.push_back(Json{{"tag", e.tag},
                                {"value", e.text},
                                {"height", e.height},
                                {"prompt", e.prompt},
                                {"mode", e.mode},
                                {"at", PointJson(e.at)}});
    });
    Json block{{"name", blocks[i].name},
               {"origin", PointJson(blocks[i].origin)},
               {"attributes", std::move(attributes)}};
    // Entities other than attribute definitions only appear when something put them there.
    if (!others.empty()) block["entities"] = std::move(others);
    out.push_back(std::move(block));
  }
  return out;
}

Json LayersJson(const standalone::Drawing& drawing) {
  Json out = Json::array();
  for (const standalone::LayerData& layer : drawing.Layers()) {
    out.push_back(Json{{"name", layer.name},
                       {"color", ColorJson(layer.color)},
                       {"on", layer.on},
                       {"frozen", layer.frozen},
                       {"locked", layer.locked},
                       {"lineweight", layer.lineweight}});
  }
  return out;
}

Json ControlJson(const control::ControlState& state) {
  Json layerNames = nullptr;
  if (state.layerNames) layerNames = *state.layerNames;
  return Json{{"selectedPoint", Json::array({state.selectedPointX, state.selectedPointY})},
              {"overlaysPermitted", state.overlaysPermitted},
              {"layerNames", std::move(layerNames)}};
}

}  // namespace

Json ColorJson(const standalone::ColorValue& color) {
  using namespace host::color_method;
  if (color.method == kByACI && color.index >= 1 && color.index <= 255) return color.index;
  if (color.method == kByLayer && color.index == host::kColorByLayer) return "ByLayer";
  if (color.method == kByBlock && color.index == host::kColorByBlock) return "ByBlock";
  const Json rgb = Json::array({color.red, color.green, color.blue});
  if (color.method == kByRGB && color.index == 0) return Json{{"rgb", rgb}};
  return Json{{"method", color.method}, {"index", color.index}, {"rgb", rgb}};
}

Json DocumentState(const standalone::Drawing& drawing) {
  Json objectData = Json::array();
  for (const auto& table : drawing.ObjectDataTables()) {
    objectData.push_back(Json{{"table", table.name}, {"fields", table.fields}});
  }
  Json variables = Json::object();
  for (const standalone::Variable& variable : drawing.Variables()) {
    variables[variable.name] = VariantJson(variable.value);
  }
  Json records = Json::array();
  for (const standalone::ObjectDataRecord& record : drawing.ObjectDataRecords()) {
    Json values = Json::object();
    for (const auto& [field, value] : record.values) values[field] = VariantJson(value);
    records.push_back(
        Json{{"table", record.table}, {"object", record.object}, {"values", std::move(values)}});
  }
  const host::Point3 center = drawing.ViewCenter();
  return Json{{"name", drawing.Name()},
              {"layers", LayersJson(drawing)},
              {"modelSpace", SpaceJson(drawing, standalone::Space::Model())},
              {"paperSpace", SpaceJson(drawing, standalone::Space::Paper())},
              {"blocks", BlocksJson(drawing)},
              {"objectData", std::move(objectData)},
              {"viewCenter", Json::array({center.x, center.y})},
              {"viewSize", drawing.ViewSize()},
              {"currentLayer", drawing.CurrentLayer()},
              {"selectionSets", drawing.SelectionSetNames()},
              {"variables", std::move(variables)},
              {"objectDataRecords", std::move(records)}};
}

Json StateOf(ReplayWorld& world) {
  Json documents = Json::array();
  // A drawing closed during the session is kept, so that what the control wrote into it
  // before it closed can be seen; an open one stays in the session's Document form.
  for (const auto& [drawing, open] : world.application->SessionDrawings()) {
    Json document = DocumentState(*drawing);
    if (!open) document["open"] = false;
    documents.push_back(std::move(document));
  }
  return Json{{"documents", std::move(documents)},
              {"viewer", standalone::ViewerModelToJson(world.viewer.Model())},
              {"control", ControlJson(world.control->State())}};
}

}  // namespace nimbo::replay
