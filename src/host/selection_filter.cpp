#include "host/selection_filter.h"

#include "host/cad.h"

namespace nimbo::host {

std::string EscapeWildcards(std::string_view name) {
  std::string pattern;
  pattern.reserve(name.size() + 4);
  for (const char c : name) {
    if (kWildcardCharacters.find(c) != std::string_view::npos) pattern += '`';
    pattern += c;
  }
  return pattern;
}

std::optional<std::string> LiteralOfPattern(std::string_view pattern) {
  std::string literal;
  literal.reserve(pattern.size());
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '`') {
      if (++i == pattern.size()) return std::nullopt;
      literal += pattern[i];
    } else if (kWildcardCharacters.find(c) != std::string_view::npos) {
      return std::nullopt;
    } else {
      literal += c;
    }
  }
  return literal;
}

SelectionFilter ModelSpaceLayerFilter(std::string_view layerName) {
  return SelectionFilter{{group_code::kLayerName, group_code::kLayoutName},
                         {EscapeWildcards(layerName), kModelLayout}};
}

}  // namespace nimbo::host
