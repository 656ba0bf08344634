#include "replay/dxf/dxf_writer.h"

#include <algorithm>
#include <optional>

#include "replay/dxf/new_drawing.h"
#include "replay/dxf/write_plan.h"
#include "replay/dxf/write_sections.h"

namespace nimbo::replay::dxf {

namespace {

// A file older than AutoCAD 2000 has no block records, owners or objects to keep: it is
// written into a new drawing's groups, with its header variables and the entities the host
// does not model of its two spaces.
DxfRetained IntoNewDrawing(const DxfRetained& read) {
  DxfRetained into = NewDrawingGroups(read.highestHandle + 1);
  into.version = read.version;
  into.header = read.header;
  into.layers = read.layers;
  into.modelled = read.modelled;
  for (const DxfRetained::KeptEntity& kept : read.entities) {
    if (kept.space == kModelSpace || kept.space == kPaperSpace) into.entities.push_back(kept);
  }
  return into;
}

// A section the host has no part in (CLASSES, a thumbnail), as it was read.
void WriteKeptSection(const std::string& name, const std::vector<RawObject>& objects,
                      GroupWriter& out) {
  out.Text(0, "SECTION");
  out.Text(2, name);
  for (const RawObject& object : objects) out.Raw(object);
  out.Text(0, "ENDSEC");
}

// The highest handle the tables hold before our own entries.
uint64_t HighestOfTables(const WritePlan& plan) {
  uint64_t highest = 0;
  for (const DxfRetained::Table& table : plan.retained.tables) {
    highest = std::max(highest, HandleOf(table.head));
    for (const RawObject& entry : table.entries) highest = std::max(highest, HandleOf(entry));
  }
  for (const PlannedLayer& layer : plan.layers) highest = std::max(highest, layer.handle);
  for (const PlannedBlock& block : plan.blocks) highest = std::max(highest, block.record);
  return highest;
}

}  // namespace

std::string WriteDxf(const standalone::Drawing& drawing, const DxfRetained* retained) {
  std::optional<DxfRetained> made;
  if (retained == nullptr) {
    made = NewDrawingGroups(1);
  } else if (retained->version < "AC1015") {
    made = IntoNewDrawing(*retained);
  }
  WritePlan plan(drawing, made ? *made : *retained);

  // The tables go first in the file but last here: our own entries take handles above
  // everything else, which only the blocks and entities written tell.
  GroupWriter blocks(plan.encoding);
  WriteBlocks(plan, blocks);
  GroupWriter entities(plan.encoding);
  WriteEntities(plan, entities);
  uint64_t highest = std::max({blocks.HighestHandle(), entities.HighestHandle(),
                               plan.acadApplication, HighestOfTables(plan)});
  for (const RawObject& object : plan.retained.objects) {
    highest = std::max(highest, HandleOf(object));
  }
  plan.ourApplication = highest + 1;
  plan.ourTables = highest + 2;
  GroupWriter body(plan.encoding);
  if (!plan.retained.classes.empty()) WriteKeptSection("CLASSES", plan.retained.classes, body);
  WriteTables(plan, body);
  body.Append(blocks);
  body.Append(entities);
  WriteObjects(plan, body);
  for (const DxfRetained::Section& section : plan.retained.otherSections) {
    WriteKeptSection(section.name, section.objects, body);
  }
  body.Text(0, "EOF");

  GroupWriter file(plan.encoding);
  WriteHeader(plan, file, body.HighestHandle() + 1);
  file.Append(body);
  return file.Take();
}

}  // namespace nimbo::replay::dxf
