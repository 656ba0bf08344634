// Extent's member table drives the core object as an automation client does: by DISPID
// and kind, with the caller's Variants, converted as the run-time converts them. (Bound's
// is driven over COM, through the built library, in tests/win/server/.)
#include <gtest/gtest.h>

#include <vector>

#include "automation/error.h"
#include "geometry/cad_fakes.h"
#include "geometry/extent_members.h"

namespace nimbo::geometry {
namespace {

using automation::MemberKind;
using automation::Variant;

template <class Self>
Variant Call(Self& self, const automation::MemberTable<Self>& table, int32_t id, MemberKind kind,
             std::vector<Variant> arguments = {}) {
  for (const auto& member : table) {
    if (member.signature.dispid == id && member.signature.kind == kind) {
      return automation::CallMember(member, self, arguments);
    }
  }
  ADD_FAILURE() << "no member " << id;
  return Variant();
}

int32_t ErrorNumberOf(auto&& call) {
  try {
    call();
  } catch (const automation::AutomationError& error) {
    return error.number();
  }
  return 0;
}

TEST(extent_members, merges_and_answers_containment_as_automation_booleans) {
  Extent extent;
  const auto& table = ExtentMembers();
  Call(extent, table, 0x60030001, MemberKind::Method,
       {Variant(0.0), Variant(10.0), Variant(10.0), Variant(10.0), Variant(10.0), Variant(0.0),
        Variant(0.0), Variant(0.0)});
  EXPECT_EQ(Call(extent, table, 0x40030002, MemberKind::PropertyGet), Variant(10.0));
  EXPECT_EQ(Call(extent, table, 0x60030002, MemberKind::Method, {Variant(5.0), Variant(5.0)}),
            Variant::Bool(true));
  EXPECT_EQ(Call(extent, table, 0x60030003, MemberKind::Method,
                 {Variant(automation::ObjectRef(std::make_shared<testing::FakeNonEntity>()))}),
            Variant::Bool(false));
  EXPECT_EQ(ErrorNumberOf([&] {
              Call(extent, table, 0x60030003, MemberKind::Method, {Variant("not an object")});
            }),
            automation::errors::kTypeMismatch);
}

}  // namespace
}  // namespace nimbo::geometry
