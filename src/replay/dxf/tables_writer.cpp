#include "replay/dxf/extended_data.h"
#include "replay/dxf/write_sections.h"

namespace nimbo::replay::dxf {

namespace {

using standalone::LayerData;

int64_t Rgb(const standalone::ColorValue& c) {
  return (int64_t{c.red} << 16) | (int64_t{c.green} << 8) | c.blue;
}

// A layer written anew: its properties, with the line type, plot style and extended data
// of its groups as read (a new layer takes layer 0's plot style).
void WriteLayer(const WritePlan& plan, GroupWriter& out, const PlannedLayer& layer,
                const RawObject* layerZero) {
  const LayerData& data = layer.data;
  const RawObject* read = layer.read != nullptr ? &layer.read->groups : nullptr;
  out.Text(0, "LAYER");
  out.Handle(5, layer.handle);
  out.Handle(330, plan.tableHandles.at("LAYER"));
  out.Text(100, "AcDbSymbolTableRecord");
  out.Text(100, "AcDbLayerTableRecord");
  out.Text(2, data.name);
  out.Integer(70, (data.frozen ? 1 : 0) | (data.locked ? 4 : 0));
  const bool rgb = data.color.method == host::color_method::kByRGB;
  int64_t index = rgb ? 7 : data.color.index;
  if (index < 1 || index > 255) index = 7;  // a layer's colour is never by layer or block
  out.Integer(62, data.on ? index : -index);
  if (rgb) out.Integer(420, Rgb(data.color));
  const std::string* linetype = read != nullptr ? GroupValue(*read, 6) : nullptr;
  out.Text(6, linetype != nullptr ? *linetype : "Continuous");
  out.Integer(370, data.lineweight);
  const RawObject* styleFrom = read != nullptr ? read : layerZero;
  if (styleFrom != nullptr) {
    if (const std::string* plotStyle = GroupValue(*styleFrom, 390)) out.Text(390, *plotStyle);
  }
  if (read != nullptr) {
    bool extended = false;
    for (const Group& group : *read) {
      extended = extended || group.code >= 1000;
      if (extended) out.Raw(group);
    }
  }
}

std::vector<GroupWriter> LayerEntries(const WritePlan& plan) {
  const auto zero = plan.retained.layers.find("0");
  const RawObject* layerZero = zero != plan.retained.layers.end() ? &zero->second.groups : nullptr;
  std::vector<GroupWriter> entries;
  for (const PlannedLayer& layer : plan.layers) {
    GroupWriter& entry = entries.emplace_back(plan.encoding);
    if (layer.unchanged) {
      entry.Raw(layer.read->groups);
    } else {
      WriteLayer(plan, entry, layer, layerZero);
    }
  }
  return entries;
}

bool Names(const RawObject& entry, std::string_view upperName) {
  const std::string* name = GroupValue(entry, 2);
  return name != nullptr && UpperName(*name) == upperName;
}

void WriteApplication(const WritePlan& plan, GroupWriter& out, uint64_t handle, const char* name) {
  out.Text(0, "APPID");
  out.Handle(5, handle);
  out.Handle(330, plan.tableHandles.at("APPID"));
  out.Text(100, "AcDbSymbolTableRecord");
  out.Text(100, "AcDbRegAppTableRecord");
  out.Text(2, name);
  out.Integer(70, 0);
}

void WriteBlockRecord(const WritePlan& plan, GroupWriter& out, const PlannedBlock& block) {
  out.Text(0, "BLOCK_RECORD");
  out.Handle(5, block.record);
  out.Handle(330, plan.tableHandles.at("BLOCK_RECORD"));
  out.Text(100, "AcDbSymbolTableRecord");
  out.Text(100, "AcDbBlockTableRecord");
  out.Text(2, block.name);
}

// The active viewport shows the drawing's view: its centre (12, 22) and height (40).
void WriteActiveViewport(const WritePlan& plan, GroupWriter& out, const RawObject& entry) {
  const host::Point3 center = plan.drawing.ViewCenter();
  for (const Group& group : entry) {
    if (group.code == 12) {
      out.Real(12, center.x);
    } else if (group.code == 22) {
      out.Real(22, center.y);
    } else if (group.code == 40) {
      out.Real(40, plan.drawing.ViewSize());
    } else {
      out.Raw(group);
    }
  }
}

std::vector<GroupWriter> Entries(WritePlan& plan, const DxfRetained::Table& table) {
  if (table.name == "LAYER") return LayerEntries(plan);
  std::vector<GroupWriter> entries;
  bool activeSeen = false;
  for (const RawObject& raw : table.entries) {
    if (table.name == "BLOCK_RECORD") {
      const std::string* name = GroupValue(raw, 2);
      if (name != nullptr && plan.superseded.contains(UpperName(*name))) continue;
    }
    GroupWriter& entry = entries.emplace_back(plan.encoding);
    if (table.name == "VPORT" && !activeSeen && Names(raw, "*ACTIVE")) {
      activeSeen = true;
      WriteActiveViewport(plan, entry, raw);
    } else {
      entry.Raw(raw);
    }
  }
  if (table.name == "APPID") {
    if (plan.acadApplication != 0) {
      WriteApplication(plan, entries.emplace_back(plan.encoding), plan.acadApplication, "ACAD");
    }
    bool ours = false;
    for (const RawObject& raw : table.entries) ours = ours || Names(raw, kApplicationName);
    if (!ours) {
      WriteApplication(plan, entries.emplace_back(plan.encoding), plan.ourApplication,
                       kApplicationName);
    }
  }
  if (table.name == "BLOCK_RECORD") {
    for (const PlannedBlock& block : plan.blocks) {
      if (block.read == nullptr) WriteBlockRecord(plan, entries.emplace_back(plan.encoding), block);
    }
  }
  return entries;
}

// The table's head, with its count of entries (70) as written.
void WriteHead(GroupWriter& out, const RawObject& head, size_t count) {
  bool counted = false;
  for (const Group& group : head) {
    if (group.code == 70 && !counted) {
      counted = true;
      out.Integer(70, static_cast<int64_t>(count));
    } else {
      out.Raw(group);
    }
  }
}

}  // namespace

void WriteTables(WritePlan& plan, GroupWriter& out) {
  out.Text(0, "SECTION");
  out.Text(2, "TABLES");
  for (const DxfRetained::Table& table : plan.retained.tables) {
    const std::vector<GroupWriter> entries = Entries(plan, table);
    WriteHead(out, table.head, entries.size());
    for (const GroupWriter& entry : entries) out.Append(entry);
    out.Text(0, "ENDTAB");
  }
  out.Text(0, "ENDSEC");
}

}  // namespace nimbo::replay::dxf
