#include "replay/replayer.h"

#include "replay/step_line.h"
#include "replay/step_runner.h"
#include "standalone/journal.h"

namespace nimbo::replay {

namespace {

// An answer as the session file writes it, for the message about unused answers.
struct AnswerText {
  std::string operator()(const standalone::ButtonAnswer& a) const {
    return "{\"button\": " + standalone::TranscriptString(a.button) + "}";
  }
  std::string operator()(const standalone::InputAnswer& a) const {
    return "{\"input\": " + (a.text ? standalone::TranscriptString(*a.text) : "null") + "}";
  }
  std::string operator()(const standalone::PointAnswer& a) const {
    if (!a.point) return "{\"point\": null}";
    return "{\"point\": [" + standalone::TranscriptNumber(a.point->x) + ", " +
           standalone::TranscriptNumber(a.point->y) + ", " +
           standalone::TranscriptNumber(a.point->z) + "]}";
  }
  std::string operator()(const standalone::SelectAnswer& a) const {
    std::string ids;
    for (const std::string& id : a.ids)
      ids += (ids.empty() ? "" : ", ") + standalone::TranscriptString(id);
    return "{\"select\": [" + ids + "]}";
  }
};

std::string StepName(size_t number, const Step& step) {
  std::string name = "step " + std::to_string(number) + " (" + StepKind(step.action);
  if (const auto* event = std::get_if<EventStep>(&step.action)) name += " " + event->event;
  return name + ")";
}

}  // namespace

std::string TranscriptText(const standalone::Journal& journal) {
  return journal.Text();
}

std::optional<Disagreement> RunSteps(ReplayWorld& world, const Session& session,
                                     const Progress& progress) {
  for (size_t i = 0; i < session.steps.size(); ++i) {
    const Step& step = session.steps[i];
    const size_t number = i + 1;
    world.person.ClearAnswers();
    world.person.ResetDisagreement();
    world.person.Give(step.user);
    world.journal.Write(StepLine(number, step.action));

    PerformStep(world, step.action);
    // Between steps, where a failing sink ends the replay rather than a call into the
    // control; a journal without a sink keeps everything.
    world.journal.Forward();

    if (const auto& problem = world.person.Disagreement()) {
      return Disagreement{number, StepName(number, step) + ": " + *problem};
    }
    if (const size_t left = world.person.Remaining(); left > 0) {
      const auto& first = step.user[step.user.size() - left];
      return Disagreement{number, StepName(number, step) + ": " + std::to_string(left) +
                                      (left == 1 ? " answer" : " answers") +
                                      " left unused, the first " + std::visit(AnswerText{}, first)};
    }
    if (progress) progress(number, session.steps.size());
  }
  return std::nullopt;
}

}  // namespace nimbo::replay
