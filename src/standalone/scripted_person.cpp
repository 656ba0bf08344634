#include "standalone/scripted_person.h"

#include "automation/error.h"

namespace nimbo::standalone {

void ScriptedPerson::Give(std::vector<Answer> answers) {
  for (Answer& a : answers) answers_.push_back(std::move(a));
}

template <class Kind>
Kind ScriptedPerson::Take(const std::string& interaction, const char* kindName) {
  std::string problem;
  if (answers_.empty()) {
    problem = interaction + " found no answer left";
  } else if (!std::holds_alternative<Kind>(answers_.front())) {
    problem = interaction + " wants " + kindName + " answer, but the next answer is another kind";
  } else {
    Kind answer = std::get<Kind>(std::move(answers_.front()));
    answers_.pop_front();
    return answer;
  }
  Disagree(std::move(problem));
}

void ScriptedPerson::Disagree(std::string problem) {
  if (!disagreement_) disagreement_ = problem;
  throw automation::AutomationError(kNoAnswerError, "No answer: " + problem, "ScriptedPerson");
}

bool ScriptedPerson::TakeYes(const std::string& interaction) {
  return Take<ButtonAnswer>(interaction, "a button").button == "Yes";
}

std::optional<std::string> ScriptedPerson::TakeInput(const std::string& interaction) {
  return Take<InputAnswer>(interaction, "an input").text;
}

std::optional<host::Point3> ScriptedPerson::TakePoint(const std::string& interaction) {
  return Take<PointAnswer>(interaction, "a point").point;
}

std::vector<std::string> ScriptedPerson::TakeSelection(const std::string& interaction) {
  return Take<SelectAnswer>(interaction, "a select").ids;
}

}  // namespace nimbo::standalone
