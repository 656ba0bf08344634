// _DockControl's member table drives the control as a script does: DocEvents read and set
// by reference, the layer operations with `layername` as a variable of the caller's (a
// Variant by reference, left as it was) or as a literal.
#include <gtest/gtest.h>

#include <vector>

#include "automation/object_cast.h"
#include "support/embedded_control.h"
#include "sync/dock_control_members.h"

namespace nimbo::sync {
namespace {

using automation::MemberKind;
using automation::Variant;

Variant Call(DockControlInterface& control, int32_t id, MemberKind kind,
             std::vector<Variant> arguments) {
  for (const auto& member : DockControlMembers()) {
    if (member.signature.dispid == id && member.signature.kind == kind) {
      return automation::CallMember(member, control, arguments);
    }
  }
  ADD_FAILURE() << "no member " << id;
  return Variant();
}

TEST(dock_control_members, layer_operations_and_doc_events_answer_through_the_table) {
  testing::EmbeddedControl palette{testing::PaletteOptions()};
  palette.ShowWithDrawing();
  DockControlInterface& control = *palette.control;

  Variant name("VeskNimBoTotalExtent");
  Call(control, 0x60030018, MemberKind::Method, {Variant::Ref(name)});
  ASSERT_NE(palette.LayerNamed("VeskNimBoTotalExtent"), nullptr);
  EXPECT_EQ(palette.LayerNamed("VeskNimBoTotalExtent")->color.index, 5);
  EXPECT_EQ(name, Variant("VeskNimBoTotalExtent"));

  const Variant found =
      Call(control, 0x60030019, MemberKind::Method, {Variant("vesknimbototalextent")});
  EXPECT_EQ(automation::Require<host::Layer>(found.AsObject())->Name(), "VeskNimBoTotalExtent");
  EXPECT_EQ(Call(control, 0x60030019, MemberKind::Method, {Variant("Nowhere")}),
            Variant(automation::ObjectRef()));
  Call(control, 0x6003001B, MemberKind::Method, {Variant("VeskNimBoTotalExtent")});
  EXPECT_EQ(palette.LayerNamed("VeskNimBoTotalExtent"), nullptr);

  const Variant document = Call(control, 0x40030000, MemberKind::PropertyGet, {});
  EXPECT_NE(document.AsObject(), nullptr);
  Call(control, 0x40030000, MemberKind::PropertyPutRef, {Variant(automation::ObjectRef())});
  EXPECT_EQ(Call(control, 0x40030000, MemberKind::PropertyGet, {}),
            Variant(automation::ObjectRef()));
  Call(control, 0x40030000, MemberKind::PropertyPutRef, {document});
  EXPECT_EQ(Call(control, 0x40030000, MemberKind::PropertyGet, {}), document);
}

}  // namespace
}  // namespace nimbo::sync
