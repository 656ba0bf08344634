#include "standalone/cad/selection_set_table.h"

#include <algorithm>

#include "standalone/cad/name_key.h"

namespace nimbo::standalone {

SelectionSetRef SelectionSetTable::Find(std::string_view name) const {
  const std::string key = NameKey(name);
  for (const SelectionSetRef& set : sets_) {
    if (NameKey(set->name) == key) return set;
  }
  return nullptr;
}

SelectionSetRef SelectionSetTable::Add(std::string name) {
  auto set = std::make_shared<SelectionSetRecord>();
  set->name = std::move(name);
  sets_.push_back(set);
  return set;
}

void SelectionSetTable::Delete(const SelectionSetRef& set) {
  set->deleted = true;
  std::erase(sets_, set);
}

std::vector<std::string> SelectionSetTable::Names() const {
  std::vector<std::string> out;
  for (const SelectionSetRef& set : sets_) out.push_back(set->name);
  return out;
}

}  // namespace nimbo::standalone
