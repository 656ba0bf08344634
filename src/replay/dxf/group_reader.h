// The first step of reading a DXF file: its lines as groups (a code line, then a value
// line), each with the line it starts on, every numeric value checked against its code.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "replay/dxf/dxf_drawing.h"

namespace nimbo::replay::dxf {

struct LinedGroup {
  Group group;
  size_t line = 0;  // the code's line, from 1
};

// What kind of value a group code carries.
enum class ValueKind { Text, Real, Integer, Handle };
ValueKind KindOfCode(int code);

// Throws DxfError for a code line that is not a number, a value line missing at the end,
// or a value its code cannot have. Binary DXF is refused with its own message.
std::vector<LinedGroup> ReadGroups(std::string_view text, const std::string& file);

}  // namespace nimbo::replay::dxf
