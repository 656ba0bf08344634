#include <map>

#include "replay/dxf/dimension_geometry.h"
#include "replay/dxf/entity_writer.h"
#include "replay/dxf/write_sections.h"

namespace nimbo::replay::dxf {

namespace {

using standalone::EntityKind;

// The entities of one space, with the entities the host does not model each right after
// the one it followed in the file. One whose predecessor the session deleted goes at the
// end of its space, so that nothing read is lost.
void WriteSpace(WritePlan& plan, GroupWriter& out, const std::vector<PlannedEntity>& entities,
                const std::string& key, uint64_t owner, bool paper) {
  std::vector<const RawObject*> first;
  std::map<uint64_t, std::vector<const RawObject*>> after;
  for (const DxfRetained::KeptEntity& kept : plan.retained.entities) {
    if (kept.space != key) continue;
    if (kept.after.empty()) {
      first.push_back(&kept.groups);
    } else {
      after[ParseHandle(kept.after).value_or(0)].push_back(&kept.groups);
    }
  }
  for (const RawObject* groups : first) out.Raw(*groups);
  for (const PlannedEntity& entity : entities) {
    WriteEntity(plan, out, entity, owner, paper);
    if (const auto found = after.find(entity.handle); found != after.end()) {
      for (const RawObject* groups : found->second) out.Raw(*groups);
      after.erase(found);
    }
  }
  for (const auto& [handle, orphans] : after) {
    for (const RawObject* groups : orphans) out.Raw(*groups);
  }
}

void WriteBlockBegin(GroupWriter& out, const PlannedBlock& block) {
  bool attributes = false;
  for (const PlannedEntity& entity : block.entities) {
    attributes = attributes || entity.data.kind == EntityKind::AttributeDefinition;
  }
  out.Text(0, "BLOCK");
  out.Handle(5, block.begin);
  out.Handle(330, block.record);
  out.Text(100, "AcDbEntity");
  out.Text(8, "0");
  out.Text(100, "AcDbBlockBegin");
  out.Text(2, block.name);
  out.Integer(70, (block.anonymous ? 1 : 0) | (attributes ? 2 : 0));
  out.Point(10, block.origin);
  out.Text(3, block.name);
  out.Text(1, "");
}

void WriteBlockEnd(GroupWriter& out, const PlannedBlock& block) {
  out.Text(0, "ENDBLK");
  out.Handle(5, block.end);
  out.Handle(330, block.record);
  out.Text(100, "AcDbEntity");
  out.Text(8, "0");
  out.Text(100, "AcDbBlockEnd");
}

}  // namespace

void WriteBlocks(WritePlan& plan, GroupWriter& out) {
  out.Text(0, "SECTION");
  out.Text(2, "BLOCKS");
  for (const PlannedBlock& block : plan.blocks) {
    if (block.read != nullptr) {
      out.Raw(block.read->begin);
    } else {
      WriteBlockBegin(out, block);
    }
    // The two spaces' entities are in the ENTITIES section.
    if (block.key != kModelSpace && block.key != kPaperSpace) {
      if (block.dimension != nullptr) {
        WriteDimensionGeometry(plan, out, block.dimension->data, block.record);
      } else {
        WriteSpace(plan, out, block.entities, block.key, block.record, false);
      }
    }
    if (block.read != nullptr) {
      out.Raw(block.read->end);
    } else {
      WriteBlockEnd(out, block);
    }
  }
  out.Text(0, "ENDSEC");
}

void WriteEntities(WritePlan& plan, GroupWriter& out) {
  out.Text(0, "SECTION");
  out.Text(2, "ENTITIES");
  WriteSpace(plan, out, plan.model, kModelSpace, plan.modelRecord, false);
  WriteSpace(plan, out, plan.paper, kPaperSpace, plan.paperRecord, true);
  out.Text(0, "ENDSEC");
}

}  // namespace nimbo::replay::dxf
