// The DISPPARAMS of one IDispatch::Invoke, built from the core's arguments in call
// order. COM wants them last to first. A by-reference argument is passed as
// VT_BYREF|type pointing at a temporary of this object's, whose value WriteBack assigns
// to the caller's variable after the call.
#pragma once

#include <windows.h>

#include <span>
#include <vector>

#include "automation/variant.h"
#include "win/com/unique_variant.h"

namespace nimbo::win::com {

class DispatchArguments {
 public:
  // `arguments` is borrowed until WriteBack; a property put passes its value last.
  DispatchArguments(std::span<automation::Variant> arguments, bool propertyPut);
  DispatchArguments(const DispatchArguments&) = delete;
  DispatchArguments& operator=(const DispatchArguments&) = delete;

  DISPPARAMS* Params() { return &params_; }
  void WriteBack();

 private:
  std::span<automation::Variant> arguments_;
  // By value: the argument itself; by reference: the temporary it points at.
  std::vector<UniqueVariant> values_;
  // In COM's order, last argument first; VT_BYREF slots are not owned.
  std::vector<VARIANT> slots_;
  DISPID putId_ = DISPID_PROPERTYPUT;
  DISPPARAMS params_{};
};

}  // namespace nimbo::win::com
