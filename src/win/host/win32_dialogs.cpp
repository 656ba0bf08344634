#include "win/host/win32_dialogs.h"

#include <cstring>
#include <vector>

#include "automation/error.h"
#include "win/com/utf16.h"

namespace nimbo::win::host {

namespace {

constexpr WORD kPromptId = 100;
constexpr WORD kTextId = 101;

// A dialog template built in memory, as DialogBoxIndirectParamW takes it: DWORD-aligned
// items after the header, each with its class as an atom and its text inline.
class DialogTemplate {
 public:
  DialogTemplate(const std::wstring& caption, short width, short height) {
    DLGTEMPLATE header{};
    header.style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    header.cx = width;
    header.cy = height;
    Append(&header, sizeof header);
    Word(0);  // no menu
    Word(0);  // the standard dialog class
    Text(caption);
    Word(8);  // the font's point size, then its name
    Text(L"MS Shell Dlg");
  }

  void Item(WORD id, WORD classAtom, DWORD style, short x, short y, short cx, short cy,
            const std::wstring& text) {
    Align();
    DLGITEMTEMPLATE item{};
    item.style = style | WS_CHILD | WS_VISIBLE;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = id;
    Append(&item, sizeof item);
    Word(0xFFFF);
    Word(classAtom);
    Text(text);
    Word(0);  // no creation data
    ++Header().cdit;
  }

  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

 private:
  DLGTEMPLATE& Header() { return *reinterpret_cast<DLGTEMPLATE*>(bytes_.data()); }
  void Append(const void* data, size_t size) {
    const auto* begin = static_cast<const unsigned char*>(data);
    bytes_.insert(bytes_.end(), begin, begin + size);
  }
  void Word(WORD value) { Append(&value, sizeof value); }
  void Text(const std::wstring& text) { Append(text.c_str(), (text.size() + 1) * sizeof(wchar_t)); }
  void Align() {
    while (bytes_.size() % sizeof(DWORD) != 0) bytes_.push_back(0);
  }

  // DWORD-aligned storage: the template must start on a DWORD boundary.
  std::vector<unsigned char> bytes_;
};

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

struct InputState {
  std::wstring defaultText;
  std::wstring typed;
};

INT_PTR CALLBACK InputProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<InputState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      state = reinterpret_cast<InputState*>(lParam);
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      SetDlgItemTextW(dialog, kTextId, state->defaultText.c_str());
      SendDlgItemMessageW(dialog, kTextId, EM_SETSEL, 0, -1);
      SetFocus(GetDlgItem(dialog, kTextId));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        const int length = GetWindowTextLengthW(GetDlgItem(dialog, kTextId));
        state->typed.assign(static_cast<size_t>(length) + 1, L'\0');
        GetDlgItemTextW(dialog, kTextId, state->typed.data(), length + 1);
        state->typed.resize(static_cast<size_t>(length));
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

[[noreturn]] void DialogFailed() {
  throw automation::AutomationError(static_cast<int32_t>(HRESULT_FROM_WIN32(GetLastError())),
                                    "The dialog could not be shown");
}

}  // namespace

Win32Dialogs::Win32Dialogs(std::string defaultCaption, HWND owner)
    : defaultCaption_(std::move(defaultCaption)), owner_(owner) {}

HWND Win32Dialogs::Owner() const {
  return owner_ != nullptr ? owner_ : GetActiveWindow();
}

nimbo::host::MessageAnswer Win32Dialogs::MessageBox(const std::string& text,
                                                    nimbo::host::MessageButtons buttons,
                                                    const std::optional<std::string>& caption) {
  const std::wstring wideText = com::Utf16FromUtf8(text);
  const std::wstring wideCaption = com::Utf16FromUtf8(caption.value_or(defaultCaption_));
  const UINT style = (buttons == nimbo::host::MessageButtons::YesNo ? MB_YESNO : MB_OK) |
                     MB_APPLMODAL | MB_SETFOREGROUND;
  switch (MessageBoxW(Owner(), wideText.c_str(), wideCaption.c_str(), style)) {
    case IDYES:
      return nimbo::host::MessageAnswer::Yes;
    case IDNO:
      return nimbo::host::MessageAnswer::No;
    case 0:
      DialogFailed();
    default:
      return nimbo::host::MessageAnswer::Ok;
  }
}

std::optional<std::string> Win32Dialogs::InputBox(const std::string& prompt,
                                                  const std::string& caption,
                                                  const std::string& defaultText) {
  // The run-time's input box, in dialog units; without a caption, the library's name, as
  // the run-time's own shows its program's.
  DialogTemplate layout(com::Utf16FromUtf8(caption.empty() ? defaultCaption_ : caption), 240, 100);
  layout.Item(kPromptId, kStaticClass, SS_LEFT, 7, 7, 170, 60, com::Utf16FromUtf8(prompt));
  layout.Item(IDOK, kButtonClass, BS_DEFPUSHBUTTON | WS_TABSTOP, 183, 7, 50, 14, L"OK");
  layout.Item(IDCANCEL, kButtonClass, BS_PUSHBUTTON | WS_TABSTOP, 183, 24, 50, 14, L"Cancel");
  layout.Item(kTextId, kEditClass, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 78, 226, 14, L"");
  InputState state{com::Utf16FromUtf8(defaultText), {}};
  const INT_PTR answer = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), layout.Get(), Owner(),
                                                 InputProcedure, reinterpret_cast<LPARAM>(&state));
  if (answer == -1 || answer == 0) DialogFailed();
  if (answer != IDOK) return std::nullopt;
  return com::Utf8FromUtf16(state.typed);
}

}  // namespace nimbo::win::host
