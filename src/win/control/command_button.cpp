#include "win/control/command_button.h"

#include "automation/error.h"

namespace nimbo::win::control {

CommandButton::~CommandButton() {
  if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
}

void CommandButton::Create(HWND parent) {
  window_ = CreateWindowExW(0, L"BUTTON", kCommand1Caption,
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCommand1Id)),
                            GetModuleHandleW(nullptr), nullptr);
  if (window_ == nullptr) {
    throw automation::AutomationError(static_cast<int32_t>(HRESULT_FROM_WIN32(GetLastError())),
                                      "The button Command1 could not be created");
  }
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);
  Place();
}

void CommandButton::Place() {
  if (window_ == nullptr) return;
  MoveWindow(window_, TwipsToPixels(placement_.left, pixelsPerInch_.x),
             TwipsToPixels(placement_.top, pixelsPerInch_.y),
             TwipsToPixels(placement_.width, pixelsPerInch_.x),
             TwipsToPixels(placement_.height, pixelsPerInch_.y), TRUE);
}

void CommandButton::SetTop(float value) {
  placement_.top = value;
  Place();
}
void CommandButton::SetLeft(float value) {
  placement_.left = value;
  Place();
}
void CommandButton::SetWidth(float value) {
  placement_.width = value;
  Place();
}
void CommandButton::SetHeight(float value) {
  placement_.height = value;
  Place();
}

}  // namespace nimbo::win::control
