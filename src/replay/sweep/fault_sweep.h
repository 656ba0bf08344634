// The fault sweep: replays a scenario once to count its outside calls (CAD host, Map,
// viewer, dialogs, container), then once for every call k with the k-th call failing,
// and checks after each run that
//   - the run ended normally (no crash, no sanitizer report, no leak),
//   - the failure reached the person exactly as the error rules say (fault_sweep_rules.h),
//     and only once,
//   - no temporary selection set ("Vesk...") is left in any open drawing,
//   - the person was asked nothing the scenario does not answer,
//   - the probe that ends the scenario is handled normally and shows what it must.
// After the failing step, the scenario's later steps that set the stage (show, dock,
// activate, close, terminate, viewer state) run before the probe; its later events and
// calls do not: the probe is the next event the control handles.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "replay/sweep/fault_sweep_scenario.h"

namespace nimbo::replay {

// The error every failed call raises: a number no component of the embedded default
// raises of its own accord, and a description that names the call.
inline constexpr int32_t kSweepErrorNumber = -2147160051;  // 0x8004F00D
std::string SweepErrorDescription(int64_t call);

// Whether the platform can run each run in a copy of the process (fork).
#if defined(__unix__)
inline constexpr bool kRunsCanBeIsolated = true;
#else
inline constexpr bool kRunsCanBeIsolated = false;
#endif

struct SweepOptions {
  // Each run in a child process, so that a crash names its call and the sweep goes on.
  // Where there is no fork, each run is made in this process from a world of its own, one
  // world at a time: a world's outside parts may be made known to the process only once.
  bool isolate = kRunsCanBeIsolated;
  // Children running at once.
  int jobs = 1;
  // Print every broken rule, not only each scenario's first.
  bool everyBreak = false;
};

struct SweepOutcome {
  int64_t calls = 0;   // the outside calls of the scenario's steps, each tried
  int64_t broken = 0;  // of them, those whose run broke a rule
  // Each broken rule, naming its call: "call 57 (viewer.TotalULx) in step 5 event
  // ExtentChanged: ...". For a scenario whose run without failures does not hold, that
  // run's problem alone, with no call tried.
  std::vector<std::string> breaks;
};

SweepOutcome SweepScenarioCalls(const SweepScenario& scenario, const SweepOptions& options);

}  // namespace nimbo::replay
