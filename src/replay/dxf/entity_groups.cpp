#include "replay/dxf/entity_groups.h"

#include "replay/dxf/group_values.h"

namespace nimbo::replay::dxf {

EntityGroups::EntityGroups(const RawObject& object) {
  int depth = 0;
  for (const Group& group : object) {
    if (group.code == 1001) break;
    if (group.code == 102) {
      depth += group.value.starts_with("{") ? 1 : (depth > 0 ? -1 : 0);
      continue;
    }
    if (depth == 0) own_.push_back(&group);
  }
}

const Group* EntityGroups::First(int code) const {
  for (const Group* group : own_) {
    if (group->code == code) return group;
  }
  return nullptr;
}

std::string EntityGroups::Text(int code, const std::string& otherwise) const {
  const Group* group = First(code);
  return group ? group->value : otherwise;
}

// The values were checked against their codes when the file was read.
double EntityGroups::Real(int code, double otherwise) const {
  const Group* group = First(code);
  return group ? ParseReal(group->value).value_or(otherwise) : otherwise;
}

int64_t EntityGroups::Integer(int code, int64_t otherwise) const {
  const Group* group = First(code);
  return group ? ParseInteger(group->value).value_or(otherwise) : otherwise;
}

standalone::Point3 EntityGroups::Point(int code) const {
  return {Real(code, 0), Real(code + 10, 0), Real(code + 20, 0)};
}

std::optional<standalone::ColorValue> EntityGroups::TrueColor() const {
  const Group* group = First(420);
  if (!group) return std::nullopt;
  const int64_t rgb = ParseInteger(group->value).value_or(0);
  return standalone::ColorValue::Rgb(static_cast<uint8_t>(rgb >> 16),
                                     static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb));
}

standalone::ColorValue EntityGroups::Color() const {
  if (const auto rgb = TrueColor()) return *rgb;
  const int64_t index = Integer(62, 256);
  if (index == 256) return standalone::ColorValue::ByLayer();
  if (index == 0) return standalone::ColorValue::ByBlock();
  return standalone::ColorValue::Index(static_cast<int32_t>(index < 0 ? -index : index));
}

}  // namespace nimbo::replay::dxf
