#include "replay/dxf/write_plan.h"

namespace nimbo::replay::dxf {

namespace {

using standalone::EntityData;
using standalone::EntityKind;

// Versions compare as their names do: AC1009 < AC1015 < AC1018 < AC1021 < ...
constexpr std::string_view kOldestWritten = "AC1015";  // AutoCAD 2000
constexpr std::string_view kFirstUtf8 = "AC1021";      // AutoCAD 2007

bool IsDimension(EntityKind kind) {
  return kind == EntityKind::AlignedDimension || kind == EntityKind::AngularDimension;
}

}  // namespace

const std::string* GroupValue(const RawObject& groups, int code) {
  for (const Group& group : groups) {
    if (group.code == code) return &group.value;
  }
  return nullptr;
}

uint64_t HandleOf(const RawObject& groups) {
  for (const Group& group : groups) {
    if (group.code == 5 || group.code == 105) return ParseHandle(group.value).value_or(0);
    if (group.code == 0 && &group != &groups.front()) break;
  }
  return 0;
}

bool SameEntity(const EntityData& a, const EntityData& b) {
  return a.id == b.id && a.kind == b.kind && UpperName(a.layer) == UpperName(b.layer) &&
         a.color == b.color && a.lineweight == b.lineweight && a.points == b.points &&
         a.closed == b.closed && a.at == b.at && a.start == b.start && a.end == b.end &&
         a.center == b.center && a.radius == b.radius && a.startAngle == b.startAngle &&
         a.endAngle == b.endAngle && a.first == b.first && a.second == b.second &&
         a.vertex == b.vertex && a.textPosition == b.textPosition && a.text == b.text &&
         a.height == b.height && a.arrowheadSize == b.arrowheadSize &&
         UpperName(a.block) == UpperName(b.block) && a.scale == b.scale &&
         a.rotation == b.rotation && a.attributes == b.attributes && a.tag == b.tag &&
         a.prompt == b.prompt && a.mode == b.mode && a.profile == b.profile &&
         a.taperAngle == b.taperAngle;
}

WritePlan::WritePlan(const standalone::Drawing& drawing_, const DxfRetained& retained_)
    : drawing(drawing_), retained(retained_), next_(retained_.highestHandle + 1) {
  version = retained.version >= kOldestWritten ? retained.version : std::string(kOldestWritten);
  encoding = version >= kFirstUtf8 ? TextEncoding::Utf8 : TextEncoding::UnicodeEscapes;
  legacy_ = retained.version < kOldestWritten;

  for (const DxfRetained::Table& table : retained.tables) {
    tableHandles[table.name] = HandleOf(table.head);
    if (table.name != "APPID") continue;
    bool acad = false;
    for (const RawObject& entry : table.entries) {
      const std::string* name = GroupValue(entry, 2);
      acad = acad || (name != nullptr && UpperName(*name) == "ACAD");
    }
    if (!acad) acadApplication = NewHandle();
  }
  for (const standalone::LayerData& layer : drawing.Layers()) {
    PlannedLayer planned;
    planned.data = layer;
    const auto read = retained.layers.find(UpperName(layer.name));
    if (read != retained.layers.end()) {
      planned.read = &read->second;
      planned.handle = HandleOf(read->second.groups);
      planned.unchanged = !legacy_ && read->second.data == layer;
    }
    if (planned.handle == 0) planned.handle = NewHandle();
    layers.push_back(std::move(planned));
  }
  for (const EntityData& e : drawing.Entities(standalone::Space::Model())) model.push_back(Plan(e));
  for (const EntityData& e : drawing.Entities(standalone::Space::Paper())) paper.push_back(Plan(e));
  for (const standalone::ObjectDataRecord& record : drawing.ObjectDataRecords()) {
    records[record.object].push_back(record);
  }
  PlanBlocks();
}

PlannedEntity WritePlan::Plan(const EntityData& data) {
  PlannedEntity planned;
  planned.data = data;
  const auto read = retained.modelled.find(data.id);
  if (read != retained.modelled.end()) {
    planned.read = &read->second;
    planned.handle = ParseHandle(data.id).value_or(0);
    planned.unchanged = !legacy_ && SameEntity(data, read->second.data);
    // A dimension written anew draws in a block of its own; the one it had is dropped.
    if (!planned.unchanged && IsDimension(data.kind)) {
      if (const std::string* block = GroupValue(read->second.groups, 2)) {
        superseded.insert(UpperName(*block));
      }
    }
  }
  if (planned.handle == 0) planned.handle = NewHandle();
  return planned;
}

void WritePlan::PlanBlocks() {
  const std::vector<standalone::BlockData> hostBlocks = drawing.Blocks();
  std::vector<std::vector<PlannedEntity>> hostEntities(hostBlocks.size());
  for (uint32_t i = 0; i < hostBlocks.size(); ++i) {
    for (const EntityData& e : drawing.Entities(standalone::Space::Block(i))) {
      hostEntities[i].push_back(Plan(e));
    }
  }
  std::vector<bool> written(hostBlocks.size(), false);
  for (const DxfRetained::ReadBlock& read : retained.blocks) {
    PlannedBlock block;
    block.name = read.name;
    block.key = UpperName(read.name);
    blockKeys_.insert(block.key);
    if (superseded.contains(block.key)) continue;
    block.read = &read;
    block.anonymous = read.anonymous;
    if (const std::string* owner = GroupValue(read.begin, 330))
      block.record = ParseHandle(*owner).value_or(0);
    if (block.key == kModelSpace) modelRecord = block.record;
    if (block.key == kPaperSpace) paperRecord = block.record;
    if (const auto index = drawing.FindBlock(read.name); index && !read.anonymous) {
      block.origin = hostBlocks[*index].origin;
      block.entities = std::move(hostEntities[*index]);
      written[*index] = true;
    }
    blocks.push_back(std::move(block));
  }
  for (uint32_t i = 0; i < hostBlocks.size(); ++i) {
    if (written[i]) continue;
    PlannedBlock block;
    block.name = hostBlocks[i].name;
    block.key = UpperName(block.name);
    blockKeys_.insert(block.key);
    block.origin = hostBlocks[i].origin;
    block.record = NewHandle();
    block.begin = NewHandle();
    block.end = NewHandle();
    block.entities = std::move(hostEntities[i]);
    blocks.push_back(std::move(block));
  }
  std::vector<PlannedBlock> dimensionBlocks;
  const auto planDimensions = [&](std::vector<PlannedEntity>& entities) {
    for (PlannedEntity& entity : entities) {
      if (entity.unchanged || !IsDimension(entity.data.kind)) continue;
      std::string name;
      do {
        name = "*D" + std::to_string(nextDimensionBlock_++);
      } while (blockKeys_.contains(UpperName(name)));
      blockKeys_.insert(UpperName(name));
      PlannedBlock block;
      block.name = name;
      block.key = UpperName(name);
      block.anonymous = true;
      block.record = NewHandle();
      block.begin = NewHandle();
      block.end = NewHandle();
      block.dimension = &entity;
      entity.dimensionBlock = name;
      dimensionBlocks.push_back(std::move(block));
    }
  };
  planDimensions(model);
  planDimensions(paper);
  for (PlannedBlock& block : blocks) planDimensions(block.entities);
  for (PlannedBlock& block : dimensionBlocks) blocks.push_back(std::move(block));
}

const PlannedBlock* WritePlan::FindBlock(const std::string& name) const {
  const std::string key = UpperName(name);
  for (const PlannedBlock& block : blocks) {
    if (block.key == key) return &block;
  }
  return nullptr;
}

}  // namespace nimbo::replay::dxf
