#include "geometry/extent_members.h"

#include "geometry/bound_members.h"

namespace nimbo::geometry {

using automation::MemberKind;
using automation::MemberType;
using automation::Variant;

namespace {

automation::MemberTable<Extent> MakeExtentMembers() {
  automation::MemberTable<Extent> table;
  int32_t id = automation::kFirstFieldDispid;
  for (auto [name, field] : {std::pair{"Minx", &Extent::Minx}, std::pair{"Miny", &Extent::Miny},
                             std::pair{"Maxx", &Extent::Maxx}, std::pair{"Maxy", &Extent::Maxy}}) {
    automation::AddProperty(table, name, id++, field);
  }
  automation::AddProperty(table, "initialized", id++, &Extent::initialized);
  table.push_back({{"MergeBound", 0x60030001, MemberKind::Method, CornerParameters()},
                   [](Extent& self, std::span<Variant> a) {
                     double c[8];
                     ReadCorners(a, c);
                     self.MergeBound(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]);
                     return Variant();
                   }});
  table.push_back({{"IsInside",
                    0x60030002,
                    MemberKind::Method,
                    {{"X", MemberType::Double}, {"Y", MemberType::Double}},
                    MemberType::Boolean},
                   [](Extent& self, std::span<Variant> a) {
                     return Variant(self.IsInside(automation::DoubleArgument(a[0]),
                                                  automation::DoubleArgument(a[1])));
                   }});
  table.push_back({{"IsGeometryPartiallyInside",
                    0x60030003,
                    MemberKind::Method,
                    {{"elem", MemberType::Object, true, "IAcadEntity"}},
                    MemberType::Boolean},
                   [](Extent& self, std::span<Variant> a) {
                     return Variant(
                         self.IsGeometryPartiallyInside(automation::ObjectArgument(a[0])));
                   }});
  return table;
}

}  // namespace

const automation::MemberTable<Extent>& ExtentMembers() {
  static const automation::MemberTable<Extent> table = MakeExtentMembers();
  return table;
}

}  // namespace nimbo::geometry
