// The reader's parts, one a section, sharing a cursor over the file's groups.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "replay/dxf/dxf_drawing.h"
#include "replay/dxf/group_reader.h"

namespace nimbo::replay::dxf {

// One object of the file (from a 0 group to the next), with the line of each group.
struct LinedObject {
  RawObject groups;
  std::vector<size_t> lines;
  const std::string& Type() const { return groups.front().value; }
  size_t Line() const { return lines.front(); }
};

class GroupCursor {
 public:
  GroupCursor(std::vector<LinedGroup> groups, const std::string& file);
  bool AtEnd() const { return at_ >= groups_.size(); }
  // Whether the next group is `0 <type>`.
  bool AtObject(std::string_view type) const;
  // The object that begins at the next group, which must be a 0 group.
  LinedObject TakeObject();
  // The file ended where `what` was expected.
  [[noreturn]] void FailCutShort(const std::string& what) const;
  const std::string& File() const { return file_; }

 private:
  std::vector<LinedGroup> groups_;
  size_t at_ = 0;
  std::string file_;
};

// What the sections read before the entities tell them.
struct ReadContext {
  std::string file;
  bool codePage = true;  // the text is in a code page (before AutoCAD 2007)
  // The DIMSTYLE table's text height (140) and arrow size (41), by upper-case name.
  std::map<std::string, std::pair<double, double>> dimensionStyles;
  // The user blocks defined so far, by upper-case name: what a reference may name.
  std::set<std::string> blockNames;
};

void ReadHeader(const LinedObject& section, GroupCursor& cursor, DxfDrawing& drawing);
void ReadTables(GroupCursor& cursor, DxfDrawing& drawing, ReadContext& context);
void ReadBlocks(GroupCursor& cursor, DxfDrawing& drawing, ReadContext& context);
void ReadEntities(GroupCursor& cursor, DxfDrawing& drawing, const ReadContext& context);
void ReadObjects(GroupCursor& cursor, DxfDrawing& drawing, const ReadContext& context);
// The objects up to the next `0 ENDSEC` (which is taken).
std::vector<LinedObject> ReadSectionObjects(GroupCursor& cursor, const std::string& section);

// An entity with what belongs to it (a POLYLINE's VERTEXes, an INSERT's ATTRIBs, and their
// SEQEND), as the file holds it.
struct EntityParts {
  std::vector<LinedObject> parts;
  const LinedObject& Main() const { return parts.front(); }
};

// The entities up to `0 <end>` (ENDSEC, ENDBLK), which is left to the caller. `space`
// names where they are for what is kept; `modelled` decides whether the host takes them.
void ReadEntitySequence(GroupCursor& cursor, const std::string& end, const std::string& space,
                        bool model, DxfDrawing& drawing, const ReadContext& context,
                        std::vector<standalone::EntityData>* into);

// What the host makes of the entity, or nothing when it does not model it. `records` gets
// the object-data records of our extended data.
std::optional<standalone::EntityData> MapEntity(const EntityParts& entity,
                                                const ReadContext& context,
                                                std::vector<standalone::ObjectDataRecord>& records);

// The entity's groups as kept: without the groups of our own extended data.
RawObject WithoutOurExtendedData(const EntityParts& entity);

}  // namespace nimbo::replay::dxf
