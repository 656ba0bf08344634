// The message box and input box of the embedded default, answered by the scripted person.
// Each box is one journal line:
//   dialog message "<text>" caption "<caption>"            a box with only OK, no answer
//   dialog confirm "<text>" caption "<caption>" -> Yes     (or No), a button answer
//   dialog input "<prompt>" caption "<caption>" default "<text>" -> "<text>"  (or cancel)
// A box that fails (a planned fault under "dialogs.MessageBox" or "dialogs.InputBox",
// asked first, or no fitting answer left) is written with `-> error <number>
// "<description>"` in place of the answer, and the error is raised.
#pragma once

#include <optional>
#include <string>

#include "host/dialogs.h"
#include "standalone/fault_plan.h"
#include "standalone/journal.h"
#include "standalone/scripted_person.h"

namespace nimbo::standalone {

// Where the person gives an answer on a platform with real boxes: the box is shown, the
// answer pressed or typed into it, and what the box then returns is the outcome.
class BoxPresenter {
 public:
  virtual ~BoxPresenter() = default;
  // `press`: the button the person presses (Ok for a box with only OK).
  virtual host::MessageAnswer Message(const std::string& text, host::MessageButtons buttons,
                                      const std::optional<std::string>& caption,
                                      host::MessageAnswer press) = 0;
  // `type`: what the person types before OK; nothing: Cancel.
  virtual std::optional<std::string> Input(const std::string& prompt, const std::string& caption,
                                           const std::string& defaultText,
                                           const std::optional<std::string>& type) = 0;
};

class ScriptedDialogs : public host::Dialogs {
 public:
  // All borrowed, shared with the rest of the embedded default. `defaultCaption` is the
  // caption of a box shown without one (the library's name).
  ScriptedDialogs(ScriptedPerson& person, Journal& journal, FaultPlan& faults,
                  std::string defaultCaption)
      : person_(person),
        journal_(journal),
        faults_(faults),
        defaultCaption_(std::move(defaultCaption)) {}

  host::MessageAnswer MessageBox(const std::string& text, host::MessageButtons buttons,
                                 const std::optional<std::string>& caption) override;
  // An empty caption, like none, shows the default caption.
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& caption,
                                      const std::string& defaultText) override;

  // Shows every box through `presenter` (borrowed; null: none, the answer is the outcome).
  void PresentThrough(BoxPresenter* presenter) { presenter_ = presenter; }

 private:
  ScriptedPerson& person_;  // borrowed
  Journal& journal_;        // borrowed
  FaultPlan& faults_;       // borrowed
  std::string defaultCaption_;
  BoxPresenter* presenter_ = nullptr;
};

}  // namespace nimbo::standalone
