#include "geometry/bound_members.h"

#include "automation/object_cast.h"

namespace nimbo::geometry {

using automation::MemberKind;
using automation::MemberParameter;
using automation::MemberType;
using automation::Variant;

std::vector<MemberParameter> CornerParameters() {
  std::vector<MemberParameter> corners;
  for (const char* name : {"dULx", "dULy", "dURx", "dURy", "dLRx", "dLRy", "dLLx", "dLLy"}) {
    corners.push_back({name, MemberType::Double});
  }
  return corners;
}

void ReadCorners(std::span<Variant> arguments, double (&corners)[8]) {
  for (size_t i = 0; i < 8; ++i) corners[i] = automation::DoubleArgument(arguments[i]);
}

namespace {

automation::MemberTable<Bound> MakeBoundMembers() {
  automation::MemberTable<Bound> table;
  int32_t id = automation::kFirstFieldDispid;
  for (auto [name, field] :
       {std::pair{"ULx", &Bound::ULx}, std::pair{"ULy", &Bound::ULy}, std::pair{"URx", &Bound::URx},
        std::pair{"URy", &Bound::URy}, std::pair{"LRx", &Bound::LRx}, std::pair{"LRy", &Bound::LRy},
        std::pair{"LLx", &Bound::LLx}, std::pair{"LLy", &Bound::LLy}}) {
    automation::AddProperty(table, name, id++, field);
  }
  automation::AddProperty(table, "initialized", id++, &Bound::initialized);
  table.push_back({{"SetValues", 0x60030000, MemberKind::Method, CornerParameters()},
                   [](Bound& self, std::span<Variant> a) {
                     double c[8];
                     ReadCorners(a, c);
                     self.SetValues(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]);
                     return Variant();
                   }});
  table.push_back({{"AsPolyline",
                    0x60030001,
                    MemberKind::Method,
                    {{"doc", MemberType::Object, true, "IAcadDocument"},
                     {"layername", MemberType::String, true}},
                    MemberType::Object},
                   [](Bound& self, std::span<Variant> a) {
                     const auto doc =
                         automation::As<host::Document>(automation::ObjectArgument(a[0]));
                     return automation::WithStringReference(a[1], [&](std::string& layername) {
                       return Variant(automation::ObjectRef(self.AsPolyline(doc, layername)));
                     });
                   }});
  return table;
}

}  // namespace

const automation::MemberTable<Bound>& BoundMembers() {
  static const automation::MemberTable<Bound> table = MakeBoundMembers();
  return table;
}

}  // namespace nimbo::geometry
