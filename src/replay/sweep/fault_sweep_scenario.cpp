#include "replay/sweep/fault_sweep_scenario.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "replay/session/session_reader.h"
#include "replay/session/strict_json.h"

namespace nimbo::replay {

namespace {

std::string ReadText(const std::filesystem::path& path, const std::string& place) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw InvalidSession(place, "cannot read the session file " + path.string());
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

SweepScenario ReadSweepScenario(const std::string& path) {
  const std::filesystem::path file(path);
  const nlohmann::json document = ParseStrictly(ReadText(file, ""));
  const JsonObject root(JsonNode(document, ""), {"about", "session", "probe", "expect"});
  if (auto about = root.Optional("about")) about->String();

  const JsonNode sessionNode = root.Required("session");
  nlohmann::json session;
  if (sessionNode.IsString()) {
    const std::filesystem::path sessionFile = file.parent_path() / sessionNode.String();
    try {
      session = ParseStrictly(ReadText(sessionFile, "session"));
    } catch (const InvalidSession& invalid) {
      throw InvalidSession("session", invalid.Describe(sessionFile.string()));
    }
  } else if (sessionNode.IsObject()) {
    session = sessionNode.Json();
  } else {
    sessionNode.FailType("a session file's name or a session");
  }
  if (!session.is_object() || !session.contains("steps") || !session["steps"].is_array()) {
    throw InvalidSession("session", "the session has no steps");
  }

  SweepScenario scenario;
  scenario.name = file.stem().string();
  scenario.scenarioSteps = session["steps"].size();
  const JsonNode probe = root.Required("probe");
  for (const JsonNode& step : probe.Array()) session["steps"].push_back(step.Json());
  for (const JsonNode& text : root.Required("expect").Array()) {
    scenario.expect.push_back(text.NonEmptyString());
  }
  // The probe's steps are read as the session's own, so the strict reader checks them too;
  // a complaint names the place in the session with the probe appended.
  try {
    scenario.session = ReadSession(session.dump());
  } catch (const InvalidSession& invalid) {
    throw InvalidSession("session", invalid.Describe("session with probe"));
  }
  return scenario;
}

}  // namespace nimbo::replay
