#include "win/host/cad_object.h"

#include "automation/convert.h"
#include "win/com/bstr.h"

namespace nimbo::win::host {

namespace errors = automation::errors;
using automation::VarType;

Variant PointValue(const nimbo::host::Point3& point) {
  return Variant(automation::DoubleArray{0, {point.x, point.y, point.z}});
}

nimbo::host::Point3 PointFrom(const Variant& value) {
  const Variant held = value.Value();
  if (held.Type() == VarType::DoubleArray) {
    const auto& values = held.AsDoubleArray().values;
    if (values.size() == 3) return {values[0], values[1], values[2]};
  } else if (held.Type() == VarType::VariantArray) {
    const auto& values = held.AsVariantArray().values;
    if (values.size() == 3) {
      return {automation::ToDouble(values[0]), automation::ToDouble(values[1]),
              automation::ToDouble(values[2])};
    }
  }
  throw errors::Standard(errors::kTypeMismatch);
}

com::ComPtr<IDispatch> DispatchOf(const Variant& value) {
  const Variant held = value.Value();
  if (held.Type() != VarType::Object) throw errors::Standard(errors::kTypeMismatch);
  const automation::ObjectRef& object = held.AsObject();
  if (!object) return {};
  auto* outside = dynamic_cast<const com::HoldsDispatch*>(object.get());
  if (outside == nullptr) throw errors::Standard(errors::kTypeMismatch);
  return com::ComPtr<IDispatch>(outside->Dispatch());
}

std::string InterfaceNameOf(IDispatch* object) {
  UINT count = 0;
  if (FAILED(object->GetTypeInfoCount(&count)) || count == 0) return {};
  com::ComPtr<ITypeInfo> info;
  if (FAILED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Put())) || !info) return {};
  BSTR name = nullptr;
  if (FAILED(info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr))) return {};
  return com::Bstr::Adopt(name).Utf8();
}

}  // namespace nimbo::win::host
