// nimbodock: runs the VeskNimboDock17 dock control outside its CAD application, on the
// embedded CAD host and the simulated viewer, and shows what it did.
#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include <CLI/CLI.hpp>

#include "replay/replay_command.h"
#include "replay/sweep/fault_sweep_command.h"
#include "standalone/fault_plan.h"

namespace {

#if defined(_WIN32)
// The transcript is the same bytes as on the other platforms: no CR before each LF.
// The arguments are taken as Windows has them, in UTF-16, and passed on in UTF-8, the
// encoding of every path inside (the ANSI code page cannot spell every file name).
std::vector<std::string> PrepareConsole(int /*argc*/, char** /*argv*/) {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 0; i < count; ++i) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), size, nullptr, nullptr);
    args.push_back(std::move(arg));
  }
  LocalFree(wide);
  return args;
}
bool StandardErrorIsTerminal() {
  return _isatty(_fileno(stderr)) != 0;
}
#else
std::vector<std::string> PrepareConsole(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}
bool StandardErrorIsTerminal() {
  return isatty(STDERR_FILENO) != 0;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args = PrepareConsole(argc, argv);
  CLI::App app{
      "nimbodock: runs the VeskNimboDock17 dock control on the embedded CAD host and the "
      "simulated imagery viewer.\nSee docs/replay.md for the session format."};
  app.require_subcommand(1);
  // The same options on every platform: on Windows CLI11 would otherwise take "/x" for an
  // option, and a path such as Wine's /tmp/session.json could not be given.
  app.allow_windows_style_options(false);

  nimbo::replay::ReplayOptions options;
  CLI::App* replay =
      app.add_subcommand("replay", "Replays a session file step by step and writes what happened.");
  replay->footer(
      "Exit codes:\n"
      "  0  the replay ran to its end (messages the control showed are behaviour)\n"
      "  1  any other failure, e.g. an output file that cannot be written\n"
      "  2  the session file is invalid; the message names the file and the place\n"
      "  3  the session and the control disagree: an interaction found no answer left, or a\n"
      "     step ended with answers unused; the message names the step and the interaction\n"
      "On 2 or 3 no output file is written; output files are written whole or not at all.\n\n"
      "Example:\n"
      "  nimbodock replay examples/overlays.json --transcript out/overlays.txt \\\n"
      "      --state out/overlays.json --svg out/overlays.svg --dxf out/overlays");
  replay->add_option("SESSION", options.session, "the session file (JSON; see docs/replay.md)")
      ->required();
  replay
      ->add_option("--transcript", options.transcript,
                   "write the transcript to FILE instead of standard output")
      ->type_name("FILE");
  replay->add_option("--state", options.state, "write the final state as JSON to FILE")
      ->type_name("FILE.json");
  replay
      ->add_option("--svg", options.svg,
                   "draw the final drawing and the viewer's overlays as SVG to FILE")
      ->type_name("FILE.svg");
  replay
      ->add_option("--dxf", options.dxf,
                   "write each open document's final drawing as DXF into DIR, as <name>.dxf "
                   "(Site.dwg -> DIR/Site.dxf; DIR is made when missing)")
      ->type_name("DIR");
  replay->add_flag("--through-control", options.throughControl,
                   "play the session through the control created by its class in the CAD "
                   "application's palette, answering its real boxes (the Windows build, with "
                   "a display)");

  CLI::App* targets =
      app.add_subcommand("targets", "Lists the operations that a `fail` step can make fail.");

  std::vector<std::string> sweepScenarios;
  nimbo::replay::SweepOptions sweepOptions;
  CLI::App* sweep = app.add_subcommand(
      "sweep", "Fails every outside call of each scenario in turn and checks the error rules.");
  sweep->footer(
      "Each scenario (tests/reliability/scenarios/) names a session and a probe. The sweep\n"
      "replays it once to count its outside calls, then once per call with that call\n"
      "failing, and checks that nothing crashed, that the failure reached the person as the\n"
      "control's error rules say, that no temporary selection set was left, and that the\n"
      "probe still works. Exit 0 when every rule held, 1 when one broke, 2 for an invalid\n"
      "scenario file.");
  sweep->add_option("SCENARIO", sweepScenarios, "scenario files (JSON)")->required();
  sweep->add_flag("!--in-process", sweepOptions.isolate,
                  "run every replay in this process (for a debugger; a crash ends the sweep)");
  sweep->add_flag("--every", sweepOptions.everyBreak,
                  "list every broken rule, not only each scenario's first");
  sweepOptions.jobs = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  sweep->add_option("--jobs", sweepOptions.jobs, "runs side by side (default: the machine's cores)")
      ->check(CLI::PositiveNumber);

  try {
    std::vector<const char*> pointers;
    for (const std::string& arg : args) pointers.push_back(arg.c_str());
    app.parse(static_cast<int>(pointers.size()), pointers.data());
  } catch (const CLI::ParseError& error) {
    // --help is a "parse error" with exit code 0; a usage error is "anything else" (1).
    const int code = app.exit(error);
    return code == 0 ? 0 : nimbo::replay::kExitFailed;
  }

  if (targets->parsed()) {
    for (const std::string& target : nimbo::standalone::FaultTargets()) std::cout << target << "\n";
    return 0;
  }
  if (sweep->parsed()) {
    return nimbo::replay::RunFaultSweep(sweepScenarios, sweepOptions, std::cout, std::cerr);
  }
  options.showProgress = StandardErrorIsTerminal();
  return nimbo::replay::RunReplay(options, std::cout, std::cerr);
}
