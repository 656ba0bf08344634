// The library's registration: for each class that clients create by ProgID (DockControl,
// Bound) its CLSID key (InprocServer32 with this file and the Apartment model, ProgID,
// TypeLib, Version; for DockControl also Control and MiscStatus) and its ProgID key, then
// the type library. Extent and AcadColors are in the type library only, so that
// CreateObject refuses them. Insertable is not written: the control lives in the CAD
// application's dock palette, not inside documents of the Insert Object dialog.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace nimbo::win::server {

// The OLEMISC bits of DockControl: set the client site first (the control reads its
// container before it loads), activate when visible, inside-out (the viewer and the
// button take input at once), cannot link inside, recompose on resize (Resize lays the
// children out again). 0x20000 | 0x100 | 0x80 | 0x10 | 0x1.
inline constexpr DWORD kDockControlMiscStatus = 131473;

struct RegistryValue {
  std::wstring key;   // under HKEY_CLASSES_ROOT
  std::wstring name;  // empty: the key's default value
  std::wstring data;
};

// Every value that registration writes, with `modulePath` as the server's file.
std::vector<RegistryValue> RegistrationValues(const std::wstring& modulePath);
// The keys that unregistering removes with everything below them.
std::vector<std::wstring> RegistrationKeys();

// DllRegisterServer: on a failure, what was written is taken away again.
HRESULT RegisterServer();
// DllUnregisterServer: removes every key and the type library's registration; keys that
// are already gone are no failure.
HRESULT UnregisterServer();

}  // namespace nimbo::win::server
