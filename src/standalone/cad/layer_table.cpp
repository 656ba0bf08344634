#include "standalone/cad/layer_table.h"

#include <algorithm>

#include "standalone/cad/name_key.h"

namespace nimbo::standalone {

LayerTable::LayerTable() {
  layers_.push_back(LayerRecord{LayerData{"0"}});
  order_.push_back(0);
  keys_.emplace("0", 0);
}

uint32_t LayerTable::Intern(std::string_view name) {
  if (auto found = Find(name)) return *found;
  const auto number = static_cast<uint32_t>(layers_.size());
  layers_.push_back(LayerRecord{LayerData{std::string(name)}});
  order_.push_back(number);
  keys_.emplace(NameKey(name), number);
  return number;
}

uint32_t LayerTable::Put(const LayerData& layer) {
  const uint32_t number = Intern(layer.name);
  const std::string name = layers_[number].data.name;
  layers_[number].data = layer;
  layers_[number].data.name = name;
  return number;
}

std::optional<uint32_t> LayerTable::Find(std::string_view name) const {
  auto it = keys_.find(NameKey(name));
  if (it == keys_.end()) return std::nullopt;
  return it->second;
}

std::vector<LayerData> LayerTable::InOrder() const {
  std::vector<LayerData> out;
  out.reserve(order_.size());
  for (const uint32_t number : order_) out.push_back(layers_[number].data);
  return out;
}

bool LayerTable::Live(uint32_t layer) const {
  return layer < layers_.size() && !layers_[layer].deleted;
}

const LayerData& LayerTable::Layer(uint32_t layer) const {
  return layers_.at(layer).data;
}

void LayerTable::SetColor(uint32_t layer, ColorValue color) {
  layers_.at(layer).data.color = color;
}

uint32_t LayerTable::Users(uint32_t layer) const {
  return layers_.at(layer).users;
}

std::optional<std::string> LayerTable::WhyUndeletable(uint32_t layer) const {
  const LayerRecord& record = layers_.at(layer);
  if (layer == 0) return "layer \"0\" is the drawing's base layer";
  if (layer == current_) return "it is the current layer";
  if (record.users > 0) {
    return "it is still used by " + std::to_string(record.users) +
           (record.users == 1 ? " object" : " objects");
  }
  return std::nullopt;
}

void LayerTable::Delete(uint32_t layer) {
  LayerRecord& record = layers_.at(layer);
  if (record.deleted) return;
  record.deleted = true;
  std::erase(order_, layer);
  keys_.erase(NameKey(record.data.name));
}

}  // namespace nimbo::standalone
