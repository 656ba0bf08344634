// The dock container of the CAD application stand-in, as the palette hands it to the
// control: the container interface over the embedded default's dock container (which
// writes the journal and asks the fault plan), describing itself through the stand-in's
// type library, and raising OnDocumentActivated through its connection point whenever
// the embedded container reports a drawing, with the COM drawing that stands for it. A
// sink's failure comes back to whoever made the container report.
#pragma once

#include <windows.h>

#include <ocidl.h>

#include <functional>
#include <memory>

#include "host/dock_container.h"
#include "nimbo_cad_standin.h"
#include "win/com/com_ptr.h"
#include "win/com/connection_point.h"
#include "win/com/reference_count.h"

namespace nimbo::win::standins {

class DockContainerStandin final : public IStandinDockContainer,
                                   public IProvideClassInfo,
                                   public ISupportErrorInfo,
                                   public IConnectionPointContainer,
                                   private ::nimbo::host::DockContainerEvents {
 public:
  using DocumentObject = std::function<automation::Variant(const ::nimbo::host::DocumentRef&)>;
  // Advises itself on `container` until Shutdown.
  static com::ComPtr<DockContainerStandin> Create(
      std::shared_ptr<::nimbo::host::DockContainer> container, DocumentObject documentObject);

  // Lets go of the embedded container and of every sink, as a container that closes does.
  void Shutdown();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return references_.Add(); }
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch: the container is reached through its vtable; it answers no names.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** out) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }
  // IStandinDockContainer: only the eighth member does anything.
  HRESULT STDMETHODCALLTYPE Member1(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Member2(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Member3(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Member4(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Member5(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Member6(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Member7(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Member8(LONG value) override;
  // IProvideClassInfo
  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** out) override;
  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;
  // IConnectionPointContainer
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

 private:
  DockContainerStandin(std::shared_ptr<::nimbo::host::DockContainer> container,
                       DocumentObject documentObject);
  ~DockContainerStandin() = default;

  void OnDocumentActivated(const ::nimbo::host::DocumentRef& document) override;

  com::ReferenceCount references_;
  std::shared_ptr<::nimbo::host::DockContainer> container_;  // null once shut down
  DocumentObject documentObject_;
  int32_t cookie_ = 0;
  com::ComPtr<com::ConnectionPoint> point_;
};

}  // namespace nimbo::win::standins
