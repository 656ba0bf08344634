// Looking up the values of an entity's or a table entry's own groups: those before its
// extended data, outside its application groups (`102 {...` to `102 }`).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "replay/dxf/dxf_drawing.h"
#include "standalone/cad/entity_data.h"

namespace nimbo::replay::dxf {

class EntityGroups {
 public:
  explicit EntityGroups(const RawObject& object);
  const std::vector<const Group*>& All() const { return own_; }
  const Group* First(int code) const;
  std::string Text(int code, const std::string& otherwise) const;
  double Real(int code, double otherwise) const;
  int64_t Integer(int code, int64_t otherwise) const;
  // The point of codes (c, c + 10, c + 20).
  standalone::Point3 Point(int code) const;
  // Colour (62) and true colour (420): by layer when neither is there.
  standalone::ColorValue Color() const;
  std::optional<standalone::ColorValue> TrueColor() const;

 private:
  std::vector<const Group*> own_;
};

}  // namespace nimbo::replay::dxf
