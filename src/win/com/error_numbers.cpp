#include "win/com/error_numbers.h"

#include "automation/error.h"

namespace nimbo::win::com {

namespace errors = automation::errors;

int32_t ErrorNumberFromHresult(HRESULT result) {
  if (HRESULT_SEVERITY(result) == SEVERITY_ERROR && HRESULT_FACILITY(result) == FACILITY_CONTROL)
    return HRESULT_CODE(result);
  switch (result) {
    case E_INVALIDARG:
      return errors::kInvalidCall;
    case DISP_E_OVERFLOW:
      return errors::kOverflow;
    case E_OUTOFMEMORY:
      return errors::kOutOfMemory;
    case DISP_E_BADINDEX:
      return errors::kSubscriptOutOfRange;
    case DISP_E_TYPEMISMATCH:
      return errors::kTypeMismatch;
    case DISP_E_UNKNOWNNAME:
    case DISP_E_MEMBERNOTFOUND:
      return errors::kNotSupported;
    case MK_E_UNAVAILABLE:     // no running object under the class
    case REGDB_E_CLASSNOTREG:  // no class under the identifier
    case CO_E_CLASSSTRING:     // no identifier under the ProgID
      return errors::kCannotCreateObject;
    default:
      return static_cast<int32_t>(result);
  }
}

HRESULT HresultFromErrorNumber(int32_t number) {
  if (number > 0 && number <= 0xFFFF) return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number);
  return static_cast<HRESULT>(number);
}

}  // namespace nimbo::win::com
