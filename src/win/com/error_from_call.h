// A failed call into a COM object as the core's error: from the EXCEPINFO of an
// IDispatch::Invoke that answered DISP_E_EXCEPTION (completed through its deferred
// fill-in when it has one), or from the HRESULT with the thread's IErrorInfo when the
// object says it sets one for the interface called.
#pragma once

#include <windows.h>

#include "automation/error.h"

namespace nimbo::win::com {

// `info` may be null or unused (when `result` is not DISP_E_EXCEPTION); its strings are
// freed. `object` may be null.
automation::AutomationError ErrorFromFailedCall(HRESULT result, EXCEPINFO* info, IUnknown* object,
                                                REFIID calledInterface);

}  // namespace nimbo::win::com
