// The other way: the core's error handed to a COM caller, as the servers and the event
// sources of the Windows build report it. One guard per entry point turns whatever the
// body throws into DISP_E_EXCEPTION with EXCEPINFO (when the caller gave one) and into
// the thread's IErrorInfo, so that a vtable caller sees it too.
#pragma once

#include <windows.h>

#include "automation/error.h"
#include "automation/error_rules.h"

namespace nimbo::win::com {

// Fills `info` when given and sets the thread's error information; answers the HRESULT
// the entry point returns.
HRESULT ReportErrorToCaller(const automation::AutomationError& error, EXCEPINFO* info,
                            REFIID implementedInterface);

// Runs body, which answers an HRESULT; an error it throws is reported to the caller.
template <class Body>
HRESULT GuardCall(EXCEPINFO* info, REFIID implementedInterface, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    try {
      return ReportErrorToCaller(automation::CurrentError(), info, implementedInterface);
    } catch (...) {
      return E_OUTOFMEMORY;  // not even the report could be built
    }
  }
}

}  // namespace nimbo::win::com
