// The built VeskNimboDock17.ocx, loaded as COM loads an in-process server: its entry
// points found by name, its type library read from the file.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <string>

#include "win/com/com_ptr.h"

namespace nimbo::win::test {

// The .ocx next to the test program (both are built into the build folder).
inline std::wstring ServerPath() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
  return path.substr(0, path.find_last_of(L"\\/") + 1) + L"VeskNimboDock17.ocx";
}

struct ServerLibrary {
  HMODULE module = LoadLibraryW(ServerPath().c_str());
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();

  ~ServerLibrary() {
    if (module != nullptr) FreeLibrary(module);
  }
  template <class Function>
  Function Entry(const char* name) const {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  }
  HRESULT ClassObject(REFCLSID classId, com::ComPtr<IClassFactory>& factory) const {
    return Entry<GetClassObject>("DllGetClassObject")(classId, IID_IClassFactory,
                                                      factory.PutVoid());
  }
  HRESULT CanUnload() const { return Entry<CanUnloadNow>("DllCanUnloadNow")(); }
};

}  // namespace nimbo::win::test
