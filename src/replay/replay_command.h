// `nimbodock replay SESSION.json [--transcript FILE] [--state FILE.json] [--svg FILE.svg]
// [--dxf DIR]`: reads the session, replays it, and writes the transcript (to standard output
// unless a file is named), the state, the picture and the drawings as DXF. Output files are written
// whole or not at all, and none on an invalid session or a disagreement.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace nimbo::replay {

// The exit codes of the command.
inline constexpr int kExitReplayed = 0;
inline constexpr int kExitFailed = 1;          // anything else: an unwritable output, ...
inline constexpr int kExitInvalidSession = 2;  // unreadable, not JSON, not a valid session
inline constexpr int kExitDisagreement = 3;    // the session's answers and the control differ

struct ReplayOptions {
  std::string session;
  std::optional<std::string> transcript;
  std::optional<std::string> state;
  std::optional<std::string> svg;
  // Shows "step N of M" on `err` while the replay runs (when it is a terminal).
  bool showProgress = false;
  // Plays the session through the control created by its class in the CAD application's
  // palette, as a container reaches it, with its real boxes (the Windows build only).
  bool throughControl = false;
  // The folder each open document's drawing is written into, as <name>.dxf (last, so that
  // the positional initialisers of the fields above still read as they did).
  std::optional<std::string> dxf = std::nullopt;
};

// Runs the command; messages go to `err`, the transcript to `out` when no file is named.
// On a disagreement the transcript up to the step that disagreed still goes to `out`
// (not to a file), so that the person sees where it happened.
int RunReplay(const ReplayOptions& options, std::ostream& out, std::ostream& err);

}  // namespace nimbo::replay
