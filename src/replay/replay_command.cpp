#include "replay/replay_command.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>

#include "replay/dxf_documents.h"
#include "replay/dxf_outputs.h"
#include "replay/output/output_files.h"
#include "replay/output/readable_json.h"
#include "replay/output/replay_picture.h"
#include "replay/output/replay_state.h"
#include "replay/output/spool_file.h"
#include "replay/output/staged_file.h"
#include "replay/replayer.h"
#include "replay/session/session_reader.h"
#include "replay/whole_file.h"

namespace nimbo::replay {

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
    LoadDxfDrawings(session, options.session, err);
  } catch (const dxf::DxfError& damaged) {
    err << damaged.what() << "\n";
    return kExitInvalidSession;
  }

  try {
    OutputFiles files;
    std::optional<SpoolFile> spool;
    ReplayWorld world(session, options.throughControl ? ControlHome::Palette : ControlHome::Direct);
    // The transcript goes out as it is written, so that a replay's memory does not grow
    // with it: into the staged file, or, for standard output, a spool shown at the end.
    if (options.transcript) {
      StagedFile& file = files.Open(*options.transcript);
      world.journal.SetSink([&file](const std::string& line) { file.AppendLine(line); });
    } else {
      SpoolFile& opened = spool.emplace();
      world.journal.SetSink([&opened](const std::string& line) { opened.AppendLine(line); });
    }
    Progress progress;
    if (options.showProgress) {
      progress = [&err](size_t done, size_t total) {
        err << "\rreplaying: step " << done << " of " << total << (done == total ? "\n" : "")
            << std::flush;
      };
    }
    if (auto disagreement = RunSteps(world, session, progress)) {
      if (options.showProgress) err << "\n";
      if (spool) spool->CopyTo(out);
      err << options.session << ": " << disagreement->message << "\n";
      return kExitDisagreement;  // the staged transcript goes with `files`
    }

    if (options.state) files.Stage(*options.state, ReadableJson(StateOf(world)));
    if (options.svg) files.Stage(*options.svg, PictureOf(world));
    if (options.dxf) {
      // Every name is checked before the folder is made.
      const std::vector<DxfOutput> drawings = DxfOutputs(world, session, *options.dxf);
      MakeDxfFolder(*options.dxf);
      for (const DxfOutput& drawing : drawings) files.Stage(drawing.path, drawing.content);
    }
    files.Commit();
    if (spool) {
      spool->CopyTo(out);
      out << std::flush;
    }
    return kExitReplayed;
  } catch (const std::exception& failure) {
    err << options.session << ": " << failure.what() << "\n";
    return kExitFailed;
  }
}

}  // namespace nimbo::replay
