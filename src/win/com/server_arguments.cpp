#include "win/com/server_arguments.h"

#include <type_traits>

#include "automation/error.h"
#include "win/com/bstr.h"
#include "win/com/variant_conversion.h"

namespace nimbo::win::com {

using automation::Variant;

ServerArguments::ServerArguments(const DISPPARAMS& params) {
  const bool onlyPut =
      params.cNamedArgs == 0 || (params.cNamedArgs == 1 && params.rgdispidNamedArgs != nullptr &&
                                 params.rgdispidNamedArgs[0] == DISPID_PROPERTYPUT);
  if (!onlyPut) {
    throw automation::AutomationError(448, "Named argument not found");
  }
  if (params.cArgs > 0 && params.rgvarg == nullptr) {
    throw automation::errors::Standard(automation::errors::kInvalidCall);
  }
  values_.reserve(params.cArgs);
  // COM lists them last to first; a property put's value is rgvarg[0], so it comes last.
  for (UINT i = params.cArgs; i-- > 0;) {
    VARIANT& argument = params.rgvarg[i];
    values_.push_back((argument.vt & VT_BYREF) != 0 ? ReferenceTo(argument)
                                                    : FromComVariant(argument));
  }
}

Variant ServerArguments::ReferenceTo(VARIANT& caller) {
  if (caller.byref == nullptr) throw automation::errors::Standard(automation::errors::kInvalidCall);
  Referenced& slot = referenced_.emplace_back(Referenced{&caller, Variant()});
  switch (caller.vt & ~VT_BYREF) {
    case VT_I2:
      return Variant::Ref(slot.value.emplace<int16_t>(*caller.piVal));
    case VT_I4:
      return Variant::Ref(slot.value.emplace<int32_t>(*caller.plVal));
    case VT_R8:
      return Variant::Ref(slot.value.emplace<double>(*caller.pdblVal));
    case VT_BSTR:
      return Variant::Ref(slot.value.emplace<std::string>(Utf8FromBstr(*caller.pbstrVal)));
    case VT_BOOL:
      return Variant::Ref(slot.value.emplace<automation::VBool>(
          automation::VBool::From(*caller.pboolVal != VARIANT_FALSE)));
    case VT_VARIANT:
      return Variant::Ref(slot.value.emplace<Variant>(FromComVariant(*caller.pvarVal)));
    default:
      // A reference to a type the core never writes (a Single, a Date): read, never
      // written back.
      referenced_.pop_back();
      return FromComVariant(caller);
  }
}

void ServerArguments::WriteBack() {
  for (Referenced& slot : referenced_) {
    VARIANT& caller = *slot.caller;
    std::visit(
        [&caller](auto& value) {
          using T = std::decay_t<decltype(value)>;
          if constexpr (std::is_same_v<T, int16_t>) {
            *caller.piVal = value;
          } else if constexpr (std::is_same_v<T, int32_t>) {
            *caller.plVal = value;
          } else if constexpr (std::is_same_v<T, double>) {
            *caller.pdblVal = value;
          } else if constexpr (std::is_same_v<T, std::string>) {
            Bstr text(value);  // built first: the caller's string stays if this fails
            SysFreeString(*caller.pbstrVal);
            *caller.pbstrVal = text.Detach();
          } else if constexpr (std::is_same_v<T, automation::VBool>) {
            *caller.pboolVal = value.IsTrue() ? VARIANT_TRUE : VARIANT_FALSE;
          } else {
            UniqueVariant converted = ToComVariant(value);
            VariantClear(caller.pvarVal);
            *caller.pvarVal = converted.Detach();
          }
        },
        slot.value);
  }
}

}  // namespace nimbo::win::com
