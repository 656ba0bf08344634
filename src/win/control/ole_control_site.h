// A site of ours for one OLE control in a window: it creates the control by class, sites
// it (IOleClientSite, IOleInPlaceSite, IOleControlSite, a minimal IOleInPlaceFrame),
// activates it in place inside the parent window, and answers the control's ambient
// properties and its container-provided (extender) properties through its IDispatch.
// The extender properties Top, Left, Width and Height are in twips, single precision;
// setting one moves the control's in-place window.
//
// An object of the class without IOleObject (a plain automation object) is kept and
// reached through its IDispatch all the same; it simply has no window to place.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <oleidl.h>

#include <memory>
#include <string>

#include "host/viewer.h"
#include "win/com/com_ptr.h"
#include "win/com/reference_count.h"
#include "win/control/twips.h"

namespace nimbo::win::control {

struct Placement {  // twips, relative to the parent window's client area
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;
};

class OleControlSite final : public IOleClientSite,
                             public IOleInPlaceSite,
                             public IOleControlSite,
                             public IOleInPlaceFrame,
                             public IDispatch,
                             public nimbo::host::ExtenderProperties {
 public:
  // `parent` is borrowed and must outlive the site's control (Close before it goes).
  // `name` is the control's name, its ambient DisplayName. Raises AutomationError when the
  // class cannot be created or refuses to be activated.
  static com::ComPtr<OleControlSite> Create(HWND parent, const CLSID& classId, std::string name,
                                            Placement placement);

  // The control's own IDispatch; null once closed.
  IDispatch* Control() const { return dispatch_.Get(); }
  IUnknown* Object() const { return object_.Get(); }
  // The control's in-place window; null when it has none.
  HWND ControlWindow() const;
  // The placement in pixels, exactly: the extender properties follow it in twips.
  void MoveTo(const RECT& pixels);
  // Deactivates and closes the control and lets go of it; a failed Close is raised after
  // everything is released. Safe to call twice.
  void Close();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return references_.Add(); }
  ULONG STDMETHODCALLTYPE Release() override;
  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** out) override;
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** out) override;
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }
  // IOleWindow (for the in-place site and the frame alike)
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                             RECT* position, RECT* clip,
                                             OLEINPLACEFRAMEINFO* info) override;
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(const RECT* position) override;
  // IOleControlSite
  HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE LockInPlaceActive(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** out) override;
  HRESULT STDMETHODCALLTYPE TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE OnFocus(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ShowPropertyFrame() override { return E_NOTIMPL; }
  // IOleInPlaceUIWindow and IOleInPlaceFrame: no toolbars, menus or status bar to share.
  HRESULT STDMETHODCALLTYPE GetBorder(RECT*) override { return INPLACE_E_NOTOOLSPACE; }
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override {
    return INPLACE_E_NOTOOLSPACE;
  }
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*, WORD) override { return S_FALSE; }
  // IDispatch: the ambient properties (negative DISPIDs) and the extender properties.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** out) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO*, UINT*) override;

  // nimbo::host::ExtenderProperties
  float Top() override { return placement_.top; }
  float Left() override { return placement_.left; }
  float Width() override { return placement_.width; }
  float Height() override { return placement_.height; }
  void SetTop(float value) override;
  void SetLeft(float value) override;
  void SetWidth(float value) override;
  void SetHeight(float value) override;

 private:
  OleControlSite(HWND parent, std::string name, Placement placement);
  ~OleControlSite();

  void Activate(const CLSID& classId);
  RECT PixelRect() const;
  // Tells the in-place object where it now is.
  void Place();

  com::ReferenceCount references_;
  HWND parent_;  // borrowed, see Create
  std::string name_;
  Placement placement_;
  PixelsPerInch pixelsPerInch_;
  com::ComPtr<IUnknown> object_;
  com::ComPtr<IDispatch> dispatch_;
  com::ComPtr<IOleObject> oleObject_;             // null for a plain automation object
  com::ComPtr<IOleInPlaceObject> inPlaceObject_;  // while active in place
};

}  // namespace nimbo::win::control
