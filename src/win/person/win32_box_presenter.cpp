#include "win/person/win32_box_presenter.h"

#include <atomic>
#include <thread>
#include <utility>

#include "automation/error.h"
#include "win/com/utf16.h"

namespace nimbo::win::person {

namespace {

// What the person does to the box of one caption, on a thread of its own while the box
// holds the control's thread in its modal loop.
class Answering {
 public:
  Answering(const std::string& caption, WORD button, std::optional<std::string> type,
            std::chrono::milliseconds patience)
      : caption_(com::Utf16FromUtf8(caption)),
        button_(button),
        type_(type ? std::optional<std::wstring>(com::Utf16FromUtf8(*type)) : std::nullopt),
        patience_(patience),
        owner_(GetCurrentThreadId()),
        thread_([this] { Run(); }) {}

  // Waits for the person to be done; false when the box never appeared.
  bool Finish() {
    thread_.join();
    return found_;
  }

 private:
  void Run() {
    const auto deadline = std::chrono::steady_clock::now() + patience_;
    HWND box = nullptr;
    // Shown means built: every control of it is there.
    while (std::chrono::steady_clock::now() < deadline) {
      box = FindWindowW(L"#32770", caption_.c_str());
      if (box != nullptr && IsWindowVisible(box) &&
          GetWindowThreadProcessId(box, nullptr) == owner_) {
        break;
      }
      box = nullptr;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (box == nullptr) {
      // Not the box we were told of: whatever dialog holds the thread is cancelled, so
      // that the replay goes on and reports it.
      EnumThreadWindows(owner_, &Answering::CancelDialog, 0);
      return;
    }
    if (type_) {
      HWND field = FindWindowExW(box, nullptr, L"Edit", nullptr);
      if (field != nullptr) SetWindowTextW(field, type_->c_str());
    }
    found_ = true;
    // What a click of the button sends to its dialog.
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button_)));
  }

  static BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
    wchar_t kind[16] = {};
    GetClassNameW(window, kind, 16);
    if (std::wstring(kind) == L"#32770") PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
  }

  std::wstring caption_;
  WORD button_;
  std::optional<std::wstring> type_;
  std::chrono::milliseconds patience_;
  DWORD owner_;
  std::atomic<bool> found_ = false;
  std::thread thread_;  // last: it starts once everything above is set
};

[[noreturn]] void NotAppeared(const std::string& caption) {
  throw automation::AutomationError(-2147418113,
                                    "The box \"" + caption + "\" did not appear to be answered");
}

}  // namespace

Win32BoxPresenter::Win32BoxPresenter(std::string defaultCaption, std::chrono::milliseconds patience)
    : defaultCaption_(defaultCaption),
      patience_(patience),
      boxes_(std::move(defaultCaption), nullptr) {}

nimbo::host::MessageAnswer Win32BoxPresenter::Message(const std::string& text,
                                                      nimbo::host::MessageButtons buttons,
                                                      const std::optional<std::string>& caption,
                                                      nimbo::host::MessageAnswer press) {
  WORD button = IDOK;
  if (press == nimbo::host::MessageAnswer::Yes) button = IDYES;
  if (press == nimbo::host::MessageAnswer::No) button = IDNO;
  const std::string shown = caption.value_or(defaultCaption_);
  Answering person(shown, button, std::nullopt, patience_);
  const nimbo::host::MessageAnswer answer = boxes_.MessageBox(text, buttons, caption);
  if (!person.Finish()) NotAppeared(shown);
  return answer;
}

std::optional<std::string> Win32BoxPresenter::Input(const std::string& prompt,
                                                    const std::string& caption,
                                                    const std::string& defaultText,
                                                    const std::optional<std::string>& type) {
  const std::string shown = caption.empty() ? defaultCaption_ : caption;
  Answering person(shown, type ? IDOK : IDCANCEL, type, patience_);
  std::optional<std::string> typed = boxes_.InputBox(prompt, caption, defaultText);
  if (!person.Finish()) NotAppeared(shown);
  return typed;
}

}  // namespace nimbo::win::person
