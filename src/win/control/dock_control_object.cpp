#include "win/control/dock_control_object.h"

#include <cwchar>
#include <utility>

#include "automation/error_rules.h"
#include "win/com/error_to_caller.h"
#include "win/com/this_module.h"
#include "win/host/com_dock_container.h"

namespace nimbo::win::control {

namespace {

constexpr const wchar_t* kWindowClass = L"NimboDockControl";

// Answers QueryInterface with the object itself, unreferenced, for this process's own code.
// {6C1E0F52-3A8B-4D7E-9F21-5B0C8A4D2E17}
constexpr IID kObjectOfThisProcess = {
    0x6c1e0f52, 0x3a8b, 0x4d7e, {0x9f, 0x21, 0x5b, 0x0c, 0x8a, 0x4d, 0x2e, 0x17}};

// The control's design size, 6990 by 6300 twips, in HIMETRIC.
constexpr SIZEL kDesignExtent = {12330, 11113};

automation::AutomationError WindowError(const char* what) {
  return automation::AutomationError(static_cast<int32_t>(HRESULT_FROM_WIN32(GetLastError())),
                                     what);
}

nimbo::host::ControlEnvironment EnvironmentOf(const DockControlParts& parts, ViewerChild& viewer,
                                              CommandButton& button) {
  nimbo::host::ControlEnvironment environment;
  environment.viewer = &viewer;
  environment.viewerExtender = &viewer;
  environment.button = &button;
  if (parts.childExtender) {
    environment.viewerExtender = parts.childExtender("viewer", viewer);
    environment.button = parts.childExtender("button", button);
  }
  environment.runningObjects = parts.runningObjects.get();
  environment.dialogs = parts.dialogs.get();
  environment.locale = parts.locale;
  environment.clock = parts.clock;
  return environment;
}

}  // namespace

com::ComPtr<IUnknown> CreateDockControl(DockControlParts parts) {
  com::ComPtr<DockControlObject> object = DockControlObject::Create(std::move(parts));
  return com::ComPtr<IUnknown>(static_cast<IOleObject*>(object.Get()));
}

com::ComPtr<DockControlObject> DockControlObject::Create(DockControlParts parts) {
  auto object = com::ComPtr<DockControlObject>::Adopt(new DockControlObject(std::move(parts)));
  if (object->parts_.makeDispatch) object->dispatch_ = object->parts_.makeDispatch(object->core_);
  return object;
}

DockControlObject* DockControlObject::Of(IUnknown* unknown) {
  void* object = nullptr;
  if (unknown == nullptr || FAILED(unknown->QueryInterface(kObjectOfThisProcess, &object))) {
    return nullptr;
  }
  return static_cast<DockControlObject*>(object);
}

DockControlObject::DockControlObject(DockControlParts parts)
    : parts_(std::move(parts)),
      viewer_(parts_.viewerProgId),
      core_(EnvironmentOf(parts_, viewer_, button_)),
      extent_(kDesignExtent) {
  point_ = com::ConnectionPoint::Create(kDockControlEvents,
                                        static_cast<IConnectionPointContainer*>(this));
  CreateOleAdviseHolder(adviseHolder_.Put());
}

DockControlObject::~DockControlObject() {
  // Never through Close: a reference taken now would bring the object back to life.
  if (!closed_) Shut();
  point_->DetachContainer();
  // The core goes first (members in reverse order): it lets go of the viewer's and the
  // container's connection points while they are still there.
}

ULONG DockControlObject::Release() {
  ULONG left = references_.Drop();
  if (left == 0) delete this;
  return left;
}

HRESULT DockControlObject::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (iid == kObjectOfThisProcess) {
    *out = this;
    return S_OK;
  }
  if (iid == IID_IUnknown || iid == IID_IOleObject) {
    *out = static_cast<IOleObject*>(this);
  } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject) {
    *out = static_cast<IOleInPlaceObject*>(this);
  } else if (iid == IID_IOleInPlaceActiveObject) {
    *out = static_cast<IOleInPlaceActiveObject*>(this);
  } else if (iid == IID_IOleControl) {
    *out = static_cast<IOleControl*>(this);
  } else if (iid == IID_IViewObject || iid == IID_IViewObject2) {
    *out = static_cast<IViewObject2*>(this);
  } else if (iid == IID_IPersist || iid == IID_IPersistStreamInit) {
    *out = static_cast<IPersistStreamInit*>(this);
  } else if (iid == IID_IConnectionPointContainer) {
    *out = static_cast<IConnectionPointContainer*>(this);
  } else if ((iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2) && parts_.classInfo) {
    *out = static_cast<IProvideClassInfo2*>(this);
  } else if ((iid == IID_IDispatch || iid == kDockControlInterface) && dispatch_) {
    *out = static_cast<IDispatch*>(this);
  } else if (iid == IID_ISupportErrorInfo) {
    *out = static_cast<ISupportErrorInfo*>(this);
  } else if (iid == kRetrieveDockableContainer) {
    *out = static_cast<IRetrieveDockableContainer*>(&retrieval_);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

// ---- The window -------------------------------------------------------------------------

LRESULT CALLBACK DockControlObject::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                                    LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* object = reinterpret_cast<DockControlObject*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (object == nullptr || object->window_ != window) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return object->OnMessage(message, wParam, lParam);
}

LRESULT DockControlObject::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      ReportSize();
      return 0;
    case WM_WINDOWPOSCHANGED:
      NoteWhetherSeen();
      break;  // and on: the default procedure sends WM_SIZE
    case WM_COMMAND:
      if (LOWORD(wParam) == kCommand1Id && HIWORD(wParam) == BN_CLICKED && !terminated_) {
        core_.Command1_Click();
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void DockControlObject::NoteWhetherSeen() {
  // Visible with every window it sits in: a window shown inside a hidden palette is not
  // seen until the palette is.
  if (window_ == nullptr || IsWindowVisible(window_) == FALSE) {
    seen_ = false;
    return;
  }
  if (seen_ || !childrenMade_ || terminated_) return;
  seen_ = true;
  // The core reports its own failures (Show's rule): nothing comes back here.
  core_.UserControl_Show();
}

void DockControlObject::ReportSize() {
  if (!childrenMade_ || terminated_) return;
  RECT client{};
  GetClientRect(window_, &client);
  const SIZE size{client.right - client.left, client.bottom - client.top};
  if (reportedSize_ && reportedSize_->cx == size.cx && reportedSize_->cy == size.cy) return;
  reportedSize_ = size;
  // Resize has no trap: its failure belongs to whoever moved the window.
  try {
    core_.UserControl_Resize(PixelsToTwips(size.cx, pixelsPerInch_.x),
                             PixelsToTwips(size.cy, pixelsPerInch_.y));
  } catch (...) {
    resizeFailure_ = automation::CurrentError();
  }
}

HRESULT DockControlObject::TakeResizeResult(REFIID calledInterface) {
  if (!resizeFailure_) return S_OK;
  automation::AutomationError error = std::move(*resizeFailure_);
  resizeFailure_.reset();
  return com::ReportErrorToCaller(error, nullptr, calledInterface);
}

void DockControlObject::ActivateInPlace(IOleClientSite* activeSite, HWND parent, LPCRECT position) {
  IOleClientSite* site = activeSite != nullptr ? activeSite : clientSite_.Get();
  com::ComPtr<IOleInPlaceSite> inPlaceSite;
  if (site != nullptr) site->QueryInterface(IID_IOleInPlaceSite, inPlaceSite.PutVoid());
  // Where the container wants the window; nothing said: where it is (or the extent, at
  // first).
  std::optional<RECT> placement;
  if (inPlaceSite && !inPlaceSite_) {
    if (inPlaceSite->CanInPlaceActivate() != S_OK) {
      throw automation::AutomationError(static_cast<int32_t>(OLEOBJ_S_CANNOT_DOVERB_NOW),
                                        "The container refuses in-place activation");
    }
    HWND siteWindow = nullptr;
    if (SUCCEEDED(inPlaceSite->GetWindow(&siteWindow)) && siteWindow != nullptr) {
      parent = siteWindow;
    }
    com::ComPtr<IOleInPlaceFrame> frame;
    com::ComPtr<IOleInPlaceUIWindow> document;
    RECT clip{};
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof(frameInfo);
    RECT given{};
    if (SUCCEEDED(inPlaceSite->GetWindowContext(frame.Put(), document.Put(), &given, &clip,
                                                &frameInfo))) {
      placement = given;
    }
    inPlaceSite->OnInPlaceActivate();
    inPlaceSite_ = inPlaceSite;
  }
  if (position != nullptr) placement = *position;
  if (parent == nullptr) throw automation::errors::Standard(automation::errors::kInvalidCall);

  if (window_ == nullptr) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExW(com::ThisModule(), kWindowClass, &existing)) {
      WNDCLASSEXW windowClass{};
      windowClass.cbSize = sizeof(windowClass);
      windowClass.lpfnWndProc = &DockControlObject::WindowProcedure;
      windowClass.hInstance = com::ThisModule();
      windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
      windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      windowClass.lpszClassName = kWindowClass;
      if (RegisterClassExW(&windowClass) == 0) throw WindowError("The control's window class");
    }
    const RECT rect = placement.value_or(RECT{0, 0, HimetricToPixels(extent_.cx, pixelsPerInch_.x),
                                              HimetricToPixels(extent_.cy, pixelsPerInch_.y)});
    // Hidden at first: Show comes when it is first shown, after the first Resize.
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, L"",
                              WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                              com::ThisModule(), this);
    if (window_ == nullptr) throw WindowError("The control's window could not be created");
    button_.Create(window_);
    viewer_.Create(window_);
    childrenMade_ = true;
    ReportSize();
  } else {
    if (GetParent(window_) != parent) SetParent(window_, parent);
    if (placement) {
      MoveWindow(window_, placement->left, placement->top, placement->right - placement->left,
                 placement->bottom - placement->top, TRUE);
    }
  }
  ShowWindow(window_, SW_SHOWNA);
  // Already shown, in a container that has been shown since.
  NoteWhetherSeen();
}

SIZEL DockControlObject::ExtentOfWindow() const {
  if (window_ == nullptr) return extent_;
  RECT client{};
  GetClientRect(window_, &client);
  return SIZEL{PixelsToHimetric(client.right - client.left, pixelsPerInch_.x),
               PixelsToHimetric(client.bottom - client.top, pixelsPerInch_.y)};
}

void DockControlObject::RaiseTerminate() {
  if (terminated_) return;
  terminated_ = true;
  core_.UserControl_Terminate();
}

// ---- IOleObject ---------------------------------------------------------------------------

HRESULT DockControlObject::SetClientSite(IOleClientSite* site) {
  clientSite_ = com::ComPtr<IOleClientSite>(site);
  return S_OK;
}

HRESULT DockControlObject::GetClientSite(IOleClientSite** out) {
  if (out == nullptr) return E_POINTER;
  *out = com::ComPtr<IOleClientSite>(clientSite_).Detach();
  return S_OK;
}

HRESULT DockControlObject::Close(DWORD) {
  if (closed_) return S_OK;
  // Keeps the object alive while the container's references may go during the teardown.
  com::ComPtr<IOleObject> self(static_cast<IOleObject*>(this));
  return Shut();
}

HRESULT DockControlObject::Shut() {
  closed_ = true;
  return com::GuardCall(nullptr, IID_IOleObject, [&]() -> HRESULT {
    std::optional<automation::AutomationError> failure;
    try {
      RaiseTerminate();
    } catch (...) {
      failure = automation::CurrentError();
    }
    InPlaceDeactivate();
    automation::TrapSilently([&] { viewer_.Close(); });
    childrenMade_ = false;
    if (window_ != nullptr) {
      HWND window = std::exchange(window_, nullptr);
      DestroyWindow(window);  // and the button with it
    }
    point_->DropAll();
    if (adviseHolder_) adviseHolder_->SendOnClose();
    adviseHolder_.Reset();
    viewSink_.Reset();
    clientSite_.Reset();
    if (failure) throw *failure;
    return S_OK;
  });
}

HRESULT DockControlObject::GetMoniker(DWORD, DWORD, IMoniker** out) {
  if (out != nullptr) *out = nullptr;
  return E_NOTIMPL;
}

HRESULT DockControlObject::GetClipboardData(DWORD, IDataObject** out) {
  if (out != nullptr) *out = nullptr;
  return E_NOTIMPL;
}

HRESULT DockControlObject::DoVerb(LONG verb, LPMSG, IOleClientSite* activeSite, LONG, HWND parent,
                                  LPCRECT position) {
  if (closed_) return OLE_E_NOTRUNNING;
  switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_OPEN:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
      return com::GuardCall(nullptr, IID_IOleObject, [&] {
        resizeFailure_.reset();
        ActivateInPlace(activeSite, parent, position);
        return TakeResizeResult(IID_IOleObject);
      });
    case OLEIVERB_HIDE:
      if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
      return S_OK;
    default:
      return verb < 0 ? E_NOTIMPL : OLEOBJ_S_INVALIDVERB;
  }
}

HRESULT DockControlObject::EnumVerbs(IEnumOLEVERB** out) {
  if (out != nullptr) *out = nullptr;
  return OLEOBJ_E_NOVERBS;
}

HRESULT DockControlObject::GetUserType(DWORD, LPOLESTR* out) {
  if (out == nullptr) return E_POINTER;
  static constexpr wchar_t kName[] = L"DockControl";
  *out = static_cast<LPOLESTR>(CoTaskMemAlloc(sizeof(kName)));
  if (*out == nullptr) return E_OUTOFMEMORY;
  wmemcpy(*out, kName, sizeof(kName) / sizeof(wchar_t));
  return S_OK;
}

HRESULT DockControlObject::SetExtent(DWORD aspect, SIZEL* size) {
  if (size == nullptr) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  extent_ = *size;
  if (window_ == nullptr) return S_OK;
  resizeFailure_.reset();
  SetWindowPos(window_, nullptr, 0, 0, HimetricToPixels(size->cx, pixelsPerInch_.x),
               HimetricToPixels(size->cy, pixelsPerInch_.y),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return TakeResizeResult(IID_IOleObject);
}

HRESULT DockControlObject::GetExtent(DWORD aspect, SIZEL* size) {
  if (size == nullptr) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  *size = ExtentOfWindow();
  return S_OK;
}

HRESULT DockControlObject::Advise(IAdviseSink* sink, DWORD* cookie) {
  if (!adviseHolder_) return OLE_E_NOTRUNNING;
  return adviseHolder_->Advise(sink, cookie);
}

HRESULT DockControlObject::Unadvise(DWORD cookie) {
  if (!adviseHolder_) return OLE_E_NOCONNECTION;
  return adviseHolder_->Unadvise(cookie);
}

HRESULT DockControlObject::EnumAdvise(IEnumSTATDATA** out) {
  if (!adviseHolder_) {
    if (out != nullptr) *out = nullptr;
    return OLE_E_NOTRUNNING;
  }
  return adviseHolder_->EnumAdvise(out);
}

HRESULT DockControlObject::GetMiscStatus(DWORD, DWORD* status) {
  if (status == nullptr) return E_POINTER;
  *status = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
            OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST;
  return S_OK;
}

// ---- IOleInPlaceObject ----------------------------------------------------------------------

HRESULT DockControlObject::GetWindow(HWND* out) {
  if (out == nullptr) return E_POINTER;
  *out = window_;
  return window_ != nullptr ? S_OK : E_FAIL;
}

HRESULT DockControlObject::InPlaceDeactivate() {
  if (!inPlaceSite_) return S_OK;
  com::ComPtr<IOleInPlaceSite> site = std::move(inPlaceSite_);
  if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
  site->OnInPlaceDeactivate();
  return S_OK;
}

HRESULT DockControlObject::UIDeactivate() {
  if (inPlaceSite_) inPlaceSite_->OnUIDeactivate(FALSE);
  return S_OK;
}

HRESULT DockControlObject::SetObjectRects(LPCRECT position, LPCRECT) {
  if (position == nullptr) return E_POINTER;
  if (window_ == nullptr) return OLE_E_NOTRUNNING;
  resizeFailure_.reset();
  MoveWindow(window_, position->left, position->top, position->right - position->left,
             position->bottom - position->top, TRUE);
  return TakeResizeResult(IID_IOleInPlaceObject);
}

// ---- IOleControl, IViewObject2, IPersistStreamInit -------------------------------------------

HRESULT DockControlObject::GetControlInfo(CONTROLINFO* info) {
  if (info == nullptr) return E_POINTER;
  info->hAccel = nullptr;
  info->cAccel = 0;
  info->dwFlags = 0;
  return S_OK;
}

HRESULT DockControlObject::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC target,
                                LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                                ULONG_PTR) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (target == nullptr || bounds == nullptr) return E_INVALIDARG;
  // The face only: the children draw themselves in their windows.
  RECT rect{bounds->left, bounds->top, bounds->right, bounds->bottom};
  FillRect(target, &rect, GetSysColorBrush(COLOR_BTNFACE));
  return S_OK;
}

HRESULT DockControlObject::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** out) {
  if (out != nullptr) *out = nullptr;
  return S_FALSE;
}

HRESULT DockControlObject::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
  viewAspects_ = aspects;
  viewFlags_ = flags;
  viewSink_ = com::ComPtr<IAdviseSink>(sink);
  return S_OK;
}

HRESULT DockControlObject::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
  if (aspects != nullptr) *aspects = viewAspects_;
  if (flags != nullptr) *flags = viewFlags_;
  if (sink != nullptr) *sink = com::ComPtr<IAdviseSink>(viewSink_).Detach();
  return S_OK;
}

HRESULT DockControlObject::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
  return GetExtent(aspect, size);
}

HRESULT DockControlObject::GetClassID(CLSID* out) {
  if (out == nullptr) return E_POINTER;
  *out = kDockControlClass;
  return S_OK;
}

HRESULT DockControlObject::GetSizeMax(ULARGE_INTEGER* size) {
  if (size == nullptr) return E_POINTER;
  size->QuadPart = 0;
  return S_OK;
}

// ---- IConnectionPointContainer, IProvideClassInfo2 ---------------------------------------------

HRESULT DockControlObject::EnumConnectionPoints(IEnumConnectionPoints** out) {
  if (out != nullptr) *out = nullptr;
  return E_NOTIMPL;
}

HRESULT DockControlObject::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (iid != kDockControlEvents) return CONNECT_E_NOCONNECTION;
  *out = com::ComPtr<IConnectionPoint>(point_.Get()).Detach();
  return S_OK;
}

HRESULT DockControlObject::GetClassInfo(ITypeInfo** out) {
  if (out == nullptr) return E_POINTER;
  *out = com::ComPtr<ITypeInfo>(parts_.classInfo).Detach();
  return *out != nullptr ? S_OK : E_NOTIMPL;
}

HRESULT DockControlObject::GetGUID(DWORD kind, GUID* out) {
  if (out == nullptr) return E_POINTER;
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
  *out = kDockControlEvents;
  return S_OK;
}

// ---- IDispatch: _DockControl ------------------------------------------------------------------

HRESULT DockControlObject::GetTypeInfoCount(UINT* count) {
  return dispatch_->GetTypeInfoCount(count);
}

HRESULT DockControlObject::GetTypeInfo(UINT index, LCID locale, ITypeInfo** out) {
  return dispatch_->GetTypeInfo(index, locale, out);
}

HRESULT DockControlObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                         DISPID* ids) {
  return dispatch_->GetIDsOfNames(iid, names, count, locale, ids);
}

HRESULT DockControlObject::Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                  DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
                                  UINT* badArgument) {
  com::ComPtr<IDispatch> keep = dispatch_;
  return keep->Invoke(id, iid, locale, flags, params, result, info, badArgument);
}

HRESULT DockControlObject::InterfaceSupportsErrorInfo(REFIID iid) {
  if (iid == kRetrieveDockableContainer || iid == IID_IOleObject || iid == IID_IOleInPlaceObject) {
    return S_OK;
  }
  if (iid == IID_IDispatch || iid == kDockControlInterface) {
    if (auto errors = dispatch_.As<ISupportErrorInfo>()) {
      return errors->InterfaceSupportsErrorInfo(iid);
    }
  }
  return S_FALSE;
}

// ---- IRetrieveDockableContainer -----------------------------------------------------------------

HRESULT DockControlObject::DockableContainerRetrieval::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT DockControlObject::DockableContainerRetrieval::GetTypeInfo(UINT, LCID, ITypeInfo** out) {
  if (out != nullptr) *out = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT DockControlObject::DockableContainerRetrieval::GetIDsOfNames(REFIID, LPOLESTR* names,
                                                                     UINT count, LCID,
                                                                     DISPID* ids) {
  if (names == nullptr || ids == nullptr || count == 0) return E_POINTER;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  if (_wcsicmp(names[0], L"SetDockContainer") != 0) return DISP_E_UNKNOWNNAME;
  ids[0] = kSetDockContainerId;
  return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT DockControlObject::DockableContainerRetrieval::Invoke(DISPID id, REFIID, LCID, WORD flags,
                                                              DISPPARAMS* params, VARIANT*,
                                                              EXCEPINFO* info, UINT*) {
  if (id != kSetDockContainerId) return DISP_E_MEMBERNOTFOUND;
  if ((flags & DISPATCH_METHOD) == 0) return DISP_E_MEMBERNOTFOUND;
  if (params == nullptr || params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
  VARIANT container;
  VariantInit(&container);
  if (FAILED(VariantChangeType(&container, &params->rgvarg[0], 0, VT_DISPATCH))) {
    return DISP_E_TYPEMISMATCH;
  }
  com::ComPtr<IDispatch> newVal = com::ComPtr<IDispatch>::Adopt(V_DISPATCH(&container));
  return Hand(newVal.Get(), info);
}

HRESULT DockControlObject::DockableContainerRetrieval::SetDockContainer(IDispatch* newVal) {
  return Hand(newVal, nullptr);
}

HRESULT DockControlObject::DockableContainerRetrieval::Hand(IDispatch* newVal, EXCEPINFO* info) {
  return com::GuardCall(info, kRetrieveDockableContainer, [&] {
    // Nothing is handed over as no container: the core then fails at its eighth member.
    nimbo::host::DockContainerRef container;
    if (newVal != nullptr) {
      container = std::make_shared<win::host::ComDockContainer>(com::ComPtr<IUnknown>(newVal));
    }
    outer_.core_.IRetrieveDockableContainer_SetDockContainer(container);
    return S_OK;
  });
}

}  // namespace nimbo::win::control
