// The drawing's block table: the block definitions by name (case-insensitive), in order
// of definition. What a definition holds lives in the entity store, in the space of the
// block's index.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "standalone/cad/entity_data.h"

namespace nimbo::standalone {

struct BlockData {
  std::string name;
  Point3 origin;
};

class BlockTable {
 public:
  uint32_t Count() const { return static_cast<uint32_t>(blocks_.size()); }
  const BlockData& Block(uint32_t index) const { return blocks_[index]; }
  const std::vector<BlockData>& All() const { return blocks_; }
  std::optional<uint32_t> Find(std::string_view name) const;  // case-insensitive
  // Appends the definition (the caller checked that the name is new); answers its index.
  uint32_t Add(const BlockData& block);

 private:
  std::vector<BlockData> blocks_;
  // Each block's NameKey to its place in blocks_.
  std::unordered_map<std::string, uint32_t> keys_;
};

}  // namespace nimbo::standalone
