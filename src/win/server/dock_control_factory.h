// The class object of DockControl makes the ActiveX control of win/control/ with the
// platform's parts (dock_control_class.cpp). The object holds ModuleLifetime()
// (server_module.h) for as long as it lives.
#pragma once

#include <windows.h>

namespace nimbo::win::server {

// IClassFactory::CreateInstance of DockControl; `out` is already null.
HRESULT CreateDockControl(IUnknown* outer, REFIID iid, void** out);

}  // namespace nimbo::win::server
