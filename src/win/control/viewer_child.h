// NimboViewer1, the control's imagery viewer: the viewer's class (found by its ProgID)
// created as a child OLE control in the control's window through a site of ours, and
// reached by the core as host::ViewerControl through ComViewerControl over the child's
// IDispatch. Its extender properties are the site's.
//
// The core holds this object from the control's creation on, before the child exists:
// until Create, and when the viewer could not be created, every call raises the error
// that says why (91 before Create; the creation's error after).
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "automation/error.h"
#include "automation/error_rules.h"
#include "host/viewer.h"
#include "win/com/com_ptr.h"
#include "win/control/ole_control_site.h"
#include "win/host/com_viewer_control.h"

namespace nimbo::win::control {

inline constexpr const char* kViewerChildName = "NimboViewer1";

class ViewerChild final : public nimbo::host::ViewerControl,
                          public nimbo::host::ExtenderProperties {
 public:
  explicit ViewerChild(std::string progId);
  ~ViewerChild() override;
  ViewerChild(const ViewerChild&) = delete;
  ViewerChild& operator=(const ViewerChild&) = delete;

  // Creates the viewer in `parent` (borrowed; Close before it goes) at the current
  // placement. A failure is kept, not raised: the palette still shows, and the core
  // reports it at its first viewer call.
  void Create(HWND parent);
  // Closes the child and releases it.
  void Close();
  OleControlSite* Site() const { return site_.Get(); }

  // nimbo::host::ViewerControl
  automation::Variant Invoke(int32_t dispid, std::span<automation::Variant> arguments) override;
  int32_t Advise(nimbo::host::ViewerEvents* sink) override;
  void Unadvise(int32_t cookie) override;

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
  nimbo::host::ViewerControl& Viewer();

  std::string progId_;
  Placement placement_;
  com::ComPtr<OleControlSite> site_;
  std::unique_ptr<win::host::ComViewerControl> viewer_;
  std::optional<automation::AutomationError> failure_;
};

}  // namespace nimbo::win::control
