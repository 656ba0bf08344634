#include "win/com/variant_conversion.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "automation/error.h"
#include "win/com/bstr.h"
#include "win/com/dispatch_object.h"
#include "win/com/safe_array.h"

namespace nimbo::win::com {

namespace {

using automation::Variant;
using automation::VarType;
namespace errors = automation::errors;

[[noreturn]] void Mismatch() {
  throw errors::Standard(errors::kTypeMismatch);
}

IDispatch* SharedDispatch(const automation::ObjectRef& object) {
  if (!object) return nullptr;
  auto* dispatch = dynamic_cast<const HoldsDispatch*>(object.get());
  // The core's own objects become COM objects with the server of the next steps.
  if (dispatch == nullptr) Mismatch();
  dispatch->Dispatch()->AddRef();
  return dispatch->Dispatch();
}

SAFEARRAY* DoublesToSafeArray(const automation::DoubleArray& array) {
  SafeArray out(VT_R8, array.lowerBound, static_cast<uint32_t>(array.values.size()));
  if (!array.values.empty()) {
    SafeArrayLock lock(out.Get());
    std::memcpy(lock.Data<double>(), array.values.data(), array.values.size() * sizeof(double));
  }
  return out.Detach();
}

SAFEARRAY* VariantsToSafeArray(const automation::VariantArray& array) {
  SafeArray out(VT_VARIANT, array.lowerBound, static_cast<uint32_t>(array.values.size()));
  if (!array.values.empty()) {
    SafeArrayLock lock(out.Get());
    VARIANT* slots = lock.Data<VARIANT>();
    for (size_t i = 0; i < array.values.size(); ++i) {
      slots[i] = ToComVariant(array.values[i]).Detach();
    }
  }
  return out.Detach();
}

Variant SafeArrayToVariant(SAFEARRAY* array, VARTYPE elementType) {
  VectorShape shape = ShapeOf(array);
  if (shape.count == 0) {
    if (elementType == VT_R8) return automation::DoubleArray{shape.lowerBound, {}};
    return automation::VariantArray{shape.lowerBound, {}};
  }
  // The element size guards against an array whose VARIANT names another type.
  UINT size = SafeArrayGetElemsize(array);
  SafeArrayLock lock(array);
  if (elementType == VT_R8) {
    if (size != sizeof(double)) Mismatch();
    const double* data = lock.Data<double>();
    return automation::DoubleArray{shape.lowerBound, {data, data + shape.count}};
  }
  automation::VariantArray out{shape.lowerBound, {}};
  out.values.reserve(shape.count);
  if (elementType == VT_VARIANT) {
    if (size != sizeof(VARIANT)) Mismatch();
    const VARIANT* data = lock.Data<VARIANT>();
    for (uint32_t i = 0; i < shape.count; ++i) out.values.push_back(FromComVariant(data[i]));
    return out;
  }
  // Any other element type: each element as a VARIANT of that type, which the scalar
  // conversion accepts or refuses. Every element of such a type starts at the union.
  if (size > sizeof(VARIANT) - offsetof(VARIANT, llVal)) Mismatch();
  const char* data = lock.Data<char>();
  for (uint32_t i = 0; i < shape.count; ++i) {
    VARIANT element;
    VariantInit(&element);
    element.vt = elementType;
    std::memcpy(&element.llVal, data + static_cast<size_t>(i) * size, size);
    out.values.push_back(FromComVariant(element));  // borrowed: not cleared
  }
  return out;
}

// An integer of another width as the core's Long; checked here rather than by
// VariantChangeType, which under Wine lets an unsigned 32-bit value through unchecked.
Variant LongOrOverflow(int64_t value) {
  if (value < INT32_MIN || value > INT32_MAX) throw errors::Standard(errors::kOverflow);
  return Variant(static_cast<int32_t>(value));
}

Variant DoubleFrom(const VARIANT& value) {
  UniqueVariant changed;
  if (FAILED(VariantChangeType(changed.Put(), const_cast<VARIANT*>(&value), 0, VT_R8))) Mismatch();
  return Variant(changed.Get().dblVal);
}

}  // namespace

VARTYPE ComTypeOf(VarType type) {
  switch (type) {
    case VarType::Empty:
      return VT_EMPTY;
    case VarType::Null:
      return VT_NULL;
    case VarType::Integer:
      return VT_I2;
    case VarType::Long:
      return VT_I4;
    case VarType::Double:
      return VT_R8;
    case VarType::String:
      return VT_BSTR;
    case VarType::Boolean:
      return VT_BOOL;
    case VarType::Object:
      return VT_DISPATCH;
    case VarType::DoubleArray:
      return VT_ARRAY | VT_R8;
    case VarType::VariantArray:
      return VT_ARRAY | VT_VARIANT;
    case VarType::Missing:
      return VT_ERROR;
  }
  Mismatch();
}

UniqueVariant ToComVariant(const Variant& value) {
  UniqueVariant out;
  VARIANT& v = out.Get();
  switch (value.Type()) {
    case VarType::Empty:
      break;
    case VarType::Null:
      v.vt = VT_NULL;
      break;
    case VarType::Integer:
      v.vt = VT_I2;
      v.iVal = value.AsInteger();
      break;
    case VarType::Long:
      v.vt = VT_I4;
      v.lVal = value.AsLong();
      break;
    case VarType::Double:
      v.vt = VT_R8;
      v.dblVal = value.AsDouble();
      break;
    case VarType::String:
      v.bstrVal = Bstr(value.AsString()).Detach();
      v.vt = VT_BSTR;
      break;
    case VarType::Boolean:
      v.vt = VT_BOOL;
      v.boolVal = value.AsBoolean().IsTrue() ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    case VarType::Object:
      v.pdispVal = SharedDispatch(value.AsObject());
      v.vt = VT_DISPATCH;
      break;
    case VarType::DoubleArray:
      v.parray = DoublesToSafeArray(value.AsDoubleArray());
      v.vt = VT_ARRAY | VT_R8;
      break;
    case VarType::VariantArray:
      v.parray = VariantsToSafeArray(value.AsVariantArray());
      v.vt = VT_ARRAY | VT_VARIANT;
      break;
    case VarType::Missing:
      v.vt = VT_ERROR;
      v.scode = DISP_E_PARAMNOTFOUND;
      break;
  }
  return out;
}

Variant FromComVariant(const VARIANT& value) {
  if (value.vt & VT_BYREF) {
    if (value.vt == (VT_BYREF | VT_VARIANT)) {
      if (value.pvarVal == nullptr) Mismatch();
      return FromComVariant(*value.pvarVal);
    }
    return FromComVariant(UniqueVariant::CopyOf(value).Get());
  }
  if (value.vt & VT_ARRAY) {
    return SafeArrayToVariant(value.parray, value.vt & VT_TYPEMASK);
  }
  switch (value.vt) {
    case VT_EMPTY:
      return Variant();
    case VT_NULL:
      return Variant(automation::Null{});
    case VT_I2:
      return Variant(static_cast<int16_t>(value.iVal));
    case VT_I4:
      return Variant(static_cast<int32_t>(value.lVal));
    case VT_R8:
      return Variant(value.dblVal);
    case VT_BSTR:
      return Variant(Utf8FromBstr(value.bstrVal));
    case VT_BOOL:
      return Variant::Bool(value.boolVal != VARIANT_FALSE);
    case VT_DISPATCH:
      if (value.pdispVal == nullptr) return Variant(automation::ObjectRef());
      return Variant(automation::ObjectRef(
          std::make_shared<DispatchObject>(ComPtr<IDispatch>(value.pdispVal))));
    case VT_UNKNOWN: {
      if (value.punkVal == nullptr) return Variant(automation::ObjectRef());
      ComPtr<IDispatch> dispatch = ComPtr<IUnknown>(value.punkVal).As<IDispatch>();
      if (!dispatch) Mismatch();
      return Variant(automation::ObjectRef(std::make_shared<DispatchObject>(dispatch)));
    }
    case VT_ERROR:
      if (value.scode == DISP_E_PARAMNOTFOUND) return Variant(automation::Missing{});
      Mismatch();
    case VT_I1:
      return Variant(static_cast<int16_t>(value.cVal));
    case VT_UI1:
      return Variant(static_cast<int16_t>(value.bVal));
    case VT_UI2:
      return Variant(static_cast<int32_t>(value.uiVal));
    case VT_INT:
      return Variant(static_cast<int32_t>(value.intVal));
    case VT_UI4:
      return LongOrOverflow(value.ulVal);
    case VT_UINT:
      return LongOrOverflow(value.uintVal);
    case VT_I8:
      return LongOrOverflow(value.llVal);
    case VT_UI8:
      if (value.ullVal > static_cast<ULONGLONG>(INT32_MAX))
        throw errors::Standard(errors::kOverflow);
      return Variant(static_cast<int32_t>(value.ullVal));
    case VT_R4:
      return Variant(static_cast<double>(value.fltVal));
    case VT_CY:
    case VT_DECIMAL:
      return DoubleFrom(value);
    default:
      Mismatch();
  }
}

}  // namespace nimbo::win::com
