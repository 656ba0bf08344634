#include "replay/dxf/entity_groups.h"
#include "replay/dxf/group_values.h"
#include "replay/dxf/read_parts.h"

namespace nimbo::replay::dxf {

namespace {

// An entity and what belongs to it: a POLYLINE's VERTEXes, or an INSERT's ATTRIBs when its
// 66 group says they follow, each up to its SEQEND.
EntityParts TakeEntity(GroupCursor& cursor) {
  EntityParts entity;
  entity.parts.push_back(cursor.TakeObject());
  const std::string& type = entity.Main().Type();
  const bool followed =
      type == "POLYLINE" || (type == "INSERT" && EntityGroups(entity.Main().groups).Integer(66, 0));
  if (!followed) return entity;
  const char* part = type == "POLYLINE" ? "VERTEX" : "ATTRIB";
  while (cursor.AtObject(part)) entity.parts.push_back(cursor.TakeObject());
  if (cursor.AtObject("SEQEND")) {
    entity.parts.push_back(cursor.TakeObject());
  } else if (cursor.AtEnd()) {
    cursor.FailCutShort("the SEQEND of a " + type);
  }
  return entity;
}

}  // namespace

void ReadEntitySequence(GroupCursor& cursor, const std::string& end, const std::string& space,
                        bool model, DxfDrawing& drawing, const ReadContext& context,
                        std::vector<standalone::EntityData>* into) {
  DxfRetained& retained = drawing.retained;
  std::string after;
  std::string afterPaper;  // the ENTITIES section holds both spaces
  while (!cursor.AtObject(end)) {
    if (cursor.AtEnd()) cursor.FailCutShort("the " + end + " of " + space);
    const EntityParts entity = TakeEntity(cursor);
    const bool paper =
        into == &drawing.content.modelSpace && EntityGroups(entity.Main().groups).Integer(67, 0);
    std::vector<standalone::EntityData>& target = paper ? drawing.content.paperSpace : *into;
    std::string& previous = paper ? afterPaper : after;
    std::vector<standalone::ObjectDataRecord> records;
    std::optional<standalone::EntityData> data;
    if (model) data = MapEntity(entity, context, records);
    if (data) {
      if (!data->id.empty()) {
        retained.modelled[data->id] = {*data, WithoutOurExtendedData(entity)};
        previous = data->id;
      }
      for (auto& record : records) drawing.content.objectDataRecords.push_back(std::move(record));
      target.push_back(std::move(*data));
      continue;
    }
    retained.entities.push_back(
        {paper ? "*PAPER_SPACE" : space, previous, WithoutOurExtendedData(entity)});
    if (model) ++retained.unmodelled[entity.Main().Type()];
  }
}

void ReadEntities(GroupCursor& cursor, DxfDrawing& drawing, const ReadContext& context) {
  ReadEntitySequence(cursor, "ENDSEC", "*MODEL_SPACE", true, drawing, context,
                     &drawing.content.modelSpace);
  cursor.TakeObject();
}

void ReadBlocks(GroupCursor& cursor, DxfDrawing& drawing, ReadContext& context) {
  while (!cursor.AtObject("ENDSEC")) {
    LinedObject begin = cursor.TakeObject();
    if (begin.Type() != "BLOCK") {
      throw DxfError(cursor.File(), begin.Line(), 0,
                     "expected a BLOCK, found \"" + begin.Type() + "\"");
    }
    const EntityGroups groups(begin.groups);
    const std::string name = groups.Text(2, "");
    // Layouts, anonymous blocks and external references are kept as they are.
    const bool anonymous =
        name.empty() || name.front() == '*' || (groups.Integer(70, 0) & (1 | 4 | 8)) != 0;
    std::vector<standalone::EntityData> entities;
    ReadEntitySequence(cursor, "ENDBLK", UpperName(name), !anonymous, drawing, context, &entities);
    LinedObject end = cursor.TakeObject();
    if (!anonymous) {
      context.blockNames.insert(UpperName(name));
      drawing.content.blocks.push_back({{name, groups.Point(10)}, std::move(entities)});
    }
    drawing.retained.blocks.push_back(
        {name, std::move(begin.groups), std::move(end.groups), anonymous});
  }
  cursor.TakeObject();
}

}  // namespace nimbo::replay::dxf
