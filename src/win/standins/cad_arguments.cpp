#include "win/standins/cad_arguments.h"

#include "automation/convert.h"
#include "win/com/dispatch_object.h"
#include "win/com/table_dispatch.h"

namespace nimbo::win::standins {

using automation::AutomationError;
using automation::Variant;
using automation::VarType;

std::span<Variant> Expect(std::span<Variant> arguments, size_t least, size_t most) {
  if (arguments.size() < least) throw AutomationError(449, "Argument not optional");
  if (arguments.size() > most) {
    throw AutomationError(450, "Wrong number of arguments or invalid property assignment");
  }
  return arguments;
}

Variant Optional(std::span<Variant> arguments, size_t index) {
  return index < arguments.size() ? arguments[index].Value() : Variant(automation::Missing{});
}

automation::DoubleArray NumbersOf(const Variant& value, const char* what) {
  const Variant v = value.Value();
  if (v.Type() == VarType::DoubleArray) return v.AsDoubleArray();
  if (v.Type() != VarType::VariantArray) {
    throw AutomationError(automation::errors::kInvalidCall,
                          std::string("Invalid argument ") + what + ": not an array of numbers");
  }
  automation::DoubleArray numbers{v.AsVariantArray().lowerBound, {}};
  for (const Variant& element : v.AsVariantArray().values) {
    numbers.values.push_back(automation::ToDouble(element));
  }
  return numbers;
}

host::Point3 PointOf(const Variant& value, const char* what) {
  const automation::DoubleArray numbers = NumbersOf(value, what);
  if (numbers.values.size() != 3) {
    throw AutomationError(automation::errors::kInvalidCall,
                          std::string("Invalid argument ") + what + ": a point is three numbers");
  }
  return host::Point3{numbers.values[0], numbers.values[1], numbers.values[2]};
}

Variant PointValue(const host::Point3& point) {
  return Variant(automation::DoubleArray{0, {point.x, point.y, point.z}});
}

automation::ObjectRef InnerObject(const Variant& value) {
  const Variant v = value.Value();
  if (v.Type() != VarType::Object) {
    throw automation::errors::Standard(automation::errors::kTypeMismatch);
  }
  if (!v.AsObject()) throw automation::errors::Standard(automation::errors::kObjectNotSet);
  auto* dispatch = dynamic_cast<com::DispatchObject*>(v.AsObject().get());
  automation::ObjectRef inner =
      dispatch != nullptr ? com::TableDispatch::InnerOf(dispatch->Dispatch()) : nullptr;
  if (!inner) throw automation::errors::Standard(automation::errors::kTypeMismatch);
  return inner;
}

}  // namespace nimbo::win::standins
