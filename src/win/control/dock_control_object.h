// DockControl as a windowed ActiveX control, written without ATL: the OLE interfaces a
// container uses to create, site, activate in place, show, resize and close it, over the
// core's DockControl. Its window is a child of the container's window and carries the
// two child controls, Command1 and NimboViewer1.
//
// The user-control lifecycle, as the platform raises it:
// - Resize: on every size change of the control's window, including the first one, which
//   comes when the window and its children are made at the first in-place activation
//   (before the first Show);
// - Show: each time the control comes into sight, its window visible with every window it
//   sits in: at the first activation (DoVerb OLEIVERB_INPLACEACTIVATE, SHOW, PRIMARY or
//   UIACTIVATE) in a container already shown, or at the first activation after the
//   container was shown; again after DoVerb OLEIVERB_HIDE and a later activation. A
//   control activated in a hidden palette has its Resize then, and its Show when it is
//   seen;
// - Terminate: once, when the object is closed (IOleObject::Close), or when it is destroyed
//   without having been closed.
// The window and the children live from the first activation until Close; in-place
// deactivation only hides the window, so the core's references to its children stay good.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>
#include <oleidl.h>

#include <optional>

#include "automation/error.h"
#include "shell/dock_control.h"
#include "win/com/com_ptr.h"
#include "win/com/connection_point.h"
#include "win/com/reference_count.h"
#include "win/control/command_button.h"
#include "win/control/control_identity.h"
#include "win/control/dock_control_factory.h"
#include "win/control/viewer_child.h"

namespace nimbo::win::control {

class DockControlObject final : public IOleObject,
                                public IOleInPlaceObject,
                                public IOleInPlaceActiveObject,
                                public IOleControl,
                                public IViewObject2,
                                public IPersistStreamInit,
                                public IConnectionPointContainer,
                                public IProvideClassInfo2,
                                public IDispatch,
                                public ISupportErrorInfo {
 public:
  // See CreateDockControl.
  static com::ComPtr<DockControlObject> Create(DockControlParts parts);
  // The object behind `unknown` when it is one of this process's; null otherwise. For the
  // palette and the tests, which look at the children.
  static DockControlObject* Of(IUnknown* unknown);

  shell::DockControl& Core() { return core_; }
  HWND Window() const { return window_; }
  CommandButton& Button() { return button_; }
  ViewerChild& Viewer() { return viewer_; }
  bool Terminated() const { return terminated_; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return references_.Add(); }
  ULONG STDMETHODCALLTYPE Release() override;

  // IOleObject
  HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
  HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** out) override;
  HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
  HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** out) override;
  HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject** out) override;
  HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite* activeSite, LONG, HWND parent,
                                   LPCRECT position) override;
  HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** out) override;
  HRESULT STDMETHODCALLTYPE Update() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE IsUpToDate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* out) override { return GetClassID(out); }
  HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR* out) override;
  HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
  HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** out) override;
  HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
  HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

  // IOleWindow, IOleInPlaceObject
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE UIDeactivate() override;
  HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
  HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override { return E_NOTIMPL; }

  // IOleInPlaceActiveObject
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }

  // IOleControl
  HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
  HRESULT STDMETHODCALLTYPE OnMnemonic(MSG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL) override { return S_OK; }

  // IViewObject, IViewObject2
  HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC target,
                                 LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                                 ULONG_PTR) override;
  HRESULT STDMETHODCALLTYPE GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC,
                                        LOGPALETTE** out) override;
  HRESULT STDMETHODCALLTYPE Freeze(DWORD, LONG, void*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Unfreeze(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
  HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) override;

  // IPersist, IPersistStreamInit: the control stores nothing of its own.
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* out) override;
  HRESULT STDMETHODCALLTYPE IsDirty() override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE Load(LPSTREAM) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Save(LPSTREAM, BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;
  HRESULT STDMETHODCALLTYPE InitNew() override { return S_OK; }

  // IConnectionPointContainer: the one point of __DockControl.
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

  // IProvideClassInfo, IProvideClassInfo2
  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** out) override;
  HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* out) override;

  // IDispatch: _DockControl, the dispatch made with the object.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** out) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
                                   UINT* badArgument) override;

  // ISupportErrorInfo: the calls whose failures come with the thread's error information.
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

 private:
  // IRetrieveDockableContainer, on an object of its own so that its IDispatch is its own;
  // it shares the control's identity and reference count.
  class DockableContainerRetrieval final : public IRetrieveDockableContainer {
   public:
    explicit DockableContainerRetrieval(DockControlObject& outer) : outer_(outer) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
      return outer_.QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return outer_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return outer_.Release(); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** out) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* info, UINT*) override;
    HRESULT STDMETHODCALLTYPE SetDockContainer(IDispatch* newVal) override;

   private:
    HRESULT Hand(IDispatch* newVal, EXCEPINFO* info);

    DockControlObject& outer_;
  };

  explicit DockControlObject(DockControlParts parts);
  ~DockControlObject();

  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Makes the window and the children at the first activation, and shows the window.
  void ActivateInPlace(IOleClientSite* activeSite, HWND parent, LPCRECT position);
  // Show, when the window has come into sight since it was last out of it.
  void NoteWhetherSeen();
  // The core's Resize for the window's current size, when it differs from the last one.
  void ReportSize();
  void RaiseTerminate();
  // Close's work: Terminate, then the window, the children and the container's sinks go.
  HRESULT Shut();
  // The error of the last Resize since it was taken, raised to the caller of the call that
  // moved the window.
  HRESULT TakeResizeResult(REFIID calledInterface);
  SIZEL ExtentOfWindow() const;

  com::ReferenceCount references_;
  DockControlParts parts_;
  PixelsPerInch pixelsPerInch_ = ScreenPixelsPerInch();
  DockableContainerRetrieval retrieval_{*this};

  // Declared before the core, which borrows them, so that they go after it.
  ViewerChild viewer_;
  CommandButton button_;
  shell::DockControl core_;
  com::ComPtr<IDispatch> dispatch_;

  com::ComPtr<IOleClientSite> clientSite_;
  com::ComPtr<IOleInPlaceSite> inPlaceSite_;  // while active in place
  com::ComPtr<IOleAdviseHolder> adviseHolder_;
  com::ComPtr<IAdviseSink> viewSink_;
  DWORD viewAspects_ = 0;
  DWORD viewFlags_ = 0;
  com::ComPtr<com::ConnectionPoint> point_;

  HWND window_ = nullptr;
  bool childrenMade_ = false;
  bool seen_ = false;                 // since the last Show
  std::optional<SIZE> reportedSize_;  // pixels, of the last Resize
  std::optional<automation::AutomationError> resizeFailure_;
  SIZEL extent_{};  // HIMETRIC, as the container last set it
  bool terminated_ = false;
  bool closed_ = false;
};

}  // namespace nimbo::win::control
