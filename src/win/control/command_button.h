// Command1, the control's button: a Win32 BUTTON child of the control's window, with its
// container-provided properties in twips (single precision) as the core lays it out.
// The control's window procedure turns its BN_CLICKED into Command1_Click.
#pragma once

#include <windows.h>

#include "host/viewer.h"
#include "win/control/ole_control_site.h"
#include "win/control/twips.h"

namespace nimbo::win::control {

inline constexpr const wchar_t* kCommand1Caption = L"Center in new map point";
// Design values, twips.
inline constexpr Placement kCommand1Design = {2340, 5775, 2745, 420};
inline constexpr int kCommand1Id = 1;

class CommandButton final : public nimbo::host::ExtenderProperties {
 public:
  // Only the properties until Create.
  CommandButton() : placement_(kCommand1Design) {}
  ~CommandButton() override;
  CommandButton(const CommandButton&) = delete;
  CommandButton& operator=(const CommandButton&) = delete;

  // The button in `parent` (borrowed: the button is its child and goes with it). Raises
  // AutomationError when the window cannot be made.
  void Create(HWND parent);
  HWND Window() const { return window_; }

  float Top() override { return placement_.top; }
  float Left() override { return placement_.left; }
  float Width() override { return placement_.width; }
  float Height() override { return placement_.height; }
  void SetTop(float value) override;
  void SetLeft(float value) override;
  void SetWidth(float value) override;
  void SetHeight(float value) override;

 private:
  void Place();

  Placement placement_;
  PixelsPerInch pixelsPerInch_ = ScreenPixelsPerInch();
  HWND window_ = nullptr;
};

}  // namespace nimbo::win::control
