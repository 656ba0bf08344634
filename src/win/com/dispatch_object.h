// An object of the outside world as the core holds it: an IDispatch behind an
// automation::Object, called late-bound by member name or by DISPID. Each member's
// DISPID is asked for once per object and kept.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "automation/variant.h"
#include "win/com/com_ptr.h"

namespace nimbo::win::com {

enum class CallKind { Method, PropertyGet, PropertyPut };

class DispatchObject : public automation::Object {
 public:
  explicit DispatchObject(ComPtr<IDispatch> dispatch);

  IDispatch* Dispatch() const { return dispatch_.Get(); }

  // The member's DISPID; a name the object does not know is error 438.
  DISPID IdOf(std::string_view name);

  // Arguments in call order; by-reference ones are written back to the caller's
  // variables after the call, also when it fails. A failed call raises AutomationError.
  automation::Variant Call(std::string_view name, std::vector<automation::Variant> arguments = {});
  automation::Variant Get(std::string_view name, std::vector<automation::Variant> arguments = {});
  void Put(std::string_view name, const automation::Variant& value,
           std::vector<automation::Variant> arguments = {});
  automation::Variant Invoke(DISPID id, CallKind kind, std::span<automation::Variant> arguments);

 private:
  ComPtr<IDispatch> dispatch_;
  std::unordered_map<std::string, DISPID> ids_;
};

}  // namespace nimbo::win::com
