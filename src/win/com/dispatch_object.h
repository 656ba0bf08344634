// An object of the outside world as the core holds it: an IDispatch behind an
// automation::Object, called late-bound by member name or by DISPID. Each member's
// DISPID is asked for once per interface and kept (interface_ids.h).
#pragma once

#include <windows.h>

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "automation/variant.h"
#include "win/com/com_ptr.h"
#include "win/com/interface_ids.h"
#include "win/com/unique_variant.h"

namespace nimbo::win::com {

enum class CallKind { Method, PropertyGet, PropertyPut };

// An object of the core's that is an outside object underneath: handed to COM as that
// object (variant_conversion.h asks for it).
class HoldsDispatch {
 public:
  virtual IDispatch* Dispatch() const = 0;

 protected:
  ~HoldsDispatch() = default;
};

class DispatchObject : public automation::Object, public HoldsDispatch {
 public:
  explicit DispatchObject(ComPtr<IDispatch> dispatch);

  IDispatch* Dispatch() const override { return dispatch_.Get(); }

  // The member's DISPID; a name the object does not know is error 438.
  DISPID IdOf(std::string_view name);

  // Arguments in call order; by-reference ones are written back to the caller's
  // variables after the call, also when it fails. A failed call raises AutomationError.
  automation::Variant Call(std::string_view name, std::vector<automation::Variant> arguments = {});
  automation::Variant Get(std::string_view name, std::vector<automation::Variant> arguments = {});
  void Put(std::string_view name, const automation::Variant& value,
           std::vector<automation::Variant> arguments = {});
  automation::Variant Invoke(DISPID id, CallKind kind, std::span<automation::Variant> arguments);
  // The result as COM gave it, for a value that the core has no type for (an enumerator).
  UniqueVariant InvokeForVariant(DISPID id, CallKind kind,
                                 std::span<automation::Variant> arguments);
  // A method called with VARIANTs made by the caller, in call order, for an argument type
  // that the core has none of (an array of 16-bit integers); all by value.
  automation::Variant CallWith(std::string_view name, std::vector<UniqueVariant> arguments);

 private:
  // Raises the call's error when `status` failed.
  void Check(HRESULT status, EXCEPINFO& info) const;

  ComPtr<IDispatch> dispatch_;
  std::shared_ptr<MemberIds> ids_;  // found at the first call by name
};

}  // namespace nimbo::win::com
