// A dockable palette as the dock container makes one: a top-level window whose client area
// is filled by one control, created by class, sited and activated in place through our
// OLE site, and laid out again on every size change of the palette. It may be opened
// hidden, as a container builds a palette before it shows it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "automation/error.h"

#include "win/com/com_ptr.h"
#include "win/control/ole_control_site.h"

namespace nimbo::win::palette {

class Palette {
 public:
  // With a client area of `width` by `height` pixels, shown at once unless `hidden`.
  // Raises AutomationError when the window or the control cannot be made.
  Palette(const CLSID& controlClass, int width, int height, bool hidden = false);
  ~Palette();
  Palette(const Palette&) = delete;
  Palette& operator=(const Palette&) = delete;

  HWND Window() const { return window_; }
  IUnknown* Control() const { return site_ ? site_->Object() : nullptr; }
  control::OleControlSite* Site() const { return site_.Get(); }
  // A new client size, as the person drags the palette's edge; the control's failure to
  // follow it is raised.
  void ResizeClient(int width, int height);
  void Show();
  void Hide();
  // Closes the control and the window.
  void Close();
  // The palette as it is on the screen, into a 24-bit BMP file; false when it could not be
  // captured or written.
  bool SaveScreenshot(const std::string& path) const;

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  com::ComPtr<control::OleControlSite> site_;
  std::optional<automation::AutomationError> layoutFailure_;  // of the last WM_SIZE
};

// Runs the thread's messages until none are waiting.
void PumpMessages();

}  // namespace nimbo::win::palette
