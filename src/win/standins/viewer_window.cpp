#include "win/standins/viewer_window.h"

#include <olectl.h>

#include <utility>

#include "win/com/this_module.h"
#include "win/standins/nimbo_viewer_standin_ids.h"

namespace nimbo::win::standins {

namespace {

constexpr const wchar_t* kWindowClass = L"NimboViewerStandin";
constexpr COLORREF kPane = RGB(38, 52, 68);
constexpr COLORREF kName = RGB(220, 226, 232);

}  // namespace

void* ViewerWindow::InterfaceFor(REFIID iid) {
  if (iid == IID_IOleObject) return static_cast<IOleObject*>(this);
  if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject) {
    return static_cast<IOleInPlaceObject*>(this);
  }
  return nullptr;
}

LRESULT CALLBACK ViewerWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client{};
  GetClientRect(window, &client);
  HBRUSH pane = CreateSolidBrush(kPane);
  FillRect(dc, &client, pane);
  DeleteObject(pane);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kName);
  DrawTextW(dc, L"NimboViewer1", -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  EndPaint(window, &paint);
  return 0;
}

HRESULT ViewerWindow::SetClientSite(IOleClientSite* site) {
  site_ = com::ComPtr<IOleClientSite>(site);
  return S_OK;
}

HRESULT ViewerWindow::GetClientSite(IOleClientSite** out) {
  if (out == nullptr) return E_POINTER;
  *out = com::ComPtr<IOleClientSite>(site_).Detach();
  return S_OK;
}

HRESULT ViewerWindow::Close(DWORD) {
  InPlaceDeactivate();
  site_.Reset();
  return S_OK;
}

HRESULT ViewerWindow::GetMoniker(DWORD, DWORD, IMoniker** out) {
  if (out != nullptr) *out = nullptr;
  return E_NOTIMPL;
}

HRESULT ViewerWindow::GetClipboardData(DWORD, IDataObject** out) {
  if (out != nullptr) *out = nullptr;
  return E_NOTIMPL;
}

HRESULT ViewerWindow::DoVerb(LONG verb, LPMSG, IOleClientSite* activeSite, LONG, HWND parent,
                             LPCRECT position) {
  if (verb == OLEIVERB_HIDE) {
    if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
    return S_OK;
  }
  if (verb != OLEIVERB_PRIMARY && verb != OLEIVERB_SHOW && verb != OLEIVERB_INPLACEACTIVATE &&
      verb != OLEIVERB_UIACTIVATE) {
    return verb < 0 ? E_NOTIMPL : OLEOBJ_S_INVALIDVERB;
  }
  IOleClientSite* site = activeSite != nullptr ? activeSite : site_.Get();
  if (!inPlaceSite_ && site != nullptr) {
    com::ComPtr<IOleInPlaceSite> inPlaceSite;
    site->QueryInterface(IID_IOleInPlaceSite, inPlaceSite.PutVoid());
    if (inPlaceSite && inPlaceSite->CanInPlaceActivate() == S_OK) {
      HWND siteWindow = nullptr;
      if (SUCCEEDED(inPlaceSite->GetWindow(&siteWindow)) && siteWindow != nullptr) {
        parent = siteWindow;
      }
      inPlaceSite->OnInPlaceActivate();
      inPlaceSite_ = inPlaceSite;
    }
  }
  if (parent == nullptr) return E_INVALIDARG;
  if (window_ == nullptr) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (!GetClassInfoExW(com::ThisModule(), kWindowClass, &windowClass)) {
      windowClass.lpfnWndProc = &ViewerWindow::WindowProcedure;
      windowClass.hInstance = com::ThisModule();
      windowClass.lpszClassName = kWindowClass;
      if (RegisterClassExW(&windowClass) == 0) return HRESULT_FROM_WIN32(GetLastError());
    }
    const RECT rect = position != nullptr ? *position : RECT{0, 0, 0, 0};
    window_ = CreateWindowExW(0, kWindowClass, L"NimboViewer1", WS_CHILD | WS_CLIPSIBLINGS,
                              rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                              parent, nullptr, com::ThisModule(), nullptr);
    if (window_ == nullptr) return HRESULT_FROM_WIN32(GetLastError());
  } else if (position != nullptr) {
    SetObjectRects(position, position);
  }
  ShowWindow(window_, SW_SHOWNA);
  return S_OK;
}

HRESULT ViewerWindow::EnumVerbs(IEnumOLEVERB** out) {
  if (out != nullptr) *out = nullptr;
  return OLEOBJ_E_NOVERBS;
}

HRESULT ViewerWindow::GetUserClassID(CLSID* out) {
  if (out == nullptr) return E_POINTER;
  *out = CLSID_NimboViewer;
  return S_OK;
}

HRESULT ViewerWindow::GetUserType(DWORD, LPOLESTR* out) {
  if (out != nullptr) *out = nullptr;
  return OLE_S_USEREG;
}

HRESULT ViewerWindow::GetExtent(DWORD, SIZEL* size) {
  if (size == nullptr) return E_POINTER;
  *size = SIZEL{0, 0};
  return S_OK;
}

HRESULT ViewerWindow::Advise(IAdviseSink*, DWORD* cookie) {
  if (cookie != nullptr) *cookie = 0;
  return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT ViewerWindow::EnumAdvise(IEnumSTATDATA** out) {
  if (out != nullptr) *out = nullptr;
  return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT ViewerWindow::GetMiscStatus(DWORD, DWORD* status) {
  if (status == nullptr) return E_POINTER;
  *status = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE;
  return S_OK;
}

HRESULT ViewerWindow::GetWindow(HWND* out) {
  if (out == nullptr) return E_POINTER;
  *out = window_;
  return window_ != nullptr ? S_OK : E_FAIL;
}

HRESULT ViewerWindow::InPlaceDeactivate() {
  if (window_ != nullptr) DestroyWindow(std::exchange(window_, nullptr));
  if (com::ComPtr<IOleInPlaceSite> site = std::move(inPlaceSite_)) site->OnInPlaceDeactivate();
  return S_OK;
}

HRESULT ViewerWindow::SetObjectRects(LPCRECT position, LPCRECT) {
  if (position == nullptr) return E_POINTER;
  if (window_ != nullptr) {
    MoveWindow(window_, position->left, position->top, position->right - position->left,
               position->bottom - position->top, TRUE);
  }
  return S_OK;
}

}  // namespace nimbo::win::standins
