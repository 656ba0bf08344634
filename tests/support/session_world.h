// The control in a replay world (the embedded default with the control on it, as the
// replay builds it), for the hostile-input tests: the world is built from a session's JSON
// text and its steps are run; a test then goes on with steps of its own,
// viewer events with any values (NaN and infinities included, which JSON cannot carry),
// and drawings grown in C++ to sizes no session file would hold.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "automation/variant.h"
#include "replay/replay_world.h"
#include "replay/replayer.h"
#include "replay/session/session_reader.h"
#include "replay/step_runner.h"
#include "standalone/cad/memory_drawing.h"

namespace nimbo::testing {

using automation::Variant;

class World {
 public:
  // `session`: a session in JSON; its steps run at once.
  explicit World(const nlohmann::json& session)
      : session_(session), world_(std::make_unique<replay::ReplayWorld>(Read(session))) {
    Steps(session.value("steps", nlohmann::json::array()));
  }

  replay::ReplayWorld& operator*() { return *world_; }
  replay::ReplayWorld* operator->() { return world_.get(); }

  // Runs steps given in the session format; answers them what the person has left.
  // Answers the transcript lines they wrote.
  std::vector<std::string> Steps(const nlohmann::json& steps) {
    nlohmann::json session = session_;
    session["steps"] = steps;
    const size_t mark = world_->journal.Mark();
    for (const replay::Step& step : Read(session).steps) {
      world_->person.Give(step.user);
      replay::PerformStep(*world_, step.action);
    }
    return world_->journal.Since(mark);
  }
  std::vector<std::string> Step(const nlohmann::json& step) {
    return Steps(nlohmann::json::array({step}));
  }

  // The viewer raises an event with these arguments, in the contract's order.
  std::vector<std::string> Raise(const std::string& event, const std::vector<Variant>& args) {
    const size_t mark = world_->journal.Mark();
    world_->viewer.RaiseEvent(event, args);
    return world_->journal.Since(mark);
  }

  standalone::Drawing& Drawing(const std::string& name) {
    standalone::Drawing* drawing = world_->application->FindDrawing(name);
    if (drawing == nullptr) throw std::invalid_argument("no open drawing " + name);
    return *drawing;
  }

 private:
  static replay::Session Read(const nlohmann::json& session) {
    return replay::ReadSession(session.dump());
  }

  nlohmann::json session_;
  std::unique_ptr<replay::ReplayWorld> world_;
};

// The error messages among transcript lines (handler messages, Show's message, failures
// back to a caller).
inline std::vector<std::string> Errors(const std::vector<std::string>& lines) {
  std::vector<std::string> errors;
  for (const std::string& line : lines) {
    if (line.rfind("dialog message \"Exception: ", 0) == 0 ||
        line.rfind("dialog message \"UserControl_Show error", 0) == 0 ||
        (line.rfind("caller ", 0) == 0 && line.find(" -> error ") != std::string::npos)) {
      errors.push_back(line);
    }
  }
  return errors;
}

inline bool Contains(const std::vector<std::string>& lines, const std::string& text) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

// Live model-space entities of the drawing on a layer (exact name).
inline std::vector<standalone::EntityData> OnLayer(const standalone::Drawing& drawing,
                                                   const std::string& layer) {
  std::vector<standalone::EntityData> found;
  for (const standalone::EntityData& entity : drawing.Entities(standalone::Space::Model())) {
    if (entity.layer == layer) found.push_back(entity);
  }
  return found;
}

// The start of a session: one drawing, the control shown, docked and told of the drawing.
inline nlohmann::json Session(nlohmann::json document,
                              nlohmann::json viewer = nlohmann::json::object()) {
  return {{"now", "2026-12-07T10:15:30"},
          {"documents", nlohmann::json::array({std::move(document)})},
          {"viewer", std::move(viewer)},
          {"steps",
           {{{"do", "show"}}, {{"do", "dock"}}, {{"do", "activate"}, {"document", "Site.dwg"}}}}};
}

}  // namespace nimbo::testing
