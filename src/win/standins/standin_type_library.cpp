#include "win/standins/standin_type_library.h"

#include <string>

#include "win/com/error_from_call.h"

namespace nimbo::win::standins {

namespace {

// The file of the module (program or library) that this code was linked into.
std::wstring OwnModulePath() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&OwnModulePath), &module);
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

com::ComPtr<ITypeLib> StandinTypeLibrary(int resource) {
  com::ComPtr<ITypeLib> library;
  // A module path alone names its TYPELIB resource 1, "path\\n" resource n; REGKIND_NONE
  // keeps it out of the registry.
  std::wstring path = OwnModulePath();
  if (resource != kViewerTypeLibrary) path += L"\\" + std::to_wstring(resource);
  HRESULT result = LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.Put());
  if (FAILED(result)) throw com::ErrorFromFailedCall(result, nullptr, nullptr, IID_NULL);
  return library;
}

com::ComPtr<ITypeInfo> StandinTypeInfo(REFGUID guid, int resource) {
  com::ComPtr<ITypeInfo> info;
  HRESULT result = StandinTypeLibrary(resource)->GetTypeInfoOfGuid(guid, info.Put());
  if (FAILED(result)) throw com::ErrorFromFailedCall(result, nullptr, nullptr, IID_NULL);
  return info;
}

}  // namespace nimbo::win::standins
