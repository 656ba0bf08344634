#include "automation/member_table.h"

namespace nimbo::automation {

double DoubleArgument(const Variant& argument) {
  return ToDouble(argument.Value());
}

int32_t LongArgument(const Variant& argument) {
  return ToLong(argument.Value());
}

VBool BooleanArgument(const Variant& argument) {
  return VBool::From(ToBoolean(argument.Value()));
}

ObjectRef ObjectArgument(const Variant& argument) {
  const Variant value = argument.Value();
  if (value.Type() == VarType::Empty || value.Type() == VarType::Null) {
    throw errors::Standard(errors::kTypeMismatch);
  }
  return value.AsObject();
}

Variant WithStringReference(Variant& argument, const std::function<Variant(std::string&)>& body) {
  const std::string original = ToString(argument.Value());
  std::string value = original;
  auto writeBack = [&] {
    if (argument.IsByRef() && value != original) argument.Assign(Variant(value));
  };
  Variant result;
  try {
    result = body(value);
  } catch (...) {
    writeBack();
    throw;
  }
  writeBack();
  return result;
}

}  // namespace nimbo::automation
