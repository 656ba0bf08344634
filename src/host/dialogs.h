// The modal message box and input box the control shows.
#pragma once

#include <optional>
#include <string>

namespace nimbo::host {

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // No caption means the platform's default caption for the library.
  virtual MessageAnswer MessageBox(const std::string& text, MessageButtons buttons,
                                   const std::optional<std::string>& caption) = 0;
  // The text typed, or nothing when the person cancels.
  virtual std::optional<std::string> InputBox(const std::string& prompt,
                                              const std::string& caption,
                                              const std::string& defaultText) = 0;
};

}  // namespace nimbo::host
