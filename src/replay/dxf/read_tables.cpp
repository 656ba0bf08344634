#include <cmath>

#include "replay/dxf/entity_groups.h"
#include "replay/dxf/extended_data.h"
#include "replay/dxf/group_values.h"
#include "replay/dxf/read_parts.h"

namespace nimbo::replay::dxf {

namespace {

standalone::LayerData LayerOf(const RawObject& entry) {
  const EntityGroups groups(entry);
  standalone::LayerData layer;
  layer.name = groups.Text(2, "");
  const int64_t flags = groups.Integer(70, 0);
  layer.frozen = (flags & 1) != 0;
  layer.locked = (flags & 4) != 0;
  // A negative colour number is the layer's colour, switched off.
  const int64_t color = groups.Integer(62, 7);
  layer.on = color >= 0;
  layer.color = standalone::ColorValue::Index(static_cast<int32_t>(std::abs(color)));
  if (const auto rgb = groups.TrueColor()) layer.color = *rgb;
  layer.lineweight = static_cast<int32_t>(groups.Integer(370, -3));
  return layer;
}

void TakeActiveView(const RawObject& entry, DxfContent& content) {
  const EntityGroups groups(entry);
  if (UpperName(groups.Text(2, "")) != "*ACTIVE" || content.viewSize) return;
  content.viewCenter = standalone::Point3{groups.Real(12, 0), groups.Real(22, 0), 0};
  const double height = groups.Real(40, 0);
  if (height > 0) content.viewSize = height;
}

void TakeDimensionStyle(const RawObject& entry, ReadContext& context) {
  const EntityGroups groups(entry);
  context.dimensionStyles[UpperName(groups.Text(2, ""))] = {groups.Real(140, 0.18),
                                                            groups.Real(41, 0.18)};
}

}  // namespace

void ReadTables(GroupCursor& cursor, DxfDrawing& drawing, ReadContext& context) {
  while (!cursor.AtObject("ENDSEC")) {
    LinedObject head = cursor.TakeObject();
    if (head.Type() != "TABLE") {
      throw DxfError(cursor.File(), head.Line(), 0,
                     "expected a TABLE, found \"" + head.Type() + "\"");
    }
    DxfRetained::Table table{EntityGroups(head.groups).Text(2, ""), std::move(head.groups), {}};
    while (!cursor.AtObject("ENDTAB")) {
      if (cursor.AtEnd() || cursor.AtObject("ENDSEC")) {
        cursor.FailCutShort("the end of the " + table.name + " table");
      }
      LinedObject entry = cursor.TakeObject();
      if (table.name == "LAYER" && entry.Type() == "LAYER") {
        const standalone::LayerData layer = LayerOf(entry.groups);
        drawing.content.layers.push_back(layer);
        drawing.retained.layers[UpperName(layer.name)] = {layer, entry.groups};
      }
      if (table.name == "VPORT") TakeActiveView(entry.groups, drawing.content);
      if (table.name == "DIMSTYLE") TakeDimensionStyle(entry.groups, context);
      // Our application's name is the writer's to add.
      if (table.name == "APPID" && EntityGroups(entry.groups).Text(2, "") == kApplicationName) {
        continue;
      }
      table.entries.push_back(std::move(entry.groups));
    }
    cursor.TakeObject();
    drawing.retained.tables.push_back(std::move(table));
  }
  cursor.TakeObject();
}

}  // namespace nimbo::replay::dxf
