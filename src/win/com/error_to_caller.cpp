#include "win/com/error_to_caller.h"

#include "win/com/bstr.h"
#include "win/com/com_ptr.h"
#include "win/com/error_numbers.h"

namespace nimbo::win::com {

namespace {

void SetThreadErrorInfo(const automation::AutomationError& error, REFIID implementedInterface) {
  ComPtr<ICreateErrorInfo> create;
  if (FAILED(CreateErrorInfo(create.Put()))) return;
  Bstr description(error.description());
  Bstr source(error.source());
  create->SetGUID(implementedInterface);
  create->SetDescription(description.Get());
  create->SetSource(source.Get());
  ComPtr<IErrorInfo> info = create.As<IErrorInfo>();
  SetErrorInfo(0, info.Get());
}

}  // namespace

HRESULT ReportErrorToCaller(const automation::AutomationError& error, EXCEPINFO* info,
                            REFIID implementedInterface) {
  HRESULT code = HresultFromErrorNumber(error.number());
  SetThreadErrorInfo(error, implementedInterface);
  if (info != nullptr) {
    *info = EXCEPINFO{};
    info->scode = code;
    info->bstrSource = Bstr(error.source()).Detach();
    info->bstrDescription = Bstr(error.description()).Detach();
    return DISP_E_EXCEPTION;
  }
  return FAILED(code) ? code : E_FAIL;
}

}  // namespace nimbo::win::com
