// The other side of DispatchArguments: the DISPPARAMS that reached one of our objects'
// IDispatch::Invoke, as the core's arguments in call order. A by-reference VARIANT of a
// type the core knows becomes a by-reference Variant to a variable of this object's, so
// that the handler writes into it as into any caller's variable; WriteBack then stores
// each variable in the caller's VARIANT, in the caller's type.
#pragma once

#include <windows.h>

#include <deque>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "automation/variant.h"

namespace nimbo::win::com {

class ServerArguments {
 public:
  // Named arguments other than a property put's value are refused as DISP_E_NONAMEDARGS
  // would refuse them (error 448); a value the core has no type for is a type mismatch.
  explicit ServerArguments(const DISPPARAMS& params);
  ServerArguments(const ServerArguments&) = delete;
  ServerArguments& operator=(const ServerArguments&) = delete;

  std::span<automation::Variant> Values() { return values_; }
  void WriteBack();

 private:
  // The handler's variable behind a by-reference argument, and the caller's VARIANT.
  struct Referenced {
    VARIANT* caller;
    std::variant<int16_t, int32_t, double, std::string, automation::VBool, automation::Variant>
        value;
  };
  automation::Variant ReferenceTo(VARIANT& caller);

  std::vector<automation::Variant> values_;
  std::deque<Referenced> referenced_;  // a deque: the Variants point into it
};

}  // namespace nimbo::win::com
