// The library's four exported entry points (VeskNimboDock17.def).
#include <windows.h>

#include <olectl.h>

#include <new>

#include "geometry/bound.h"
#include "win/server/class_factory.h"
#include "win/server/dock_control_factory.h"
#include "win/server/public_classes.h"
#include "win/server/registration.h"
#include "win/server/server_ids.h"
#include "win/server/server_module.h"

namespace {

using nimbo::win::server::NewClassFactory;

HRESULT CreateBound(IUnknown* outer, REFIID iid, void** out) {
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  try {
    auto object = nimbo::win::server::BoundObject(std::make_shared<nimbo::geometry::Bound>());
    return object->QueryInterface(iid, out);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace

extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  try {
    nimbo::win::com::ComPtr<IClassFactory> factory;
    if (classId == CLSID_Bound) {
      factory = NewClassFactory(CreateBound);
    } else if (classId == CLSID_DockControl) {
      factory = NewClassFactory(nimbo::win::server::CreateDockControl);
    } else {
      return CLASS_E_CLASSNOTAVAILABLE;
    }
    return factory->QueryInterface(iid, out);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return nimbo::win::server::ModuleInUse() ? S_FALSE : S_OK;
}

HRESULT STDAPICALLTYPE DllRegisterServer() {
  return nimbo::win::server::RegisterServer();
}

HRESULT STDAPICALLTYPE DllUnregisterServer() {
  return nimbo::win::server::UnregisterServer();
}

}  // extern "C"
