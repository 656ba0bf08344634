// The control's message box and input box as the platform shows them: MessageBoxW with
// the control's caption, and an input box laid out as the run-time's InputBox is (the
// prompt at the top left, OK and Cancel on the right, the text field along the bottom),
// both modal to the window that owns the control.
#pragma once

#include <windows.h>

// windows.h names MessageBoxW so; the member is the contract's MessageBox.
#undef MessageBox

#include <optional>
#include <string>

#include "host/dialogs.h"

namespace nimbo::win::host {

class Win32Dialogs final : public nimbo::host::Dialogs {
 public:
  // `defaultCaption`: the caption of a message box shown without one (the library's
  // name). `owner` may be null: the dialogs then belong to the active window.
  Win32Dialogs(std::string defaultCaption, HWND owner);

  nimbo::host::MessageAnswer MessageBox(const std::string& text,
                                        nimbo::host::MessageButtons buttons,
                                        const std::optional<std::string>& caption) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& caption,
                                      const std::string& defaultText) override;

 private:
  HWND Owner() const;

  std::string defaultCaption_;
  HWND owner_;
};

}  // namespace nimbo::win::host
