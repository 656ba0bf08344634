#include <algorithm>
#include <cmath>
#include <limits>

#include "replay/dxf/group_values.h"
#include "replay/dxf/read_parts.h"

namespace nimbo::replay::dxf {

namespace {

// What the writer writes itself, from the drawing.
constexpr std::string_view kWrittenVariables[] = {"$ACADVER", "$HANDSEED",    "$CLAYER",
                                                  "$PDMODE",  "$DWGCODEPAGE", "$PDSIZE"};

int16_t ToInt16(double value) {
  const double rounded = std::round(value);
  return static_cast<int16_t>(std::clamp(rounded, double{std::numeric_limits<int16_t>::min()},
                                         double{std::numeric_limits<int16_t>::max()}));
}

void TakeVariable(const RawObject& variable, DxfDrawing& drawing) {
  DxfContent& content = drawing.content;
  const std::string& name = variable.front().value;
  const std::string* value = variable.size() > 1 ? &variable[1].value : nullptr;
  if (name == "$CLAYER" && value && !value->empty()) content.currentLayer = *value;
  if (name == "$PDMODE" && value) {
    if (const auto number = ParseInteger(*value)) content.pdmode = ToInt16(double(*number));
  }
  if (name == "$PDSIZE" && value) {
    if (const auto number = ParseReal(*value)) content.pdsize = ToInt16(*number);
  }
  const bool written = std::find(std::begin(kWrittenVariables), std::end(kWrittenVariables),
                                 name) != std::end(kWrittenVariables);
  if (!written) drawing.retained.header.push_back(variable);
}

}  // namespace

void ReadHeader(const LinedObject& section, GroupCursor& cursor, DxfDrawing& drawing) {
  // The variables follow the section's name, each from its 9 group on.
  RawObject variable;
  for (size_t i = 2; i < section.groups.size(); ++i) {
    const Group& group = section.groups[i];
    if (group.code == 9) {
      if (!variable.empty()) TakeVariable(variable, drawing);
      variable.clear();
    } else if (variable.empty()) {
      throw DxfError(cursor.File(), section.lines[i], group.code,
                     "a header value without the name of its variable (group code 9)");
    }
    variable.push_back(group);
  }
  if (!variable.empty()) TakeVariable(variable, drawing);
  if (!ReadSectionObjects(cursor, "HEADER").empty()) {
    throw DxfError(cursor.File(), section.Line(), 0, "the HEADER section holds objects");
  }
}

}  // namespace nimbo::replay::dxf
