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

}  // namespace

std::string WriteDxf(const standalone::Drawing& drawing, const DxfRetained* retained) {
  std::optional<DxfRetained> made;
  if (retained == nullptr) {
    made = NewDrawingGroups(1);
  } else if (retained->version < "AC1015") {
    made = IntoNewDrawing(*retained);
  }
  WritePlan plan(drawing, made ? *made : *retained);

  GroupWriter body(plan.encoding);
  WriteTables(plan, body);
  WriteBlocks(plan, body);
  WriteEntities(plan, body);
  uint64_t highest = body.HighestHandle();
  for (const RawObject& object : plan.retained.objects)
    highest = std::max(highest, HandleOf(object));
  GroupWriter objects(plan.encoding);
  WriteObjects(plan, objects, highest + 1);
  body.Append(objects);
  body.Text(0, "EOF");

  GroupWriter file(plan.encoding);
  WriteHeader(plan, file, body.HighestHandle() + 1);
  file.Append(body);
  return file.Take();
}

}  // namespace nimbo::replay::dxf
