#include "overlay/acad_colors_members.h"

#include "automation/object_cast.h"

namespace nimbo::overlay {

using automation::MemberKind;
using automation::MemberType;
using automation::Variant;

namespace {

using Conversion = int32_t (AcadColors::*)(host::Color&) const;

automation::Member<AcadColors> ComponentMember(const char* name, int32_t dispid,
                                               Conversion conversion) {
  return {{name,
           dispid,
           MemberKind::Method,
           {{"acadColor", MemberType::Object, true, "IAcadAcCmColor"}},
           MemberType::Long},
          [conversion](AcadColors& self, std::span<Variant> a) {
            const automation::ObjectRef color = automation::ObjectArgument(a[0]);
            return Variant((self.*conversion)(automation::RequireRef<host::Color>(color)));
          }};
}

}  // namespace

const automation::MemberTable<AcadColors>& AcadColorsMembers() {
  static const automation::MemberTable<AcadColors> table{
      ComponentMember("AcadColorToRed", 0x60030000, &AcadColors::AcadColorToRed),
      ComponentMember("AcadColorToGreen", 0x60030001, &AcadColors::AcadColorToGreen),
      ComponentMember("AcadColorToBlue", 0x60030002, &AcadColors::AcadColorToBlue)};
  return table;
}

}  // namespace nimbo::overlay
