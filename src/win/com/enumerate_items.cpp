#include "win/com/enumerate_items.h"

#include <oaidl.h>

#include "automation/error.h"
#include "win/com/error_from_call.h"
#include "win/com/variant_conversion.h"

namespace nimbo::win::com {

namespace {

ComPtr<IEnumVARIANT> EnumeratorOf(DispatchObject& collection) {
  UniqueVariant result = collection.InvokeForVariant(DISPID_NEWENUM, CallKind::Method, {});
  const VARIANT& value = result.Get();
  IUnknown* unknown = nullptr;
  if (value.vt == VT_UNKNOWN) unknown = value.punkVal;
  if (value.vt == VT_DISPATCH) unknown = value.pdispVal;
  ComPtr<IEnumVARIANT> enumerator;
  if (unknown != nullptr) {
    unknown->QueryInterface(IID_IEnumVARIANT, enumerator.PutVoid());
  }
  if (!enumerator) throw automation::errors::Standard(automation::errors::kNotSupported);
  return enumerator;
}

}  // namespace

void EnumerateItems(DispatchObject& collection,
                    const std::function<void(const automation::Variant& item)>& visit) {
  ComPtr<IEnumVARIANT> enumerator = EnumeratorOf(collection);
  for (;;) {
    UniqueVariant item;
    ULONG fetched = 0;
    HRESULT status = enumerator->Next(1, item.Put(), &fetched);
    if (FAILED(status)) throw ErrorFromFailedCall(status, nullptr, enumerator.Get(), IID_NULL);
    if (status == S_FALSE || fetched == 0) return;
    visit(FromComVariant(item.Get()));
  }
}

}  // namespace nimbo::win::com
