#include "replay/document_setup.h"

namespace nimbo::replay {

namespace {

using standalone::EntityData;
using standalone::EntityKind;

std::vector<double> Flat(const std::vector<Point2>& points) {
  std::vector<double> flat;
  flat.reserve(points.size() * 2);
  for (const Point2& p : points) {
    flat.push_back(p.x);
    flat.push_back(p.y);
  }
  return flat;
}

// Fills the kind and geometry fields that the drawing's EntityData uses for each kind.
struct GeometryInto {
  EntityData& e;
  void operator()(const PolylineGeometry& g) const {
    e.kind = EntityKind::Polyline;
    e.points = Flat(g.points);
    e.closed = g.closed;
  }
  void operator()(const LineGeometry& g) const {
    e.kind = EntityKind::Line;
    e.start = g.start;
    e.end = g.end;
  }
  void operator()(const PointGeometry& g) const {
    e.kind = EntityKind::Point;
    e.at = g.at;
  }
  void operator()(const CircleGeometry& g) const {
    e.kind = EntityKind::Circle;
    e.center = g.center;
    e.radius = g.radius;
  }
  void operator()(const ArcGeometry& g) const {
    e.kind = EntityKind::Arc;
    e.center = g.center;
    e.radius = g.radius;
    e.startAngle = g.startAngle;
    e.endAngle = g.endAngle;
  }
  void operator()(const TextGeometry& g) const {
    e.kind = EntityKind::Text;
    e.at = g.at;
    e.text = g.text;
    e.height = g.height;
  }
  void operator()(const RegionGeometry& g) const {
    e.kind = EntityKind::Region;
    e.points = Flat(g.points);
  }
  void operator()(const BlockReferenceGeometry& g) const {
    e.kind = EntityKind::BlockReference;
    e.block = g.block;
    e.at = g.at;
    for (const AttributeValue& a : g.attributes) e.attributes.push_back({a.tag, a.value});
  }
};

EntityData HostEntity(const SessionEntity& entity) {
  EntityData data;
  data.id = entity.id;
  data.layer = entity.layer;
  data.color = HostColor(entity.color);
  data.lineweight = entity.lineweight;
  std::visit(GeometryInto{data}, entity.geometry);
  return data;
}

}  // namespace

standalone::ColorValue HostColor(const SessionColor& color) {
  return standalone::ColorValue{color.method, color.index, static_cast<uint8_t>(color.rgb[0]),
                                static_cast<uint8_t>(color.rgb[1]),
                                static_cast<uint8_t>(color.rgb[2])};
}

void SetUpFromDxf(standalone::Drawing& drawing, const dxf::DxfContent& content) {
  for (const standalone::LayerData& layer : content.layers) drawing.PutLayer(layer);
  // Every block first: a definition may refer to one defined after it.
  std::vector<uint32_t> indexes;
  for (const dxf::DxfContent::Block& block : content.blocks) {
    indexes.push_back(drawing.AddBlock(block.data));
  }
  for (size_t i = 0; i < content.blocks.size(); ++i) {
    for (const EntityData& entity : content.blocks[i].entities) {
      drawing.AddEntity(standalone::Space::Block(indexes[i]), entity);
    }
  }
  for (const EntityData& entity : content.modelSpace) {
    drawing.AddEntity(standalone::Space::Model(), entity);
  }
  for (const EntityData& entity : content.paperSpace) {
    drawing.AddEntity(standalone::Space::Paper(), entity);
  }
  for (const standalone::ObjectDataTable& table : content.objectDataTables) {
    drawing.AddObjectDataTable(table);
  }
  for (const standalone::ObjectDataRecord& record : content.objectDataRecords) {
    drawing.AddObjectDataRecord(record);
  }
  if (content.viewCenter || content.viewSize) {
    const standalone::Point3 center = content.viewCenter.value_or(drawing.ViewCenter());
    drawing.SetView(center.x, center.y, content.viewSize.value_or(drawing.ViewSize()));
  }
  if (content.pdmode) drawing.StoreVariable("PDMODE", automation::Variant(*content.pdmode));
  if (content.pdsize) drawing.StoreVariable("PDSIZE", automation::Variant(*content.pdsize));
  if (content.currentLayer) drawing.SetCurrentLayer(*content.currentLayer);
}

void SetUpDocument(standalone::Drawing& drawing, const SessionDocument& document) {
  // Only the replay command reads the drawings a session names (the fault sweep and the
  // fuzz target do not).
  if (document.dxf && !document.dxfDrawing) {
    throw standalone::SetupError("the DXF drawing \"" + *document.dxf + "\" was not read");
  }
  const bool overDxf = document.dxfDrawing != nullptr;
  if (overDxf) SetUpFromDxf(drawing, document.dxfDrawing->content);
  for (const SessionLayer& layer : document.layers) {
    // Over a drawing, the layer "0" the session did not list is the drawing's.
    if (overDxf && layer.name == "0" && !document.layerZeroGiven) continue;
    drawing.PutLayer(standalone::LayerData{layer.name, HostColor(layer.color), layer.on,
                                           layer.frozen, layer.locked, layer.lineweight});
  }
  for (const SessionBlock& block : document.blocks) {
    const uint32_t index = drawing.AddBlock(standalone::BlockData{block.name, block.origin});
    for (const SessionAttributeDefinition& definition : block.attributes) {
      EntityData data;
      data.kind = EntityKind::AttributeDefinition;
      data.tag = definition.tag;
      data.text = definition.value;
      data.prompt = definition.prompt;
      data.mode = definition.mode;
      data.height = definition.height;
      data.at = definition.at;
      drawing.AddEntity(standalone::Space::Block(index), data);
    }
  }
  for (const SessionEntity& entity : document.modelSpace) {
    drawing.AddEntity(standalone::Space::Model(), HostEntity(entity));
  }
  for (const SessionEntity& entity : document.paperSpace) {
    drawing.AddEntity(standalone::Space::Paper(), HostEntity(entity));
  }
  for (const SessionObjectDataTable& table : document.objectData) {
    drawing.AddObjectDataTable(standalone::ObjectDataTable{table.table, table.fields});
  }
  if (!overDxf || document.viewGiven) {
    drawing.SetView(document.viewCenter.x, document.viewCenter.y, document.viewSize);
  }
  if (!overDxf || document.currentLayerGiven) drawing.SetCurrentLayer(document.currentLayer);
}

}  // namespace nimbo::replay
