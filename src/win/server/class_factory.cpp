#include "win/server/class_factory.h"

#include <utility>

#include "win/com/com_object.h"
#include "win/server/server_module.h"

namespace nimbo::win::server {

namespace {

class ClassFactory final : public com::ComObject<IClassFactory> {
 public:
  explicit ClassFactory(CreateInstanceFunction create) : create_(std::move(create)) {}

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    return create_(outer, iid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    LockModule(lock != FALSE);
    return S_OK;
  }

 private:
  CreateInstanceFunction create_;
};

}  // namespace

com::ComPtr<IClassFactory> NewClassFactory(CreateInstanceFunction create) {
  return com::ComPtr<IClassFactory>::Adopt(new ClassFactory(std::move(create)));
}

}  // namespace nimbo::win::server
