#include "replay/dxf/read_parts.h"

namespace nimbo::replay::dxf {

GroupCursor::GroupCursor(std::vector<LinedGroup> groups, const std::string& file)
    : groups_(std::move(groups)), file_(file) {}

bool GroupCursor::AtObject(std::string_view type) const {
  return !AtEnd() && groups_[at_].group.code == 0 && groups_[at_].group.value == type;
}

LinedObject GroupCursor::TakeObject() {
  if (AtEnd()) FailCutShort("an object");
  if (groups_[at_].group.code != 0) {
    throw DxfError(file_, groups_[at_].line, groups_[at_].group.code,
                   "expected the start of an object (group code 0)");
  }
  LinedObject object;
  do {
    object.groups.push_back(std::move(groups_[at_].group));
    object.lines.push_back(groups_[at_].line);
    ++at_;
  } while (!AtEnd() && groups_[at_].group.code != 0);
  return object;
}

void GroupCursor::FailCutShort(const std::string& what) const {
  const size_t last = groups_.empty() ? 0 : groups_.back().line + 1;
  throw DxfError(file_, last, -1, "the file is cut short: it ends where " + what + " was expected");
}

std::vector<LinedObject> ReadSectionObjects(GroupCursor& cursor, const std::string& section) {
  std::vector<LinedObject> objects;
  while (!cursor.AtObject("ENDSEC")) {
    if (cursor.AtEnd()) cursor.FailCutShort("the end of the " + section + " section");
    objects.push_back(cursor.TakeObject());
  }
  cursor.TakeObject();
  return objects;
}

}  // namespace nimbo::replay::dxf
