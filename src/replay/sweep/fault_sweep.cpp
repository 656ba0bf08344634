#include "replay/sweep/fault_sweep.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "automation/convert.h"
#include "replay/replay_world.h"
#include "replay/step_line.h"
#include "replay/step_runner.h"
#include "replay/sweep/fault_sweep_isolation.h"
#include "replay/sweep/fault_sweep_reports.h"
#include "replay/sweep/fault_sweep_rules.h"
#include "standalone/journal.h"

namespace nimbo::replay {

using standalone::TranscriptString;
using sweep::Expectation;

std::string SweepErrorDescription(int64_t call) {
  return "Sweep failure of call " + std::to_string(call);
}

namespace {

// What one step showed.
struct StepRecord {
  std::vector<std::string> lines;  // the journal lines it wrote
  std::optional<std::string> disagreement;
};

// Runs one step as the replay does. Answers that a failure left unused end with their
// step, as the person moves on.
StepRecord RunStep(ReplayWorld& world, const Step& step, size_t number) {
  world.person.ClearAnswers();
  world.person.ResetDisagreement();
  world.person.Give(step.user);
  const size_t mark = world.journal.Mark();
  PerformStep(world, step.action);
  StepRecord record;
  record.lines = world.journal.Since(mark);
  if (const auto& problem = world.person.Disagreement()) {
    record.disagreement = "step " + std::to_string(number) + ": " + *problem;
  }
  return record;
}

// The temporary selection sets ("Vesk...") in the open drawings, as "<name> in <drawing>".
std::vector<std::string> LeftSets(ReplayWorld& world) {
  std::vector<std::string> left;
  for (standalone::Drawing* drawing : world.application->OpenDrawings()) {
    for (const std::string& name : drawing->SelectionSetNames()) {
      if (automation::UCase(name.substr(0, 4)) == "VESK") {
        left.push_back(TranscriptString(name) + " in " + drawing->Name());
      }
    }
  }
  return left;
}

// The run without failures, every call's target recorded.
struct Baseline {
  std::vector<StepRecord> steps;
  std::vector<int64_t> callsBefore;  // per scenario step, and once more after the last
  std::vector<std::string> targets;
  std::vector<std::string> leftSets;
};

Baseline RunWithoutFailure(const SweepScenario& scenario) {
  Baseline baseline;
  ReplayWorld world(scenario.session);
  world.faults.RecordTargets(true);
  const std::vector<Step>& steps = scenario.session.steps;
  for (size_t i = 0; i < steps.size(); ++i) {
    if (i <= scenario.scenarioSteps) baseline.callsBefore.push_back(world.faults.CallCount());
    if (i == scenario.scenarioSteps) world.faults.Clear();  // the probe runs without failures
    baseline.steps.push_back(RunStep(world, steps[i], i + 1));
  }
  if (scenario.scenarioSteps == steps.size()) {
    baseline.callsBefore.push_back(world.faults.CallCount());
  }
  baseline.targets = world.faults.Targets();
  baseline.leftSets = LeftSets(world);
  return baseline;
}

// A run whose call `call` fails, from the start of the step that makes it to the end of
// the probe.
struct FailingRun {
  StepRecord failingStep;
  std::vector<StepRecord> later;  // the scenario's steps after the failing one that run
  std::vector<StepRecord> probe;
  std::vector<std::string> leftSets;
};

// The steps that set the stage (the control shown, docked, told of a drawing, the
// viewer's state, a drawing closed, planned failures), as opposed to the events and calls
// the control handles. After the failing step only these run before the probe: the probe
// is the next event the control handles, and it finds the stage the scenario set.
bool SetsTheStage(const StepAction& action) {
  return !std::holds_alternative<EventStep>(action) &&
         !std::holds_alternative<CommandStep>(action) &&
         !std::holds_alternative<ClickStep>(action) && !std::holds_alternative<CallStep>(action);
}

FailingRun FinishWithFailure(ReplayWorld& world, const SweepScenario& scenario, size_t step,
                             int64_t call) {
  const std::vector<Step>& steps = scenario.session.steps;
  world.faults.FailCall(call, kSweepErrorNumber, SweepErrorDescription(call));
  FailingRun run;
  run.failingStep = RunStep(world, steps[step], step + 1);
  for (size_t i = step + 1; i < scenario.scenarioSteps; ++i) {
    if (SetsTheStage(steps[i].action)) run.later.push_back(RunStep(world, steps[i], i + 1));
  }
  world.faults.Clear();  // the probe runs without failures
  // A failed Show leaves the control unshown (its viewer events unbound), as the rules
  // say: the person shows the palette again before the probe.
  if (std::holds_alternative<ShowStep>(steps[step].action)) PerformStep(world, ShowStep{});
  for (size_t i = scenario.scenarioSteps; i < steps.size(); ++i) {
    run.probe.push_back(RunStep(world, steps[i], i + 1));
  }
  run.leftSets = LeftSets(world);
  return run;
}

class ScenarioSweep {
 public:
  explicit ScenarioSweep(const SweepScenario& scenario)
      : scenario_(scenario), baseline_(RunWithoutFailure(scenario)) {
    for (size_t s = 0; s < scenario.scenarioSteps; ++s) {
      const auto from = baseline_.targets.begin() + baseline_.callsBefore[s];
      const auto to = baseline_.targets.begin() + baseline_.callsBefore[s + 1];
      deliveries_.push_back(sweep::ExpectedDeliveries(
          scenario.session.steps[s].action, std::vector<std::string>(from, to),
          sweep::HasReportBox(baseline_.steps[s].lines)));
    }
  }

  int64_t Calls() const { return baseline_.callsBefore.back(); }

  // The run without failures must keep the scenario's own promises.
  std::string CheckBaseline() const {
    for (const StepRecord& step : baseline_.steps) {
      if (step.disagreement) return "the run without failures disagrees: " + *step.disagreement;
    }
    const std::vector<StepRecord> probe(baseline_.steps.begin() + scenario_.scenarioSteps,
                                        baseline_.steps.end());
    if (std::string problem = CheckEnd(probe, baseline_.leftSets); !problem.empty()) {
      return "the run without failures: " + problem;
    }
    return "";
  }

  // Fails each call of each step in turn. Isolated, each run starts from a copy of the
  // process made at the start of its step (the steps before it are the same in every
  // run); in this process, each run replays the steps before its own.
  void Sweep(const SweepOptions& options, SweepOutcome& outcome) const {
    const auto record = [&](int64_t k, const std::string& verdict) {
      if (verdict.empty()) return;
      ++outcome.broken;
      outcome.breaks.push_back(CallName(k) + ": " + verdict);
    };
    if (!options.isolate) {
      for (size_t s = 0; s < scenario_.scenarioSteps; ++s) {
        for (int64_t k = baseline_.callsBefore[s] + 1; k <= baseline_.callsBefore[s + 1]; ++k) {
          record(k, RunInProcess([&] { return Judge(k, ReplayWithFailure(s, k)); }));
        }
      }
      return;
    }
    auto world = std::make_unique<ReplayWorld>(scenario_.session);
    IsolatedRuns runs(options.jobs);
    for (size_t s = 0; s < scenario_.scenarioSteps; ++s) {
      if (world->faults.CallCount() != baseline_.callsBefore[s]) {
        runs.Finish();
        outcome.breaks.push_back("the replay is not deterministic: step " + std::to_string(s + 1) +
                                 " starts after another number of calls than before");
        ++outcome.broken;
        return;
      }
      for (int64_t k = baseline_.callsBefore[s] + 1; k <= baseline_.callsBefore[s + 1]; ++k) {
        const auto inCopy = [&] {
          std::string result = Judge(k, FinishWithFailure(*world, scenario_, s, k));
          // The world goes here, in the copy, so that its teardown after this failure is
          // checked too, and a reference cycle made on the failure's path is seen.
          const std::weak_ptr<standalone::MemoryApplication> application = world->application;
          const std::weak_ptr<standalone::SimulatedDockContainer> container = world->container;
          world.reset();
          if (result.empty() && (!application.expired() || !container.expired())) {
            result = "the CAD application or the dock container outlived the run's world";
          }
          return result;
        };
        runs.Start(
            inCopy, [&] { return Judge(k, ReplayWithFailure(s, k)); },
            [&, k](const std::string& verdict) { record(k, verdict); });
      }
      RunStep(*world, scenario_.session.steps[s], s + 1);
    }
    runs.Finish();
  }

 private:
  FailingRun ReplayWithFailure(size_t step, int64_t call) const {
    ReplayWorld world(scenario_.session);
    for (size_t i = 0; i < step; ++i) RunStep(world, scenario_.session.steps[i], i + 1);
    return FinishWithFailure(world, scenario_, step, call);
  }

  size_t StepOf(int64_t k) const {
    size_t step = 0;
    for (size_t s = 0; s < scenario_.scenarioSteps; ++s) {
      if (baseline_.callsBefore[s] < k) step = s;
    }
    return step;
  }

  // "call 57 (viewer.TotalULx) in step 5 event ExtentChanged".
  std::string CallName(int64_t k) const {
    const size_t step = StepOf(k);
    return "call " + std::to_string(k) + " (" + baseline_.targets[static_cast<size_t>(k - 1)] +
           ") in " + StepLine(step + 1, scenario_.session.steps[step].action);
  }

  // Every rule after the run in which call k failed; empty when all held.
  std::string Judge(int64_t k, const FailingRun& run) const {
    const size_t step = StepOf(k);
    const std::optional<Expectation>& expectation =
        deliveries_[step][static_cast<size_t>(k - baseline_.callsBefore[step] - 1)];
    if (!expectation) {
      return "the call does not fit the calls the error rules know for this entry point";
    }
    const std::vector<std::string> expected =
        sweep::ExpectedReports(*expectation, kSweepErrorNumber, SweepErrorDescription(k),
                               sweep::Reports(baseline_.steps[step].lines));
    const std::vector<std::string> actual = sweep::Reports(run.failingStep.lines);
    if (actual != expected) {
      return "expected " + sweep::Listed(expected) + ", got " + sweep::Listed(actual);
    }
    const std::string description = SweepErrorDescription(k);
    std::vector<const StepRecord*> after = {&run.failingStep};
    for (const StepRecord& later : run.later) after.push_back(&later);
    for (const StepRecord* later : after) {
      if (later->disagreement) {
        return "the person was asked for more than the scenario answers: " + *later->disagreement;
      }
      if (later == &run.failingStep) continue;
      for (const std::string& report : sweep::Reports(later->lines)) {
        if (report.find(description) != std::string::npos) return "reported again: " + report;
      }
    }
    return CheckEnd(run.probe, run.leftSets);
  }

  // The end of a run: no set of ours left, and the probe handled as it must be.
  std::string CheckEnd(const std::vector<StepRecord>& probe,
                       const std::vector<std::string>& left) const {
    if (!left.empty()) {
      return "a temporary selection set was left: " + left.front();
    }
    std::vector<std::string> lines;
    for (const StepRecord& step : probe) {
      if (step.disagreement) {
        return "the person was asked for more than the probe answers: " + *step.disagreement;
      }
      const std::vector<std::string> reports = sweep::Reports(step.lines);
      if (!reports.empty()) return "the probe was not handled normally: " + reports.front();
      lines.insert(lines.end(), step.lines.begin(), step.lines.end());
    }
    auto from = lines.begin();
    for (const std::string& wanted : scenario_.expect) {
      from = std::find_if(from, lines.end(), [&](const std::string& line) {
        return line.find(wanted) != std::string::npos;
      });
      if (from == lines.end()) return "the probe did not show " + wanted;
      ++from;
    }
    return "";
  }

  const SweepScenario& scenario_;
  Baseline baseline_;
  std::vector<std::vector<std::optional<Expectation>>> deliveries_;  // per step, per call
};

}  // namespace

SweepOutcome SweepScenarioCalls(const SweepScenario& scenario, const SweepOptions& options) {
  SweepOutcome outcome;
  // The run without failures, isolated too: a crash there is the scenario's first news.
  std::string setup;
  const auto check = [&] { return ScenarioSweep(scenario).CheckBaseline(); };
  if (options.isolate) {
    IsolatedRuns(1).Start(check, check, [&](const std::string& verdict) { setup = verdict; });
  } else {
    setup = RunInProcess(check);
  }
  if (!setup.empty()) {
    outcome.breaks.push_back(setup);
    return outcome;
  }
  const ScenarioSweep sweep(scenario);
  outcome.calls = sweep.Calls();
  sweep.Sweep(options, outcome);
  return outcome;
}

}  // namespace nimbo::replay
