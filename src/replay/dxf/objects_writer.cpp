#include "replay/dxf/extended_data.h"
#include "replay/dxf/write_sections.h"

namespace nimbo::replay::dxf {

namespace {

// The root dictionary with our entry among its entries (before any extended data).
void WriteRoot(GroupWriter& out, const RawObject& root, uint64_t tables) {
  bool added = false;
  for (const Group& group : root) {
    if (!added && group.code >= 1000) {
      out.Text(3, kTablesDictionary);
      out.Handle(350, tables);
      added = true;
    }
    out.Raw(group);
  }
  if (!added) {
    out.Text(3, kTablesDictionary);
    out.Handle(350, tables);
  }
}

void WriteTablesDictionary(WritePlan& plan, GroupWriter& out, uint64_t root, uint64_t handle) {
  const auto& tables = plan.drawing.ObjectDataTables();
  out.Text(0, "DICTIONARY");
  out.Handle(5, handle);
  out.Handle(330, root);
  out.Text(100, "AcDbDictionary");
  out.Integer(281, 1);
  for (size_t i = 0; i < tables.size(); ++i) {
    out.Text(3, tables[i].name);
    out.Handle(350, handle + 1 + i);
  }
  for (size_t i = 0; i < tables.size(); ++i) {
    out.Text(0, "XRECORD");
    out.Handle(5, handle + 1 + i);
    out.Handle(330, handle);
    out.Text(100, "AcDbXrecord");
    out.Integer(280, 1);
    for (const std::string& field : tables[i].fields) out.Text(1, field);
  }
}

}  // namespace

void WriteObjects(WritePlan& plan, GroupWriter& out) {
  const uint64_t firstFree = plan.ourTables;
  out.Text(0, "SECTION");
  out.Text(2, "OBJECTS");
  const std::vector<RawObject>& objects = plan.retained.objects;
  const bool ours = !plan.drawing.ObjectDataTables().empty() && !objects.empty();
  for (size_t i = 0; i < objects.size(); ++i) {
    // The first object is the root dictionary.
    if (i == 0 && ours) {
      WriteRoot(out, objects[0], firstFree);
    } else {
      out.Raw(objects[i]);
    }
  }
  if (ours) WriteTablesDictionary(plan, out, HandleOf(objects[0]), firstFree);
  out.Text(0, "ENDSEC");
}

}  // namespace nimbo::replay::dxf
