#include "standalone/cad/layer_filter.h"

#include <optional>

#include "host/cad.h"
#include "host/selection_filter.h"
#include "standalone/cad/memory_errors.h"
#include "standalone/cad/memory_objects.h"
#include "standalone/cad/name_key.h"

namespace nimbo::standalone {

namespace {

using host_error::Raise;

automation::AutomationError Refuse(const std::string& why) {
  return Raise(host_error::kInvalidInput, "Invalid input: " + why);
}

// The literal text of a code's value: a string without unescaped wildcards.
std::string LiteralValue(int16_t code, const automation::Variant& value) {
  if (value.Type() != automation::VarType::String) {
    throw Refuse("the value of filter group code " + std::to_string(code) +
                 " must be a String, not " + automation::VarTypeName(value.Type()));
  }
  const std::string& pattern = value.AsString();
  std::optional<std::string> literal = host::LiteralOfPattern(pattern);
  if (!literal) {
    throw Refuse("the filter value " + Quote(pattern) + " of group code " + std::to_string(code) +
                 " is a wildcard pattern, which this host does not match (escape # @ . * ? ~ "
                 "[ ] - , and ` with a backquote to match them as they are)");
  }
  return *literal;
}

}  // namespace

std::string ModelSpaceLayerOfFilter(const std::vector<int16_t>& types,
                                    const std::vector<automation::Variant>& data) {
  if (types.size() != data.size()) {
    throw Refuse("a selection filter pairs each group code with a value, not " +
                 std::to_string(types.size()) + " codes with " + std::to_string(data.size()) +
                 " values");
  }
  std::optional<std::string> layer;
  std::optional<std::string> layout;
  for (size_t i = 0; i < types.size(); ++i) {
    const int16_t code = types[i];
    std::optional<std::string>* slot = code == host::group_code::kLayerName    ? &layer
                                       : code == host::group_code::kLayoutName ? &layout
                                                                               : nullptr;
    if (slot == nullptr) {
      throw Refuse("filter group code " + std::to_string(code) +
                   " is not supported (8, layer name, and 410, layout name, are)");
    }
    if (*slot) throw Refuse("filter group code " + std::to_string(code) + " is given twice");
    *slot = LiteralValue(code, data[i]);
  }
  if (!layer || !layout) {
    throw Refuse(
        "this host selects all objects only by layer in model space: the filter needs "
        "group codes 8 (layer name) and 410 (\"Model\")");
  }
  if (NameKey(*layout) != NameKey(host::kModelLayout)) {
    throw Refuse("layout " + Quote(*layout) +
                 " is not supported: this host selects by layer in model space only (410 = "
                 "\"Model\")");
  }
  return *layer;
}

}  // namespace nimbo::standalone
