#include "standalone/cad/block_table.h"

#include "standalone/cad/name_key.h"

namespace nimbo::standalone {

std::optional<uint32_t> BlockTable::Find(std::string_view name) const {
  const auto it = keys_.find(NameKey(name));
  if (it == keys_.end()) return std::nullopt;
  return it->second;
}

uint32_t BlockTable::Add(const BlockData& block) {
  const auto index = static_cast<uint32_t>(blocks_.size());
  blocks_.push_back(block);
  keys_.emplace(NameKey(block.name), index);
  return index;
}

}  // namespace nimbo::standalone
