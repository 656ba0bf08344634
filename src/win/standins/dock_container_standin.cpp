#include "win/standins/dock_container_standin.h"

#include <span>

#include "automation/error_rules.h"
#include "win/com/error_to_caller.h"
#include "win/standins/nimbo_cad_standin_ids.h"
#include "win/standins/standin_type_library.h"

namespace nimbo::win::standins {

namespace {
constexpr DISPID kOnDocumentActivated = 1;
}  // namespace

com::ComPtr<DockContainerStandin> DockContainerStandin::Create(
    std::shared_ptr<host::DockContainer> container, DocumentObject documentObject) {
  auto standin = com::ComPtr<DockContainerStandin>::Adopt(
      new DockContainerStandin(std::move(container), std::move(documentObject)));
  standin->cookie_ = standin->container_->Advise(standin.Get());
  return standin;
}

DockContainerStandin::DockContainerStandin(std::shared_ptr<host::DockContainer> container,
                                           DocumentObject documentObject)
    : container_(std::move(container)), documentObject_(std::move(documentObject)) {
  point_ = com::ConnectionPoint::Create(DIID__DStandinDockContainerEvents,
                                        static_cast<IConnectionPointContainer*>(this));
}

void DockContainerStandin::Shutdown() {
  if (container_) {
    std::shared_ptr<host::DockContainer> container = std::move(container_);
    automation::TrapSilently([&] { container->Unadvise(cookie_); });
  }
  point_->DropAll();
  point_->DetachContainer();
}

void DockContainerStandin::OnDocumentActivated(const host::DocumentRef& document) {
  const automation::Variant argument = documentObject_(document);
  point_->Fire(kOnDocumentActivated, std::span<const automation::Variant>(&argument, 1));
}

HRESULT DockContainerStandin::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IStandinDockContainer) {
    *out = static_cast<IStandinDockContainer*>(this);
  } else if (iid == IID_IProvideClassInfo) {
    *out = static_cast<IProvideClassInfo*>(this);
  } else if (iid == IID_ISupportErrorInfo) {
    *out = static_cast<ISupportErrorInfo*>(this);
  } else if (iid == IID_IConnectionPointContainer) {
    *out = static_cast<IConnectionPointContainer*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG DockContainerStandin::Release() {
  const ULONG left = references_.Drop();
  if (left == 0) delete this;
  return left;
}

HRESULT DockContainerStandin::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT DockContainerStandin::GetTypeInfo(UINT, LCID, ITypeInfo** out) {
  if (out != nullptr) *out = nullptr;
  return E_NOTIMPL;
}

HRESULT DockContainerStandin::Member8(LONG value) {
  return com::GuardCall(nullptr, IID_IStandinDockContainer, [&] {
    if (!container_) throw automation::errors::Standard(automation::errors::kObjectNotSet);
    container_->Member8(value);
    return S_OK;
  });
}

HRESULT DockContainerStandin::GetClassInfo(ITypeInfo** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  return com::GuardCall(nullptr, IID_IProvideClassInfo, [&] {
    *out = StandinTypeInfo(CLSID_StandinDockContainer, kCadTypeLibrary).Detach();
    return S_OK;
  });
}

HRESULT DockContainerStandin::InterfaceSupportsErrorInfo(REFIID iid) {
  return iid == IID_IStandinDockContainer ? S_OK : S_FALSE;
}

HRESULT DockContainerStandin::EnumConnectionPoints(IEnumConnectionPoints** out) {
  if (out != nullptr) *out = nullptr;
  return E_NOTIMPL;
}

HRESULT DockContainerStandin::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (iid != DIID__DStandinDockContainerEvents) return CONNECT_E_NOCONNECTION;
  *out = com::ComPtr<IConnectionPoint>(point_.Get()).Detach();
  return S_OK;
}

}  // namespace nimbo::win::standins
