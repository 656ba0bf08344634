// The class object of one of the library's creatable classes, as DllGetClassObject hands
// it out. Its locks count towards the module's use; the object itself does not.
#pragma once

#include <windows.h>

#include <functional>

#include "win/com/com_ptr.h"

namespace nimbo::win::server {

// Answers CreateInstance: the new object's interface `iid` in `out`, or the failure.
using CreateInstanceFunction = std::function<HRESULT(IUnknown* outer, REFIID iid, void** out)>;

com::ComPtr<IClassFactory> NewClassFactory(CreateInstanceFunction create);

}  // namespace nimbo::win::server
