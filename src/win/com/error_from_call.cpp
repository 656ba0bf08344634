#include "win/com/error_from_call.h"

#include <string>
#include <utility>

#include "win/com/bstr.h"
#include "win/com/com_ptr.h"
#include "win/com/error_numbers.h"

namespace nimbo::win::com {

namespace {

// The thread's pending error information, taken (and so cleared) in every case, and
// kept only when the object vouches for it: otherwise it belongs to some earlier call.
ComPtr<IErrorInfo> TakeErrorInfo(IUnknown* object, REFIID calledInterface) {
  ComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, info.Put()) != S_OK) return nullptr;
  ComPtr<ISupportErrorInfo> support = ComPtr<IUnknown>(object).As<ISupportErrorInfo>();
  if (!support || support->InterfaceSupportsErrorInfo(calledInterface) != S_OK) return nullptr;
  return info;
}

std::string DescriptionOrStandard(std::string description, int32_t number) {
  if (!description.empty()) return description;
  if (number > 0) return automation::errors::StandardDescription(number);
  return "Automation error";
}

}  // namespace

automation::AutomationError ErrorFromFailedCall(HRESULT result, EXCEPINFO* info, IUnknown* object,
                                                REFIID calledInterface) {
  ComPtr<IErrorInfo> errorInfo = TakeErrorInfo(object, calledInterface);
  if (result == DISP_E_EXCEPTION && info != nullptr) {
    if (info->pfnDeferredFillIn != nullptr) info->pfnDeferredFillIn(info);
    Bstr description = Bstr::Adopt(std::exchange(info->bstrDescription, nullptr));
    Bstr source = Bstr::Adopt(std::exchange(info->bstrSource, nullptr));
    Bstr helpFile = Bstr::Adopt(std::exchange(info->bstrHelpFile, nullptr));
    int32_t number = info->scode != 0   ? ErrorNumberFromHresult(info->scode)
                     : info->wCode != 0 ? info->wCode
                                        : ErrorNumberFromHresult(result);
    return automation::AutomationError(number, DescriptionOrStandard(description.Utf8(), number),
                                       source.Utf8());
  }
  int32_t number = ErrorNumberFromHresult(result);
  Bstr description;
  Bstr source;
  if (errorInfo) {
    errorInfo->GetDescription(description.Put());
    errorInfo->GetSource(source.Put());
  }
  return automation::AutomationError(number, DescriptionOrStandard(description.Utf8(), number),
                                     source.Utf8());
}

}  // namespace nimbo::win::com
