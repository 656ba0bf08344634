#include "standalone/scripted_dialogs.h"

#include "automation/error.h"

namespace nimbo::standalone {

namespace {

// Runs `answer` for the box described by `line`, writing the line with its outcome.
template <class Answer>
auto Journaled(Journal& journal, const std::string& line, Answer&& answer) {
  try {
    auto [result, outcome] = answer();
    journal.Write(line + outcome);
    return result;
  } catch (const automation::AutomationError& error) {
    journal.Write(line + " -> error " + std::to_string(error.number()) + " " +
                  TranscriptString(error.description()));
    throw;
  }
}

}  // namespace

host::MessageAnswer ScriptedDialogs::MessageBox(const std::string& text,
                                                host::MessageButtons buttons,
                                                const std::optional<std::string>& caption) {
  const bool confirm = buttons == host::MessageButtons::YesNo;
  const std::string line = std::string("dialog ") + (confirm ? "confirm " : "message ") +
                           TranscriptString(text) + " caption " +
                           TranscriptString(caption.value_or(defaultCaption_));
  return Journaled(journal_, line, [&]() -> std::pair<host::MessageAnswer, std::string> {
    faults_.Check("dialogs.MessageBox");
    host::MessageAnswer answer = host::MessageAnswer::Ok;
    if (confirm)
      answer = person_.TakeYes(line) ? host::MessageAnswer::Yes : host::MessageAnswer::No;
    if (presenter_) answer = presenter_->Message(text, buttons, caption, answer);
    switch (answer) {
      case host::MessageAnswer::Yes:
        return {answer, " -> Yes"};
      case host::MessageAnswer::No:
        return {answer, " -> No"};
      case host::MessageAnswer::Ok:
        break;
    }
    return {answer, ""};
  });
}

std::optional<std::string> ScriptedDialogs::InputBox(const std::string& prompt,
                                                     const std::string& caption,
                                                     const std::string& defaultText) {
  const std::string line = "dialog input " + TranscriptString(prompt) + " caption " +
                           TranscriptString(caption.empty() ? defaultCaption_ : caption) +
                           " default " + TranscriptString(defaultText);
  return Journaled(journal_, line, [&]() -> std::pair<std::optional<std::string>, std::string> {
    faults_.Check("dialogs.InputBox");
    std::optional<std::string> typed = person_.TakeInput(line);
    if (presenter_) typed = presenter_->Input(prompt, caption, defaultText, typed);
    return {typed, typed ? " -> " + TranscriptString(*typed) : " -> cancel"};
  });
}

}  // namespace nimbo::standalone
