// A small COM object of the tests' own, dispatched by hand (no type information), that
// the late-bound call path reaches through a real IDispatch::Invoke:
//   1 Concat(a, b) -> a & b      2 Echo(v) -> v        3 Rename(&name, &count)
//   4 Fail(number, description, deferred)              5 Caption (get, put)
//   6 Refuse: E_ACCESSDENIED with IErrorInfo
// It reads its arguments raw, so that the conversions under test do not check
// themselves, and counts what the tests need to see.
#pragma once

#include <windows.h>

#include <cwchar>
#include <string>

#include "automation/error.h"
#include "win/com/bstr.h"
#include "win/com/error_to_caller.h"

namespace nimbo::win::com::testing {

class FakeServer : public IDispatch, public ISupportErrorInfo {
 public:
  int nameLookups = 0;
  LONG references = 1;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *out = static_cast<IDispatch*>(this);
    } else if (iid == IID_ISupportErrorInfo) {
      *out = static_cast<ISupportErrorInfo*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  // Lives on the test's stack: the count is only watched, never acted on.
  ULONG STDMETHODCALLTYPE Release() override { return --references; }

  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
    return iid == IID_IDispatch ? S_OK : S_FALSE;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    static const wchar_t* const kNames[] = {L"Concat", L"Echo",    L"Rename",
                                            L"Fail",   L"Caption", L"Refuse"};
    ++nameLookups;
    for (UINT n = 0; n < count; ++n) ids[n] = DISPID_UNKNOWN;
    for (DISPID id = 1; id <= 6; ++id) {
      if (_wcsicmp(names[0], kNames[id - 1]) == 0) ids[0] = id;
    }
    return ids[0] == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT*) override {
    // Arguments arrive last first.
    auto arg = [&](UINT i) -> VARIANT& { return params->rgvarg[params->cArgs - 1 - i]; };
    switch (id) {
      case 1: {
        if (params->cArgs != 2 || arg(0).vt != VT_BSTR || arg(1).vt != VT_BSTR)
          return DISP_E_TYPEMISMATCH;
        std::wstring joined = std::wstring(arg(0).bstrVal) + arg(1).bstrVal;
        result->vt = VT_BSTR;
        result->bstrVal = SysAllocString(joined.c_str());
        return S_OK;
      }
      case 2:
        return params->cArgs == 1 ? VariantCopy(result, &arg(0)) : DISP_E_BADPARAMCOUNT;
      case 3: {
        if (params->cArgs != 2 || arg(0).vt != (VT_BYREF | VT_BSTR) ||
            arg(1).vt != (VT_BYREF | VT_I4))
          return DISP_E_TYPEMISMATCH;
        std::wstring renamed = std::wstring(*arg(0).pbstrVal) + L" (renamed)";
        SysReAllocString(arg(0).pbstrVal, renamed.c_str());
        *arg(1).plVal += 1;
        return S_OK;
      }
      case 4:
        return Fail(params, info);
      case 5:
        if (flags & DISPATCH_PROPERTYPUT) {
          if (params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
            return DISP_E_PARAMNOTOPTIONAL;
          return VariantCopy(&caption_, &params->rgvarg[0]);
        }
        return VariantCopy(result, &caption_);
      case 6:
        return ReportErrorToCaller(
            automation::AutomationError(E_ACCESSDENIED, "The drawing is locked",
                                        "FakeServer.Refuse"),
            nullptr, IID_IDispatch);
      default:
        return DISP_E_MEMBERNOTFOUND;
    }
  }

  ~FakeServer() { VariantClear(&caption_); }

 private:
  // Raised through the server-side guard; with `deferred` the text is filled in only
  // when the caller asks for it.
  HRESULT Fail(DISPPARAMS* params, EXCEPINFO* info) {
    if (params->cArgs != 3) return DISP_E_BADPARAMCOUNT;
    VARIANT* args = params->rgvarg;
    bool deferred = args[0].boolVal != VARIANT_FALSE;
    if (deferred && info != nullptr) {
      *info = EXCEPINFO{};
      info->pfnDeferredFillIn = FillInLater;
      return DISP_E_EXCEPTION;
    }
    int32_t number = args[2].lVal;
    std::string description = Utf8FromBstr(args[1].bstrVal);
    return GuardCall(info, IID_IDispatch, [&]() -> HRESULT {
      throw automation::AutomationError(number, description, "FakeServer.Fail");
    });
  }

  static HRESULT STDMETHODCALLTYPE FillInLater(EXCEPINFO* later) {
    later->scode = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 91);
    later->bstrDescription = SysAllocString(L"Filled in later");
    later->bstrSource = SysAllocString(L"FakeServer.Fail");
    return S_OK;
  }

  VARIANT caption_{};
};

}  // namespace nimbo::win::com::testing
