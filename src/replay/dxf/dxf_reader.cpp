#include <algorithm>

#include "replay/dxf/dxf_text.h"
#include "replay/dxf/group_values.h"
#include "replay/dxf/read_parts.h"

namespace nimbo::replay::dxf {

namespace {

// $ACADVER, read ahead: how the text values are to be decoded depends on it.
std::string VersionOf(const std::vector<LinedGroup>& groups) {
  for (size_t i = 0; i + 1 < groups.size(); ++i) {
    if (groups[i].group.code == 9 && groups[i].group.value == "$ACADVER") {
      return std::string(Trimmed(groups[i + 1].group.value));
    }
    if (groups[i].group.code == 0 && groups[i].group.value == "ENDSEC") break;
  }
  return {};
}

void DecodeTexts(std::vector<LinedGroup>& groups, bool codePage) {
  for (LinedGroup& lined : groups) {
    if (KindOfCode(lined.group.code) == ValueKind::Text) {
      lined.group.value = DecodeDxfText(lined.group.value, codePage);
    } else {
      lined.group.value = std::string(Trimmed(lined.group.value));
    }
  }
}

void NoteHandles(const std::vector<LinedGroup>& groups, DxfRetained& retained) {
  for (const LinedGroup& lined : groups) {
    if (lined.group.code != 5 && lined.group.code != 105) continue;
    if (const auto handle = ParseHandle(lined.group.value)) {
      retained.highestHandle = std::max(retained.highestHandle, *handle);
    }
  }
}

}  // namespace

DxfDrawing ReadDxf(std::string_view text, const std::string& file) {
  std::vector<LinedGroup> groups = ReadGroups(text, file);
  std::erase_if(groups, [](const LinedGroup& lined) { return lined.group.code == 999; });
  if (groups.empty() || groups.front().group.code != 0 || groups.front().group.value != "SECTION") {
    throw DxfError(file, groups.empty() ? 1 : groups.front().line, -1,
                   "not a DXF file: it does not begin with a SECTION");
  }
  DxfDrawing drawing;
  ReadContext context;
  context.file = file;
  drawing.retained.version = VersionOf(groups);
  context.codePage = UsesCodePage(drawing.retained.version);
  DecodeTexts(groups, context.codePage);
  NoteHandles(groups, drawing.retained);

  GroupCursor cursor(std::move(groups), file);
  while (!cursor.AtObject("EOF")) {
    if (cursor.AtEnd()) cursor.FailCutShort("a SECTION or the EOF");
    const LinedObject section = cursor.TakeObject();
    if (section.Type() != "SECTION" || section.groups.size() < 2 || section.groups[1].code != 2) {
      throw DxfError(file, section.Line(), 0,
                     "expected a SECTION with its name, found \"" + section.Type() + "\"");
    }
    const std::string& name = section.groups[1].value;
    if (name == "HEADER") {
      ReadHeader(section, cursor, drawing);
    } else if (name == "CLASSES") {
      for (LinedObject& object : ReadSectionObjects(cursor, name)) {
        drawing.retained.classes.push_back(std::move(object.groups));
      }
    } else if (name == "TABLES") {
      ReadTables(cursor, drawing, context);
    } else if (name == "BLOCKS") {
      ReadBlocks(cursor, drawing, context);
    } else if (name == "ENTITIES") {
      ReadEntities(cursor, drawing, context);
    } else if (name == "OBJECTS") {
      ReadObjects(cursor, drawing, context);
    } else {
      DxfRetained::Section kept{name, {}};
      for (LinedObject& object : ReadSectionObjects(cursor, name)) {
        kept.objects.push_back(std::move(object.groups));
      }
      drawing.retained.otherSections.push_back(std::move(kept));
      ++drawing.retained.unmodelled["SECTION:" + name];
    }
  }
  return drawing;
}

}  // namespace nimbo::replay::dxf
