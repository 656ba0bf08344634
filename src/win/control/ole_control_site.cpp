#include "win/control/ole_control_site.h"

#include <olectl.h>

#include <array>
#include <cwchar>

#include "automation/error.h"
#include "automation/error_rules.h"
#include "win/com/error_from_call.h"
#include "win/com/utf16.h"

namespace nimbo::win::control {

namespace {

// The extender properties' DISPIDs, ours: positive, apart from the ambient ones.
constexpr std::array<const wchar_t*, 4> kExtenderNames = {L"Top", L"Left", L"Width", L"Height"};
constexpr DISPID kFirstExtenderId = 1;

// The system colours as OLE_COLOR: the control's face and its text, as a form's defaults.
constexpr LONG kButtonFaceColor = static_cast<LONG>(0x80000000 | COLOR_BTNFACE);
constexpr LONG kButtonTextColor = static_cast<LONG>(0x80000000 | COLOR_BTNTEXT);

void ReturnBool(VARIANT* result, bool value) {
  V_VT(result) = VT_BOOL;
  V_BOOL(result) = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void ReturnLong(VARIANT* result, LONG value) {
  V_VT(result) = VT_I4;
  V_I4(result) = value;
}

}  // namespace

com::ComPtr<OleControlSite> OleControlSite::Create(HWND parent, const CLSID& classId,
                                                   std::string name, Placement placement) {
  auto site =
      com::ComPtr<OleControlSite>::Adopt(new OleControlSite(parent, std::move(name), placement));
  try {
    site->Activate(classId);
  } catch (...) {
    automation::AutomationError error = automation::CurrentError();
    automation::TrapSilently([&] { site->Close(); });
    throw error;
  }
  return site;
}

OleControlSite::OleControlSite(HWND parent, std::string name, Placement placement)
    : parent_(parent),
      name_(std::move(name)),
      placement_(placement),
      pixelsPerInch_(ScreenPixelsPerInch()) {}

OleControlSite::~OleControlSite() = default;

ULONG OleControlSite::Release() {
  ULONG left = references_.Drop();
  if (left == 0) delete this;
  return left;
}

void OleControlSite::Activate(const CLSID& classId) {
  HRESULT result =
      CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object_.PutVoid());
  if (FAILED(result)) throw com::ErrorFromFailedCall(result, nullptr, nullptr, IID_NULL);
  dispatch_ = object_.As<IDispatch>();
  if (!dispatch_) throw automation::errors::Standard(automation::errors::kTypeMismatch);
  oleObject_ = object_.As<IOleObject>();
  if (!oleObject_) return;

  DWORD status = 0;
  oleObject_->GetMiscStatus(DVASPECT_CONTENT, &status);
  auto* clientSite = static_cast<IOleClientSite*>(this);
  const bool siteFirst = (status & OLEMISC_SETCLIENTSITEFIRST) != 0;
  if (siteFirst) result = oleObject_->SetClientSite(clientSite);
  if (SUCCEEDED(result)) {
    if (auto persist = object_.As<IPersistStreamInit>()) result = persist->InitNew();
  }
  if (SUCCEEDED(result) && !siteFirst) result = oleObject_->SetClientSite(clientSite);
  if (SUCCEEDED(result)) {
    RECT position = PixelRect();
    result =
        oleObject_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, clientSite, 0, parent_, &position);
  }
  if (FAILED(result)) throw com::ErrorFromFailedCall(result, nullptr, oleObject_.Get(), IID_NULL);
}

void OleControlSite::Close() {
  HRESULT result = S_OK;
  if (inPlaceObject_) {
    inPlaceObject_->InPlaceDeactivate();
    inPlaceObject_.Reset();
  }
  if (oleObject_) {
    result = oleObject_->Close(OLECLOSE_NOSAVE);
    oleObject_->SetClientSite(nullptr);
  }
  com::ComPtr<IOleObject> closed = std::move(oleObject_);
  dispatch_.Reset();
  object_.Reset();
  if (FAILED(result)) throw com::ErrorFromFailedCall(result, nullptr, closed.Get(), IID_NULL);
}

HWND OleControlSite::ControlWindow() const {
  HWND window = nullptr;
  if (inPlaceObject_) inPlaceObject_->GetWindow(&window);
  return window;
}

RECT OleControlSite::PixelRect() const {
  RECT rect;
  rect.left = TwipsToPixels(placement_.left, pixelsPerInch_.x);
  rect.top = TwipsToPixels(placement_.top, pixelsPerInch_.y);
  rect.right = rect.left + TwipsToPixels(placement_.width, pixelsPerInch_.x);
  rect.bottom = rect.top + TwipsToPixels(placement_.height, pixelsPerInch_.y);
  return rect;
}

void OleControlSite::Place() {
  if (!inPlaceObject_) return;
  RECT rect = PixelRect();
  HRESULT result = inPlaceObject_->SetObjectRects(&rect, &rect);
  if (FAILED(result)) {
    throw com::ErrorFromFailedCall(result, nullptr, inPlaceObject_.Get(), IID_NULL);
  }
}

void OleControlSite::MoveTo(const RECT& pixels) {
  placement_.left = static_cast<float>(PixelsToTwips(pixels.left, pixelsPerInch_.x));
  placement_.top = static_cast<float>(PixelsToTwips(pixels.top, pixelsPerInch_.y));
  placement_.width =
      static_cast<float>(PixelsToTwips(pixels.right - pixels.left, pixelsPerInch_.x));
  placement_.height =
      static_cast<float>(PixelsToTwips(pixels.bottom - pixels.top, pixelsPerInch_.y));
  if (!inPlaceObject_) return;
  RECT rect = pixels;
  HRESULT result = inPlaceObject_->SetObjectRects(&rect, &rect);
  if (FAILED(result)) {
    throw com::ErrorFromFailedCall(result, nullptr, inPlaceObject_.Get(), IID_NULL);
  }
}

void OleControlSite::SetTop(float value) {
  placement_.top = value;
  Place();
}
void OleControlSite::SetLeft(float value) {
  placement_.left = value;
  Place();
}
void OleControlSite::SetWidth(float value) {
  placement_.width = value;
  Place();
}
void OleControlSite::SetHeight(float value) {
  placement_.height = value;
  Place();
}

// ---- COM ------------------------------------------------------------------------------

HRESULT OleControlSite::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
    *out = static_cast<IOleClientSite*>(this);
  } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
    *out = static_cast<IOleInPlaceSite*>(this);
  } else if (iid == IID_IOleControlSite) {
    *out = static_cast<IOleControlSite*>(this);
  } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
    *out = static_cast<IOleInPlaceFrame*>(this);
  } else if (iid == IID_IDispatch) {
    *out = static_cast<IDispatch*>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

HRESULT OleControlSite::GetMoniker(DWORD, DWORD, IMoniker** out) {
  if (out != nullptr) *out = nullptr;
  return E_NOTIMPL;
}

HRESULT OleControlSite::GetContainer(IOleContainer** out) {
  if (out != nullptr) *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT OleControlSite::GetWindow(HWND* out) {
  if (out == nullptr) return E_POINTER;
  *out = parent_;
  return S_OK;
}

HRESULT OleControlSite::OnInPlaceActivate() {
  if (object_) object_->QueryInterface(IID_IOleInPlaceObject, inPlaceObject_.PutVoid());
  return S_OK;
}

HRESULT OleControlSite::OnInPlaceDeactivate() {
  inPlaceObject_.Reset();
  return S_OK;
}

HRESULT OleControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                         RECT* position, RECT* clip, OLEINPLACEFRAMEINFO* info) {
  if (frame == nullptr || doc == nullptr || position == nullptr || clip == nullptr) {
    return E_POINTER;
  }
  *frame = static_cast<IOleInPlaceFrame*>(this);
  AddRef();
  *doc = nullptr;
  *position = PixelRect();
  *clip = *position;
  if (info != nullptr) {
    info->fMDIApp = FALSE;
    info->hwndFrame = GetAncestor(parent_, GA_ROOT);
    info->haccel = nullptr;
    info->cAccelEntries = 0;
  }
  return S_OK;
}

HRESULT OleControlSite::OnPosRectChange(const RECT* position) {
  if (position == nullptr) return E_POINTER;
  try {
    MoveTo(*position);
  } catch (...) {
    return E_FAIL;
  }
  return S_OK;
}

HRESULT OleControlSite::GetExtendedControl(IDispatch** out) {
  if (out == nullptr) return E_POINTER;
  *out = static_cast<IDispatch*>(this);
  AddRef();
  return S_OK;
}

HRESULT OleControlSite::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT OleControlSite::GetTypeInfo(UINT, LCID, ITypeInfo** out) {
  if (out != nullptr) *out = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT OleControlSite::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (names == nullptr || ids == nullptr || count == 0) return E_POINTER;
  HRESULT result = S_OK;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  for (size_t i = 0; i < kExtenderNames.size(); ++i) {
    if (_wcsicmp(names[0], kExtenderNames[i]) == 0) {
      ids[0] = kFirstExtenderId + static_cast<DISPID>(i);
    }
  }
  if (ids[0] == DISPID_UNKNOWN || count > 1) result = DISP_E_UNKNOWNNAME;
  return result;
}

HRESULT OleControlSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO*, UINT*) {
  const bool get = (flags & DISPATCH_PROPERTYGET) != 0;
  const bool put = (flags & DISPATCH_PROPERTYPUT) != 0;
  if (id >= kFirstExtenderId &&
      id < kFirstExtenderId + static_cast<DISPID>(kExtenderNames.size())) {
    const int index = id - kFirstExtenderId;
    if (put) {
      if (params == nullptr || params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
      VARIANT value;
      VariantInit(&value);
      if (FAILED(VariantChangeType(&value, &params->rgvarg[0], 0, VT_R4)))
        return DISP_E_TYPEMISMATCH;
      try {
        const float twips = V_R4(&value);
        switch (index) {
          case 0:
            SetTop(twips);
            break;
          case 1:
            SetLeft(twips);
            break;
          case 2:
            SetWidth(twips);
            break;
          default:
            SetHeight(twips);
            break;
        }
      } catch (...) {
        return E_FAIL;
      }
      return S_OK;
    }
    if (!get || result == nullptr) return get ? S_OK : DISP_E_MEMBERNOTFOUND;
    const float values[] = {Top(), Left(), Width(), Height()};
    V_VT(result) = VT_R4;
    V_R4(result) = values[index];
    return S_OK;
  }
  // Ambient properties: the control runs, without design-time hatching or handles.
  if (!get || result == nullptr) return DISP_E_MEMBERNOTFOUND;
  switch (id) {
    case DISPID_AMBIENT_USERMODE:
      ReturnBool(result, true);
      return S_OK;
    case DISPID_AMBIENT_UIDEAD:
    case DISPID_AMBIENT_SHOWHATCHING:
    case DISPID_AMBIENT_SHOWGRABHANDLES:
    case DISPID_AMBIENT_MESSAGEREFLECT:
      ReturnBool(result, false);
      return S_OK;
    case DISPID_AMBIENT_BACKCOLOR:
      ReturnLong(result, kButtonFaceColor);
      return S_OK;
    case DISPID_AMBIENT_FORECOLOR:
      ReturnLong(result, kButtonTextColor);
      return S_OK;
    case DISPID_AMBIENT_LOCALEID:
      ReturnLong(result, static_cast<LONG>(GetUserDefaultLCID()));
      return S_OK;
    case DISPID_AMBIENT_DISPLAYNAME:
      V_VT(result) = VT_BSTR;
      V_BSTR(result) = SysAllocString(com::Utf16FromUtf8(name_).c_str());
      return S_OK;
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

}  // namespace nimbo::win::control
