// The drawing's named selection sets, in order of creation. A set holds entity handles;
// the automation object of a set (memory_selection_sets.cpp) keeps it pruned of entities
// deleted since.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "standalone/cad/entity_data.h"

namespace nimbo::standalone {

struct SelectionSetRecord {
  std::string name;
  std::vector<EntityHandle> handles;  // may hold entities deleted since; skipped when read
  bool deleted = false;
  int enumerating = 0;    // while > 0, `handles` is only appended to
  uint64_t prunedAt = 0;  // Drawing::Deletions() when dead handles were last removed
};
using SelectionSetRef = std::shared_ptr<SelectionSetRecord>;

class SelectionSetTable {
 public:
  const std::vector<SelectionSetRef>& All() const { return sets_; }
  SelectionSetRef Find(std::string_view name) const;  // case-insensitive
  SelectionSetRef Add(std::string name);
  // Marks the set deleted (objects that hold it see that) and drops it from the table.
  void Delete(const SelectionSetRef& set);
  std::vector<std::string> Names() const;

 private:
  std::vector<SelectionSetRef> sets_;
};

}  // namespace nimbo::standalone
