// A public class's object over COM: an IDispatch answered from the core's member table
// (names, DISPIDs and handlers), describing itself with the interface's and the class's
// type information from the library's type library, and counted by the module.
//
// Arguments are bound from the table, not by DispInvoke: a by-reference parameter takes
// the caller's variable (VT_BYREF of the declared type or of VARIANT) and a literal by
// value alike, and an object parameter is adapted as the CAD application's object that
// the table names, so that the core calls it through the contracts.
#pragma once

#include <windows.h>

#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "automation/error_rules.h"
#include "automation/member_table.h"
#include "win/com/com_ptr.h"
#include "win/com/table_dispatch.h"
#include "win/server/server_module.h"

namespace nimbo::win::server {

// Replaces each object argument by the adapter of the interface its parameter names.
void AdaptObjectArguments(const automation::MemberSignature& signature,
                          std::span<automation::Variant> arguments);

// A run-time error raised inside a class (one without a source) names the class as the
// platform's run-time names it: "<library>.<class>".
automation::AutomationError ErrorOfClass(const std::string& className);

// One DispatchMember per DISPID: a property's get and its put or put-by-reference share
// one.
template <class Self>
std::vector<com::DispatchMember> DispatchMembersOf(const automation::MemberTable<Self>& table,
                                                   std::shared_ptr<Self> self,
                                                   const std::string& className) {
  std::vector<com::DispatchMember> members;
  for (const automation::Member<Self>& member : table) {
    const automation::MemberSignature& signature = member.signature;
    com::DispatchMember* merged = nullptr;
    for (com::DispatchMember& existing : members) {
      if (existing.id == signature.dispid) merged = &existing;
    }
    if (merged == nullptr) {
      merged = &members.emplace_back();
      merged->name = signature.name;
      merged->id = signature.dispid;
    }
    com::DispatchMember::Handler handler = [&member, self,
                                            className](std::span<automation::Variant> arguments) {
      try {
        AdaptObjectArguments(member.signature, arguments);
        return automation::CallMember(member, *self, arguments);
      } catch (...) {
        throw ErrorOfClass(className);
      }
    };
    switch (signature.kind) {
      case automation::MemberKind::PropertyGet:
        merged->property = true;
        merged->handler = std::move(handler);
        break;
      case automation::MemberKind::PropertyPut:
      case automation::MemberKind::PropertyPutRef:
        merged->put = std::move(handler);
        break;
      case automation::MemberKind::Method:
        merged->handler = std::move(handler);
        break;
    }
  }
  return members;
}

// The object of class `classId` (named `className`) over `self`, answering `interfaceId`.
template <class Self>
com::ComPtr<com::TableDispatch> PublicObject(const automation::MemberTable<Self>& table,
                                             std::shared_ptr<Self> self, const IID& interfaceId,
                                             const CLSID& classId, const std::string& className,
                                             const IID& eventInterface = IID_NULL) {
  com::DispatchDescription description;
  description.interfaceId = interfaceId;
  description.members = DispatchMembersOf(table, self, className);
  description.typeInfo = ServerTypeInfo(interfaceId);
  description.classInfo = ServerTypeInfo(classId);
  description.eventInterface = eventInterface;
  description.inner = self;
  description.lifetime = ModuleLifetime();
  return com::TableDispatch::Create(std::move(description));
}

}  // namespace nimbo::win::server
