#include "win/server/server_module.h"

#include <atomic>

#include "win/com/error_from_call.h"
#include "win/com/this_module.h"

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
  return com::ThisModulePath();
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
