// The person in front of the embedded default: the answers of a replay step or a test,
// consumed in order by the dialogs and by the CAD host's picks and selections. Running
// out of answers, or meeting an answer of the wrong kind, is a disagreement: the
// interaction fails with an error (so the control's own rules take their course) and the
// first disagreement is kept for the caller to report.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "host/cad.h"

namespace nimbo::standalone {

struct ButtonAnswer {
  std::string button;  // "Yes" or "No"
};
struct InputAnswer {
  std::optional<std::string> text;  // nothing: Cancel
};
struct PointAnswer {
  std::optional<host::Point3> point;  // nothing: Escape
};
struct SelectAnswer {
  std::vector<std::string> ids;  // entity ids; empty ends the selection empty
};
using Answer = std::variant<ButtonAnswer, InputAnswer, PointAnswer, SelectAnswer>;

// The number of the error raised by an interaction that found no fitting answer.
inline constexpr int32_t kNoAnswerError = -2147418113;  // 0x8000FFFF, catastrophic failure

class ScriptedPerson {
 public:
  void Give(Answer answer) { answers_.push_back(std::move(answer)); }
  void Give(std::vector<Answer> answers);

  // Each takes the next answer, which must be of its kind; otherwise records the
  // disagreement (naming `interaction`) and raises kNoAnswerError.
  bool TakeYes(const std::string& interaction);  // true for "Yes"
  std::optional<std::string> TakeInput(const std::string& interaction);
  std::optional<host::Point3> TakePoint(const std::string& interaction);
  std::vector<std::string> TakeSelection(const std::string& interaction);

  // A disagreement found by the interaction itself (a selection naming an entity the
  // drawing does not have): records it as the first disagreement when none is recorded
  // yet, then raises kNoAnswerError, as a missing answer does.
  [[noreturn]] void Disagree(std::string problem);

  size_t Remaining() const { return answers_.size(); }
  void ClearAnswers() { answers_.clear(); }
  // The first disagreement since the last Reset, e.g.
  // `dialog confirm "Saving ..." found no answer left`.
  const std::optional<std::string>& Disagreement() const { return disagreement_; }
  void ResetDisagreement() { disagreement_.reset(); }

 private:
  template <class Kind>
  Kind Take(const std::string& interaction, const char* kindName);
  std::deque<Answer> answers_;
  std::optional<std::string> disagreement_;
};

}  // namespace nimbo::standalone
