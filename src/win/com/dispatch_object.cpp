#include "win/com/dispatch_object.h"

#include <utility>

#include "automation/error.h"
#include "win/com/dispatch_arguments.h"
#include "win/com/error_from_call.h"
#include "win/com/utf16.h"
#include "win/com/variant_conversion.h"

namespace nimbo::win::com {

using automation::Variant;

DispatchObject::DispatchObject(ComPtr<IDispatch> dispatch) : dispatch_(std::move(dispatch)) {
  if (!dispatch_) throw automation::errors::Standard(automation::errors::kObjectNotSet);
}

DISPID DispatchObject::IdOf(std::string_view name) {
  std::string key(name);
  if (!ids_) ids_ = MemberIdsOf(dispatch_.Get());
  if (auto found = ids_->find(key); found != ids_->end()) return found->second;
  std::wstring wide = Utf16FromUtf8(name);
  LPOLESTR names[] = {wide.data()};
  DISPID id = DISPID_UNKNOWN;
  HRESULT result = dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(result)) throw ErrorFromFailedCall(result, nullptr, dispatch_.Get(), IID_IDispatch);
  ids_->emplace(std::move(key), id);
  return id;
}

Variant DispatchObject::Call(std::string_view name, std::vector<Variant> arguments) {
  return Invoke(IdOf(name), CallKind::Method, arguments);
}

Variant DispatchObject::Get(std::string_view name, std::vector<Variant> arguments) {
  return Invoke(IdOf(name), CallKind::PropertyGet, arguments);
}

void DispatchObject::Put(std::string_view name, const Variant& value,
                         std::vector<Variant> arguments) {
  arguments.push_back(value);
  Invoke(IdOf(name), CallKind::PropertyPut, arguments);
}

Variant DispatchObject::Invoke(DISPID id, CallKind kind, std::span<Variant> arguments) {
  return FromComVariant(InvokeForVariant(id, kind, arguments).Get());
}

UniqueVariant DispatchObject::InvokeForVariant(DISPID id, CallKind kind,
                                               std::span<Variant> arguments) {
  // A method call may also read a property with arguments (Item(i)), as late binding does.
  WORD flags = kind == CallKind::Method        ? DISPATCH_METHOD | DISPATCH_PROPERTYGET
               : kind == CallKind::PropertyGet ? DISPATCH_PROPERTYGET
                                               : DISPATCH_PROPERTYPUT;
  DispatchArguments dispatchArguments(arguments, kind == CallKind::PropertyPut);
  UniqueVariant result;
  EXCEPINFO info{};
  UINT badArgument = 0;
  // The object stays alive for the call even if the callee drops the last other reference.
  ComPtr<IDispatch> keep = dispatch_;
  HRESULT status =
      keep->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, dispatchArguments.Params(),
                   kind == CallKind::PropertyPut ? nullptr : result.Put(), &info, &badArgument);
  try {
    Check(status, info);
  } catch (...) {
    dispatchArguments.WriteBack();
    throw;
  }
  dispatchArguments.WriteBack();
  return result;
}

Variant DispatchObject::CallWith(std::string_view name, std::vector<UniqueVariant> arguments) {
  const DISPID id = IdOf(name);
  std::vector<VARIANT> slots;
  slots.reserve(arguments.size());
  for (auto it = arguments.rbegin(); it != arguments.rend(); ++it) slots.push_back(it->Get());
  DISPPARAMS params{slots.data(), nullptr, static_cast<UINT>(slots.size()), 0};
  UniqueVariant result;
  EXCEPINFO info{};
  UINT badArgument = 0;
  ComPtr<IDispatch> keep = dispatch_;
  Check(keep->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.Put(),
                     &info, &badArgument),
        info);
  return FromComVariant(result.Get());
}

void DispatchObject::Check(HRESULT status, EXCEPINFO& info) const {
  if (FAILED(status)) throw ErrorFromFailedCall(status, &info, dispatch_.Get(), IID_IDispatch);
}

}  // namespace nimbo::win::com
