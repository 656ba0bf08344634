// The members that a public class of the library shows to automation clients: what its
// type library says of each (name, DISPID, kind, parameters, result) and the handler
// that calls the core object with the caller's arguments. Each class keeps its table
// beside itself; the type library is checked against these tables, and the Windows
// build's COM objects answer from them.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "automation/convert.h"
#include "automation/error.h"
#include "automation/variant.h"

namespace nimbo::automation {

enum class MemberKind { PropertyGet, PropertyPut, PropertyPutRef, Method };

// The automation types of the library's parameters and results. Object is any automation
// object (IDispatch); Void marks a member without a result.
enum class MemberType { Void, Double, Boolean, Long, String, Object };

struct MemberParameter {
  std::string name;
  MemberType type = MemberType::Double;
  bool byReference = false;
  // For an Object: the outside part's interface that the object is expected to have
  // (the CAD application's names), so that a platform can adapt what the caller passes.
  // Empty: any automation object, taken as it comes.
  std::string objectInterface = {};
};

struct MemberSignature {
  std::string name;
  int32_t dispid = 0;
  MemberKind kind = MemberKind::Method;
  std::vector<MemberParameter> parameters;  // a property put's value is the last
  MemberType result = MemberType::Void;
};

template <class Self>
struct Member {
  MemberSignature signature;
  // The arguments in call order; a by-reference one may refer to the caller's variable.
  std::function<Variant(Self& self, std::span<Variant> arguments)> handler;
};

template <class Self>
using MemberTable = std::vector<Member<Self>>;

// Calls the member with the caller's arguments; a count other than the declared one is
// error 450, as the run-time reports it.
template <class Self>
Variant CallMember(const Member<Self>& member, Self& self, std::span<Variant> arguments) {
  if (arguments.size() != member.signature.parameters.size()) {
    throw AutomationError(450, "Wrong number of arguments or invalid property assignment");
  }
  return member.handler(self, arguments);
}

// The value of a by-value parameter of the type, converted as the run-time converts an
// argument (a text that is no number is a type mismatch, 13).
double DoubleArgument(const Variant& argument);
int32_t LongArgument(const Variant& argument);
VBool BooleanArgument(const Variant& argument);
// An object argument: an object or Nothing; anything else is a type mismatch.
ObjectRef ObjectArgument(const Variant& argument);

// A string parameter passed by reference: the callee works on a string of its own, which
// is written back to the caller's variable when the callee changed it (a literal passed
// by value gets a temporary), so that a variable of another type keeps its type.
Variant WithStringReference(Variant& argument, const std::function<Variant(std::string&)>& body);

// A public field as a read/write property: its get and its put, both of `dispid`.
template <class Self>
void AddProperty(MemberTable<Self>& table, const std::string& name, int32_t dispid,
                 double Self::*field) {
  table.push_back({{name, dispid, MemberKind::PropertyGet, {}, MemberType::Double},
                   [field](Self& self, std::span<Variant>) { return Variant(self.*field); }});
  table.push_back({{name, dispid, MemberKind::PropertyPut, {{"value", MemberType::Double}}},
                   [field](Self& self, std::span<Variant> arguments) {
                     self.*field = DoubleArgument(arguments[0]);
                     return Variant();
                   }});
}

template <class Self>
void AddProperty(MemberTable<Self>& table, const std::string& name, int32_t dispid,
                 VBool Self::*field) {
  table.push_back({{name, dispid, MemberKind::PropertyGet, {}, MemberType::Boolean},
                   [field](Self& self, std::span<Variant>) { return Variant(self.*field); }});
  table.push_back({{name, dispid, MemberKind::PropertyPut, {{"value", MemberType::Boolean}}},
                   [field](Self& self, std::span<Variant> arguments) {
                     self.*field = BooleanArgument(arguments[0]);
                     return Variant();
                   }});
}

// The public fields' properties take DISPIDs from here in field order.
inline constexpr int32_t kFirstFieldDispid = 0x40030000;

}  // namespace nimbo::automation
