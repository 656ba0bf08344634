#include "replay/sweep/fault_sweep_command.h"

#include <ostream>

#include "replay/replay_command.h"
#include "replay/session/strict_json.h"
#include "replay/sweep/fault_sweep_scenario.h"

namespace nimbo::replay {

int RunFaultSweep(const std::vector<std::string>& scenarioFiles, const SweepOptions& options,
                  std::ostream& out, std::ostream& err) {
  std::vector<SweepScenario> scenarios;
  for (const std::string& file : scenarioFiles) {
    try {
      scenarios.push_back(ReadSweepScenario(file));
    } catch (const InvalidSession& invalid) {
      err << invalid.Describe(file) << "\n";
      return kExitInvalidSession;
    }
  }
  int64_t calls = 0;
  int64_t broken = 0;
  size_t failedScenarios = 0;
  for (const SweepScenario& scenario : scenarios) {
    const SweepOutcome outcome = SweepScenarioCalls(scenario, options);
    calls += outcome.calls;
    broken += outcome.broken;
    out << scenario.name << ": " << outcome.calls << " calls tried, ";
    if (outcome.breaks.empty()) {
      out << "all held\n";
    } else if (outcome.broken == 0) {
      ++failedScenarios;
      out << "not swept: " << outcome.breaks.front() << "\n";
    } else {
      ++failedScenarios;
      out << outcome.broken << " broke a rule; the first: " << outcome.breaks.front() << "\n";
      if (options.everyBreak) {
        for (size_t i = 1; i < outcome.breaks.size(); ++i) out << "  " << outcome.breaks[i] << "\n";
      }
    }
    out << std::flush;
  }
  out << "total: " << scenarios.size() << " scenarios, " << calls << " calls tried, ";
  if (failedScenarios == 0) {
    out << "all held\n";
    return kExitReplayed;
  }
  out << broken << " broke a rule; " << failedScenarios << " of " << scenarios.size()
      << " scenarios did not hold\n";
  return kExitFailed;
}

}  // namespace nimbo::replay
