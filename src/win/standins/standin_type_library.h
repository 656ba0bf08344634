// The type library of the stand-ins, compiled from their IDL by widl and embedded in the
// program as its TYPELIB resource 1: the program carries its stand-ins' class
// information wherever it runs, with nothing to find beside it or in the registry.
#pragma once

#include <windows.h>

#include "win/com/com_ptr.h"

namespace nimbo::win::standins {

// The TYPELIB resources: the viewer stand-in's library, and the CAD application
// stand-in's.
inline constexpr int kViewerTypeLibrary = 1;
inline constexpr int kCadTypeLibrary = 2;

// Loaded once per call from the module that holds this code; raises AutomationError
// when the resource is missing.
com::ComPtr<ITypeLib> StandinTypeLibrary(int resource = kViewerTypeLibrary);
// The type information of `guid` in it (an interface or a coclass).
com::ComPtr<ITypeInfo> StandinTypeInfo(REFGUID guid, int resource = kViewerTypeLibrary);

}  // namespace nimbo::win::standins
