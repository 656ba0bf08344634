// Selection filters as the CAD host reads them. The value of a filter's text codes is a
// wildcard pattern, so a name that must match only itself has its wildcard characters
// escaped with a backquote.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "automation/variant.h"

namespace nimbo::host {

// The layout name of model space (group code 410).
inline constexpr const char* kModelLayout = "Model";

// The characters that the host's wildcard patterns give a meaning, the backquote that
// escapes them included.
inline constexpr std::string_view kWildcardCharacters = "#@.*?~[]-,`";

// `name` with each wildcard character preceded by a backquote: the pattern that matches
// `name` alone.
std::string EscapeWildcards(std::string_view name);
// The one name that `pattern` matches, or none when it is a real pattern (an unescaped
// wildcard character) or ends in a backquote that escapes nothing.
std::optional<std::string> LiteralOfPattern(std::string_view pattern);

// FilterType and FilterData of a selection, paired by position.
struct SelectionFilter {
  std::vector<int16_t> types;
  std::vector<automation::Variant> data;
};

// Every object on the layer `layerName` (the host compares layer names ignoring case)
// that lies in model space.
SelectionFilter ModelSpaceLayerFilter(std::string_view layerName);

}  // namespace nimbo::host
