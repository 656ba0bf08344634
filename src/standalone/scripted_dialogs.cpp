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
    if (!confirm) return {host::MessageAnswer::Ok, ""};
    if (person_.TakeYes(line)) return {host::MessageAnswer::Yes, " -> Yes"};
    return {host::MessageAnswer::No, " -> No"};
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
    return {typed, typed ? " -> " + TranscriptString(*typed) : " -> cancel"};
  });
}

}  // namespace nimbo::standalone
