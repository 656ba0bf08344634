// A dockable palette as the dock container makes one: a top-level window whose client area
// is filled by one control, created by class, sited and activated in place through our
// OLE site, and laid out again on every size change of the palette.
#pragma once

#include <windows.h>

#include <string>

#include "win/com/com_ptr.h"
#include "win/control/ole_control_site.h"

namespace nimbo::win::test {

class Palette {
 public:
  // Shown at once, with a client area of `width` by `height` pixels.
  Palette(const CLSID& controlClass, int width, int height);
  ~Palette();
  Palette(const Palette&) = delete;
  Palette& operator=(const Palette&) = delete;

  HWND Window() const { return window_; }
  IUnknown* Control() const { return site_ ? site_->Object() : nullptr; }
  control::OleControlSite* Site() const { return site_.Get(); }
  // A new client size, as the person drags the palette's edge.
  void ResizeClient(int width, int height);
  // Closes the control and the window.
  void Close();
  // The palette as it is on the screen, into a 24-bit BMP file; false when it could not be
  // captured or written.
  bool SaveScreenshot(const std::string& path) const;

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  com::ComPtr<control::OleControlSite> site_;
};

// Runs the thread's messages until none are waiting.
void PumpMessages();

}  // namespace nimbo::win::test
