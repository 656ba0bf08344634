// The dialogs shown for real, answered by a second thread as a person would: it finds the
// dialog by its caption, reads what it shows, and presses a button.
#include "win/host/win32_dialogs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "win/com/utf16.h"

namespace nimbo::win::host {
namespace {

using nimbo::host::MessageAnswer;
using nimbo::host::MessageButtons;

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Waits for the dialog of that caption, lets `look` read it, then sends `command`.
std::jthread Answer(const std::string& caption, WORD command, std::function<void(HWND)> look) {
  return std::jthread([caption = com::Utf16FromUtf8(caption), command, look = std::move(look)] {
    HWND dialog = nullptr;
    // Shown means built: every control of it is there.
    for (int tries = 0; tries < 500 && (dialog == nullptr || !IsWindowVisible(dialog)); ++tries) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      dialog = FindWindowW(nullptr, caption.c_str());
    }
    if (dialog == nullptr) return;  // the dialog's caller then fails the test
    look(dialog);
    PostMessageW(dialog, WM_COMMAND, command, 0);
  });
}

TEST(Win32DialogsTest, MessageBoxShowsTextAndCaptionAndAnswersTheButtonPressed) {
  Win32Dialogs dialogs("VeskNimboDock17", nullptr);
  std::wstring shown;
  std::jthread person = Answer("VeskNIMBO", IDNO, [&](HWND dialog) {
    shown = TextOf(GetDlgItem(dialog, 0xFFFF));  // the message box's text
  });
  MessageAnswer answer = dialogs.MessageBox("Saving measuring 12.5 m", MessageButtons::YesNo,
                                            std::string("VeskNIMBO"));
  person.join();
  EXPECT_EQ(answer, MessageAnswer::No);
  EXPECT_EQ(shown, L"Saving measuring 12.5 m");

  // Without a caption the library's name is the caption.
  person = Answer("VeskNimboDock17", IDOK, [](HWND) {});
  EXPECT_EQ(dialogs.MessageBox("Click a point in the map", MessageButtons::Ok, std::nullopt),
            MessageAnswer::Ok);
  person.join();
}

TEST(Win32DialogsTest, InputBoxOffersTheDefaultAndGivesWhatWasTypedOrNothingOnCancel) {
  Win32Dialogs dialogs("VeskNimboDock17", nullptr);
  std::wstring prompt, offered;
  std::jthread person = Answer("Höhe", IDOK, [&](HWND dialog) {
    HWND text = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
    prompt = TextOf(FindWindowExW(dialog, nullptr, L"Static", nullptr));
    offered = TextOf(text);
    SetWindowTextW(text, L"2,5 m\u00b2");
  });
  std::optional<std::string> typed =
      dialogs.InputBox("Default text height in map units:", "Höhe", "10");
  person.join();
  EXPECT_EQ(prompt, L"Default text height in map units:");
  EXPECT_EQ(offered, L"10");
  EXPECT_EQ(typed, std::optional<std::string>("2,5 m²"));

  person = Answer("VeskNIMBO", IDCANCEL, [](HWND) {});
  EXPECT_EQ(dialogs.InputBox("Default text height in map units:", "VeskNIMBO", "10"), std::nullopt);
  person.join();
}

}  // namespace
}  // namespace nimbo::win::host
