#include "win/standins/standin_type_library.h"

#include <string>

#include "win/com/error_from_call.h"
#include "win/com/this_module.h"

namespace nimbo::win::standins {

namespace {}  // namespace

com::ComPtr<ITypeLib> StandinTypeLibrary(int resource) {
  com::ComPtr<ITypeLib> library;
  // A module path alone names its TYPELIB resource 1, "path\\n" resource n; REGKIND_NONE
  // keeps it out of the registry.
  std::wstring path = com::ThisModulePath();
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
