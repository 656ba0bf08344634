// An object of ours with one interface besides IUnknown (a class factory, a connection
// point, an enumerator): its QueryInterface and its reference count. It starts with the
// one reference that its creator adopts and deletes itself when the last is released.
#pragma once

#include <windows.h>

#include "win/com/reference_count.h"

namespace nimbo::win::com {

template <class Interface>
class ComObject : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (iid != IID_IUnknown && iid != __uuidof(Interface)) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    *out = static_cast<Interface*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return references_.Add(); }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = references_.Drop();
    if (left == 0) delete this;
    return left;
  }

 protected:
  ComObject() = default;
  virtual ~ComObject() = default;

 private:
  ReferenceCount references_;
};

}  // namespace nimbo::win::com
