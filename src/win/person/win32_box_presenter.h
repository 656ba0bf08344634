// The person's answers given to the control's real boxes: each box is shown by the
// control's own Win32 dialogs, and a second thread, as a person at the screen would,
// waits for it to appear (a dialog window of the box's caption), types the answer into
// its text field when there is one, and presses the button. What the box then returns
// is the outcome. A box that does not appear within the patience given is closed with
// Cancel, and the call fails saying so.
#pragma once

#include <windows.h>

#include "win/host/win32_dialogs.h"  // first: it takes back windows.h's MessageBox macro

#include <chrono>
#include <optional>
#include <string>

#include "standalone/scripted_dialogs.h"

namespace nimbo::win::person {

class Win32BoxPresenter final : public standalone::BoxPresenter {
 public:
  // `defaultCaption`: the caption of a box shown without one, the control's.
  explicit Win32BoxPresenter(std::string defaultCaption,
                             std::chrono::milliseconds patience = std::chrono::seconds(20));

  nimbo::host::MessageAnswer Message(const std::string& text, nimbo::host::MessageButtons buttons,
                                     const std::optional<std::string>& caption,
                                     nimbo::host::MessageAnswer press) override;
  std::optional<std::string> Input(const std::string& prompt, const std::string& caption,
                                   const std::string& defaultText,
                                   const std::optional<std::string>& type) override;

 private:
  std::string defaultCaption_;
  std::chrono::milliseconds patience_;
  host::Win32Dialogs boxes_;
};

}  // namespace nimbo::win::person
