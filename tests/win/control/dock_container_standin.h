// The dock container as the tests hand it to the control: an object of the container
// interface that records what its members are called with, describes itself through its
// type library (resource 3 of the test program) and raises OnDocumentActivated through
// its connection point.
#pragma once

#include <windows.h>

#include <ocidl.h>

#include <initguid.h>  // the GUIDs of the header below are defined, not only declared

#include <memory>
#include <utility>
#include <vector>

#include "dock_container_standin_idl.h"
#include "win/com/connection_point.h"
#include "win/com/dispatch_object.h"
#include "win/com/reference_count.h"
#include "win/standins/standin_type_library.h"

namespace nimbo::win::test {

inline constexpr int kDockContainerTypeLibrary = 3;

class DockContainerStandin final : public IDockContainerStandin,
                                   public IProvideClassInfo,
                                   public IConnectionPointContainer {
 public:
  std::vector<std::pair<int, LONG>> calls;  // member number, argument

  DockContainerStandin()
      : point_(com::ConnectionPoint::Create(DIID__DockContainerStandinEvents,
                                            static_cast<IConnectionPointContainer*>(this))) {}
  ~DockContainerStandin() { point_->DetachContainer(); }

  // The count of references others hold.
  ULONG HeldByOthers() {
    AddRef();
    return Release() - 1;
  }
  size_t Sinks() const { return point_->Count(); }
  void ActivateDocument(std::shared_ptr<com::DispatchObject> document) {
    const automation::Variant argument{automation::ObjectRef(std::move(document))};
    point_->Fire(1, std::span<const automation::Variant>(&argument, 1));
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IDockContainerStandin) {
      *out = static_cast<IDockContainerStandin*>(this);
    } else if (iid == IID_IProvideClassInfo) {
      *out = static_cast<IProvideClassInfo*>(this);
    } else if (iid == IID_IConnectionPointContainer) {
      *out = static_cast<IConnectionPointContainer*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  // Lives on the test's stack: the count only tells who still holds it.
  ULONG STDMETHODCALLTYPE AddRef() override { return references_.Add(); }
  ULONG STDMETHODCALLTYPE Release() override { return references_.Drop(); }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Unused1(LONG v) override { return Record(1, v); }
  HRESULT STDMETHODCALLTYPE Unused2(LONG v) override { return Record(2, v); }
  HRESULT STDMETHODCALLTYPE Unused3(LONG v) override { return Record(3, v); }
  HRESULT STDMETHODCALLTYPE Unused4(LONG v) override { return Record(4, v); }
  HRESULT STDMETHODCALLTYPE Unused5(LONG v) override { return Record(5, v); }
  HRESULT STDMETHODCALLTYPE Unused6(LONG v) override { return Record(6, v); }
  HRESULT STDMETHODCALLTYPE Unused7(LONG v) override { return Record(7, v); }
  HRESULT STDMETHODCALLTYPE SetPaletteStyle(LONG v) override { return Record(8, v); }

  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** out) override {
    *out =
        standins::StandinTypeInfo(CLSID_DockContainerStandin, kDockContainerTypeLibrary).Detach();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override {
    *out = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override {
    *out = nullptr;
    if (iid != DIID__DockContainerStandinEvents) return CONNECT_E_NOCONNECTION;
    *out = com::ComPtr<IConnectionPoint>(point_.Get()).Detach();
    return S_OK;
  }

 private:
  HRESULT Record(int member, LONG value) {
    calls.emplace_back(member, value);
    return S_OK;
  }
  com::ReferenceCount references_;
  com::ComPtr<com::ConnectionPoint> point_;
};

}  // namespace nimbo::win::test
