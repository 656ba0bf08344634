#include "win/com/dispatch_arguments.h"

#include "win/com/variant_conversion.h"

namespace nimbo::win::com {

namespace {

// A reference to the value held in `target`, of the same type.
VARIANT ReferenceTo(VARIANT& target, bool wholeVariant) {
  VARIANT reference;
  VariantInit(&reference);
  if (wholeVariant) {
    reference.vt = VT_BYREF | VT_VARIANT;
    reference.pvarVal = &target;
  } else {
    reference.vt = VT_BYREF | target.vt;
    reference.byref = &target.llVal;  // every scalar starts at the union
  }
  return reference;
}

// A typed reference can only hold these; any other type means the caller passed a
// reference to a whole Variant, which the callee may change to any type.
bool IsTypedReference(automation::VarType type) {
  using automation::VarType;
  return type == VarType::Integer || type == VarType::Long || type == VarType::Double ||
         type == VarType::String || type == VarType::Boolean;
}

}  // namespace

DispatchArguments::DispatchArguments(std::span<automation::Variant> arguments, bool propertyPut)
    : arguments_(arguments) {
  values_.reserve(arguments.size());  // the references point into it: never reallocated
  for (const automation::Variant& argument : arguments) values_.push_back(ToComVariant(argument));
  slots_.resize(arguments.size());
  for (size_t i = 0; i < arguments.size(); ++i) {
    VARIANT& slot = slots_[arguments.size() - 1 - i];
    if (arguments[i].IsByRef()) {
      slot = ReferenceTo(values_[i].Get(), !IsTypedReference(arguments[i].Type()));
    } else {
      slot = values_[i].Get();  // shared with values_, which owns it
    }
  }
  params_.rgvarg = slots_.data();
  params_.cArgs = static_cast<UINT>(slots_.size());
  if (propertyPut) {
    params_.rgdispidNamedArgs = &putId_;
    params_.cNamedArgs = 1;
  }
}

void DispatchArguments::WriteBack() {
  for (size_t i = 0; i < arguments_.size(); ++i) {
    if (arguments_[i].IsByRef()) arguments_[i].Assign(FromComVariant(values_[i].Get()));
  }
}

}  // namespace nimbo::win::com
