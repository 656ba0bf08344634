#include "sync/dock_control_members.h"

#include "automation/object_cast.h"

namespace nimbo::sync {

using automation::MemberKind;
using automation::MemberType;
using automation::Variant;

namespace {

automation::MemberSignature LayerOperation(const char* name, int32_t dispid,
                                           MemberType result = MemberType::Void) {
  return {name, dispid, MemberKind::Method, {{"layername", MemberType::String, true}}, result};
}

automation::MemberTable<DockControlInterface> MakeDockControlMembers() {
  const automation::MemberParameter document{"value", MemberType::Object, true, "IAcadDocument"};
  using Self = DockControlInterface;
  return {
      {{"DocEvents",
        automation::kFirstFieldDispid,
        MemberKind::PropertyGet,
        {},
        MemberType::Object},
       [](Self& self, std::span<Variant>) {
         return Variant(automation::ObjectRef(self.DocEvents()));
       }},
      {{"DocEvents", automation::kFirstFieldDispid, MemberKind::PropertyPutRef, {document}},
       [](Self& self, std::span<Variant> a) {
         host::DocumentRef doc = automation::As<host::Document>(automation::ObjectArgument(a[0]));
         self.SetDocEvents(doc);
         return Variant();
       }},
      {LayerOperation("AddLayer", 0x60030018),
       [](Self& self, std::span<Variant> a) {
         return automation::WithStringReference(a[0], [&](std::string& layername) {
           self.AddLayer(layername);
           return Variant();
         });
       }},
      {LayerOperation("FindLayer", 0x60030019, MemberType::Object),
       [](Self& self, std::span<Variant> a) {
         return automation::WithStringReference(a[0], [&](std::string& layername) {
           return Variant(automation::ObjectRef(self.FindLayer(layername)));
         });
       }},
      {LayerOperation("DeleteAll", 0x6003001A),
       [](Self& self, std::span<Variant> a) {
         return automation::WithStringReference(a[0], [&](std::string& layername) {
           self.DeleteAll(layername);
           return Variant();
         });
       }},
      {LayerOperation("DeleteLayer", 0x6003001B),
       [](Self& self, std::span<Variant> a) {
         return automation::WithStringReference(a[0], [&](std::string& layername) {
           self.DeleteLayer(layername);
           return Variant();
         });
       }},
  };
}

}  // namespace

const automation::MemberTable<DockControlInterface>& DockControlMembers() {
  static const automation::MemberTable<DockControlInterface> table = MakeDockControlMembers();
  return table;
}

}  // namespace nimbo::sync
