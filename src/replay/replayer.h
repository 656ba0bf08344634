// Runs a session's steps, one after the other, on a world built from it. Before each
// step the person is given that step's answers; after it, an interaction that found no
// fitting answer, or answers left unused, end the replay there: the session and the
// control disagree.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "replay/replay_world.h"
#include "replay/session/session.h"

namespace nimbo::replay {

struct Disagreement {
  size_t step = 0;  // from 1
  // "step 4 (event HeightMeasured): dialog confirm "..." found no answer left".
  std::string message;
};

// Called after each step with the steps done so far and their number in all.
using Progress = std::function<void(size_t done, size_t total)>;

// The transcript: the journal's lines, each ended by a newline.
std::string TranscriptText(const standalone::Journal& journal);

// The first disagreement, or nothing when the replay ran to its end. The transcript is
// the world's journal: each step's line, then what happened in it. After each step the
// journal forwards its lines to its sink, when it has one.
std::optional<Disagreement> RunSteps(ReplayWorld& world, const Session& session,
                                     const Progress& progress = {});

}  // namespace nimbo::replay
