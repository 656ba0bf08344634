#include "win/server/server_module.h"

#include <atomic>

#include "win/com/error_from_call.h"

namespace nimbo::win::server {

namespace {

std::atomic<long>& UseCount() {
  static std::atomic<long> count{0};
  return count;
}

}  // namespace

std::shared_ptr<const void> ModuleLifetime() {
  ++UseCount();
  return std::shared_ptr<const void>(nullptr, [](const void*) { --UseCount(); });
}

void LockModule(bool lock) {
  if (lock) {
    ++UseCount();
  } else {
    --UseCount();
  }
}

bool ModuleInUse() {
  return UseCount() > 0;
}

std::wstring ModulePath() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&ModulePath), &module);
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

com::ComPtr<ITypeLib> ServerTypeLibrary() {
  // Loaded at the first use and kept: every object describes itself from it.
  static const com::ComPtr<ITypeLib> library = [] {
    com::ComPtr<ITypeLib> loaded;
    HRESULT result = LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, loaded.Put());
    if (FAILED(result)) throw com::ErrorFromFailedCall(result, nullptr, nullptr, IID_NULL);
    return loaded;
  }();
  return library;
}

com::ComPtr<ITypeInfo> ServerTypeInfo(REFGUID guid) {
  com::ComPtr<ITypeInfo> info;
  HRESULT result = ServerTypeLibrary()->GetTypeInfoOfGuid(guid, info.Put());
  if (FAILED(result)) throw com::ErrorFromFailedCall(result, nullptr, nullptr, IID_NULL);
  return info;
}

}  // namespace nimbo::win::server
