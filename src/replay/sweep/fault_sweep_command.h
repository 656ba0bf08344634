// `nimbodock sweep SCENARIO.json...`: the fault sweep over each scenario, one line each,
//   <scenario>: <n> calls tried, all held
//   <scenario>: <n> calls tried, <b> broke a rule; the first: call <k> (<target>) in ...
// then the total. Exit 0 when every rule held, 1 when one broke, 2 for a scenario file
// that cannot be read.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "replay/sweep/fault_sweep.h"

namespace nimbo::replay {

int RunFaultSweep(const std::vector<std::string>& scenarioFiles, const SweepOptions& options,
                  std::ostream& out, std::ostream& err);

}  // namespace nimbo::replay
