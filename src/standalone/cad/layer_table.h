// The drawing's layer table. Layer names are interned: an entity holds a layer number,
// which stays the layer's for the drawing's life (a deleted layer keeps its number, so
// the table's order and the numbers differ once one is deleted). The table counts each
// layer's users, the live entities on it, so that deleting can refuse a layer in use.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "standalone/cad/entity_data.h"

namespace nimbo::standalone {

// The properties of a layer.
struct LayerData {
  std::string name;
  ColorValue color = ColorValue::Index(7);
  bool on = true;
  bool frozen = false;
  bool locked = false;
  int32_t lineweight = -3;  // the host's default
  friend bool operator==(const LayerData&, const LayerData&) = default;
};

class LayerTable {
 public:
  LayerTable();  // layer "0", current

  // The layer's number; a name that the table does not have is added with defaults.
  uint32_t Intern(std::string_view name);
  // Adds the layer, or replaces the properties of the one of that name but keeps its name.
  uint32_t Put(const LayerData& layer);
  std::optional<uint32_t> Find(std::string_view name) const;  // case-insensitive

  uint32_t Count() const { return static_cast<uint32_t>(order_.size()); }
  uint32_t At(uint32_t position) const { return order_[position]; }
  std::vector<LayerData> InOrder() const;
  bool Live(uint32_t layer) const;
  const LayerData& Layer(uint32_t layer) const;
  const std::string& Name(uint32_t layer) const { return layers_[layer].data.name; }
  void SetColor(uint32_t layer, ColorValue color);

  uint32_t Current() const { return current_; }
  void SetCurrent(uint32_t layer) { current_ = layer; }

  void AddUser(uint32_t layer) { ++layers_[layer].users; }
  void RemoveUser(uint32_t layer) { --layers_[layer].users; }
  uint32_t Users(uint32_t layer) const;

  // Why the layer cannot be deleted ("0", current, in use), or nothing when it can.
  std::optional<std::string> WhyUndeletable(uint32_t layer) const;
  void Delete(uint32_t layer);  // the caller checked WhyUndeletable

 private:
  struct LayerRecord {
    LayerData data;
    uint32_t users = 0;
    bool deleted = false;
  };

  std::vector<LayerRecord> layers_;  // by layer number, never shrinks
  std::vector<uint32_t> order_;      // the table, in order
  std::unordered_map<std::string, uint32_t> keys_;
  uint32_t current_ = 0;
};

}  // namespace nimbo::standalone
