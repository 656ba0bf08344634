// libFuzzer target: the session reader, and the replay of every session it accepts, with
// its state and picture, all in memory. A session the reader refuses, or whose documents
// the embedded host cannot build, ends the input normally; anything else that escapes
// (an exception, a crash, a sanitizer's report) is a finding.
#include <cstddef>
#include <cstdint>
#include <string>

#include "replay/output/replay_picture.h"
#include "replay/output/replay_state.h"
#include "replay/replayer.h"
#include "replay/session/session_reader.h"
#include "replay/session/strict_json.h"
#include "standalone/cad/memory_drawing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  nimbo::replay::Session session;
  try {
    session = nimbo::replay::ReadSession(text);
  } catch (const nimbo::replay::InvalidSession&) {
    return 0;
  }
  // Without a fixed clock the replay would read the real one: inputs must replay alike.
  if (!session.now) session.now = nimbo::automation::DateTime{2026, 12, 7, 10, 15, 30};
  try {
    nimbo::replay::ReplayWorld world(session);
    nimbo::replay::RunSteps(world, session);
    const std::string state = nimbo::replay::StateOf(world).dump(2);
    const std::string picture = nimbo::replay::PictureOf(world);
    if (state.empty() || picture.empty()) __builtin_trap();
  } catch (const nimbo::standalone::SetupError&) {
    return 0;
  }
  return 0;
}
