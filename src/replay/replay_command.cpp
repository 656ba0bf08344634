#include "replay/replay_command.h"

#include <fstream>
#include <ostream>
#include <sstream>

#include "replay/output/output_files.h"
#include "replay/output/readable_json.h"
#include "replay/output/replay_picture.h"
#include "replay/output/replay_state.h"
#include "replay/replayer.h"
#include "replay/session/session_reader.h"

namespace nimbo::replay {

namespace {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return text.str();
}

}  // namespace

int RunReplay(const ReplayOptions& options, std::ostream& out, std::ostream& err) {
  const std::optional<std::string> text = ReadWholeFile(options.session);
  if (!text) {
    err << options.session << ": cannot read the session file\n";
    return kExitInvalidSession;
  }
  Session session;
  try {
    session = ReadSession(*text);
  } catch (const InvalidSession& invalid) {
    err << invalid.Describe(options.session) << "\n";
    return kExitInvalidSession;
  }

  try {
    ReplayWorld world(session);
    Progress progress;
    if (options.showProgress) {
      progress = [&err](size_t done, size_t total) {
        err << "\rreplaying: step " << done << " of " << total << (done == total ? "\n" : "")
            << std::flush;
      };
    }
    if (auto disagreement = RunSteps(world, session, progress)) {
      if (options.showProgress) err << "\n";
      if (!options.transcript) out << TranscriptText(world.journal);
      err << options.session << ": " << disagreement->message << "\n";
      return kExitDisagreement;
    }

    OutputFiles files;
    const std::string transcript = TranscriptText(world.journal);
    if (options.transcript) files.Stage(*options.transcript, transcript);
    if (options.state) files.Stage(*options.state, ReadableJson(StateOf(world)));
    if (options.svg) files.Stage(*options.svg, PictureOf(world));
    files.Commit();
    if (!options.transcript) out << transcript << std::flush;
    return kExitReplayed;
  } catch (const std::exception& failure) {
    err << options.session << ": " << failure.what() << "\n";
    return kExitFailed;
  }
}

}  // namespace nimbo::replay
