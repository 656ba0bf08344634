// A scenario of the fault sweep: a replay session, the probe that follows it, and what
// the probe must show. Its file is one JSON object:
//
//   {"about": "what the scenario covers",
//    "session": "../../../examples/viewer-pans.json"   (a session file, relative to this
//                                                       file's folder, or the session itself)
//    "probe": [steps],                                  (steps of the session format)
//    "expect": ["text", ...]}                           (in the probe's transcript, in order)
//
// The sweep fails each outside call of the session's steps in turn; the probe's steps
// run after them without a planned failure and show whether the control still works.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "replay/session/session.h"

namespace nimbo::replay {

struct SweepScenario {
  std::string name;  // the file's name without its folder and ".json"
  Session session;   // the scenario's steps, then the probe's
  size_t scenarioSteps = 0;
  std::vector<std::string> expect;
};

// Reads a scenario file strictly; an InvalidSession names the place (its Describe takes
// the scenario's path).
SweepScenario ReadSweepScenario(const std::string& path);

}  // namespace nimbo::replay
