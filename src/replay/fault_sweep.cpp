#include "replay/fault_sweep.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <vector>

#include "automation/convert.h"
#include "replay/fault_sweep_isolation.h"
#include "replay/fault_sweep_rules.h"
#include "replay/replay_world.h"
#include "replay/step_line.h"
#include "replay/step_runner.h"
#include "shell/dock_control.h"
#include "standalone/journal.h"

namespace nimbo::replay {

using standalone::TranscriptString;
using sweep::Delivery;
using sweep::Expectation;

std::string SweepErrorDescription(int64_t call) {
  return "Sweep failure of call " + std::to_string(call);
}

namespace {

// What one replay of a scenario showed.
struct RunRecord {
  std::vector<std::vector<std::string>> lines;  // per step, the journal lines it wrote
  std::vector<int64_t> callsBefore;             // outside calls made before each step
  int64_t scenarioCalls = 0;                    // the calls of the steps before the probe
  std::vector<std::string> targets;             // every call's target, when recorded
  std::vector<std::string> leftSets;            // "<set> in <document>"
  std::optional<std::string> disagreement;      // the first, naming its step
};

// `reshow`: the failed call was Show's, which leaves the control unshown (its viewer
// events unbound), as the rules say; the person shows the palette again before the probe.
RunRecord Replay(const SweepScenario& scenario, std::optional<int64_t> failCall, bool record,
                 bool reshow = false) {
  RunRecord run;
  ReplayWorld world(scenario.session);
  world.faults.RecordTargets(record);
  if (failCall) {
    world.faults.FailCall(*failCall, kSweepErrorNumber, SweepErrorDescription(*failCall));
  }
  const std::vector<Step>& steps = scenario.session.steps;
  for (size_t i = 0; i < steps.size(); ++i) {
    if (i == scenario.scenarioSteps) {
      run.scenarioCalls = world.faults.CallCount();
      if (reshow) PerformStep(world, ShowStep{});
    }
    // Answers the failure left unused end with their step, as the person moves on.
    world.person.ClearAnswers();
    world.person.ResetDisagreement();
    world.person.Give(steps[i].user);
    const size_t mark = world.journal.Lines().size();
    run.callsBefore.push_back(world.faults.CallCount());
    PerformStep(world, steps[i].action);
    const auto& lines = world.journal.Lines();
    run.lines.emplace_back(lines.begin() + static_cast<std::ptrdiff_t>(mark), lines.end());
    if (const auto& problem = world.person.Disagreement(); problem && !run.disagreement) {
      run.disagreement = "step " + std::to_string(i + 1) + ": " + *problem;
    }
  }
  if (scenario.scenarioSteps == steps.size()) run.scenarioCalls = world.faults.CallCount();
  if (record) run.targets = world.faults.Targets();
  for (standalone::Drawing* drawing : world.application->OpenDrawings()) {
    for (const std::string& name : drawing->SelectionSetNames()) {
      if (automation::UCase(name.substr(0, 4)) == "VESK") {
        run.leftSets.push_back(TranscriptString(name) + " in " + drawing->Name());
      }
    }
  }
  return run;
}

// ---- Reports: what reached the person, or the caller, in a step ---------------------

// The JSON-quoted string at `at`, and the position after it.
std::optional<std::pair<std::string, size_t>> QuotedAt(const std::string& line, size_t at) {
  if (at >= line.size() || line[at] != '"') return std::nullopt;
  for (size_t i = at + 1; i < line.size(); ++i) {
    if (line[i] == '\\') {
      ++i;
    } else if (line[i] == '"') {
      return std::make_pair(line.substr(at, i + 1 - at), i + 1);
    }
  }
  return std::nullopt;
}

// A box that was shown (not one whose call failed) with an error report's text.
bool IsShownReportBox(const std::string& line) {
  const std::string_view prefix = "dialog message ";
  if (line.rfind(prefix, 0) != 0) return false;
  const auto text = QuotedAt(line, prefix.size());
  if (!text) return false;
  if (text->first.rfind("\"Exception: ", 0) != 0 &&
      text->first.rfind("\"UserControl_Show error ", 0) != 0) {
    return false;
  }
  const std::string_view caption = " caption ";
  if (line.compare(text->second, caption.size(), caption) != 0) return false;
  const auto captionText = QuotedAt(line, text->second + caption.size());
  return captionText && captionText->second == line.size();
}

bool IsCallerFailure(const std::string& line) {
  return line.rfind("caller ", 0) == 0 && line.find(" -> error ") != std::string::npos;
}

std::vector<std::string> Reports(const std::vector<std::string>& lines) {
  std::vector<std::string> reports;
  for (const std::string& line : lines) {
    if (IsShownReportBox(line) || IsCallerFailure(line)) reports.push_back(line);
  }
  return reports;
}

bool HasReportBox(const std::vector<std::string>& lines) {
  return std::any_of(lines.begin(), lines.end(), IsShownReportBox);
}

std::string Box(const std::string& text) {
  return "dialog message " + TranscriptString(text) + " caption " +
         TranscriptString(shell::kLibraryName);
}

// The report lines the failure of call `k` must give, by its expectation.
std::vector<std::string> ExpectedReports(const Expectation& e, int64_t k,
                                         const std::vector<std::string>& withoutFailure) {
  const std::string number = std::to_string(kSweepErrorNumber);
  const std::string description = SweepErrorDescription(k);
  switch (e.delivery) {
    case Delivery::HandlerMessage:
      return {Box("Exception: " + e.entry + " " + number + ", " + description + ", " + e.source)};
    case Delivery::ShowMessage:
      return {Box("UserControl_Show error " + description + " " + e.source)};
    case Delivery::Caller:
      return {"caller " + e.entry + " -> error " + number + " " + TranscriptString(description) +
              " source " + TranscriptString(e.source)};
    case Delivery::Silent:
      return withoutFailure;
  }
  return {};
}

std::string Listed(const std::vector<std::string>& reports) {
  if (reports.empty()) return "nothing";
  std::string text;
  for (const std::string& report : reports) text += (text.empty() ? "" : " | ") + report;
  return text;
}

// ---- The sweep ----------------------------------------------------------------------

class ScenarioSweep {
 public:
  explicit ScenarioSweep(const SweepScenario& scenario)
      : scenario_(scenario), baseline_(Replay(scenario, std::nullopt, true)) {
    const auto& steps = scenario.session.steps;
    for (size_t s = 0; s < scenario.scenarioSteps; ++s) {
      const auto from = static_cast<size_t>(baseline_.callsBefore[s]);
      const auto to =
          static_cast<size_t>(s + 1 < baseline_.callsBefore.size() ? baseline_.callsBefore[s + 1]
                                                                   : baseline_.scenarioCalls);
      const std::vector<std::string> targets(baseline_.targets.begin() + from,
                                             baseline_.targets.begin() + to);
      deliveries_.push_back(
          sweep::ExpectedDeliveries(steps[s].action, targets, HasReportBox(baseline_.lines[s])));
    }
  }

  int64_t Calls() const { return baseline_.scenarioCalls; }

  // The run without failures must hold the scenario's own promises.
  std::string CheckBaseline() const {
    if (baseline_.disagreement)
      return "the run without failures disagrees: " + *baseline_.disagreement;
    if (std::string problem = CheckEnd(baseline_, false); !problem.empty()) {
      return "the run without failures: " + problem;
    }
    return "";
  }

  // Every rule after a run with call k failing; empty when all held.
  std::string Check(int64_t k) const {
    const size_t step = StepOf(k);
    const bool showFailed = std::holds_alternative<ShowStep>(scenario_.session.steps[step].action);
    const RunRecord run = Replay(scenario_, k, false, showFailed);
    const size_t index = static_cast<size_t>(k - baseline_.callsBefore[step] - 1);
    const std::optional<Expectation>& expectation = deliveries_[step][index];
    if (!expectation) {
      return "the call does not fit the calls the error rules know for this entry point";
    }
    const std::vector<std::string> expected =
        ExpectedReports(*expectation, k, Reports(baseline_.lines[step]));
    const std::vector<std::string> actual = Reports(run.lines[step]);
    if (actual != expected) {
      return "expected " + Listed(expected) + ", got " + Listed(actual);
    }
    const std::string description = TranscriptString(SweepErrorDescription(k));
    const std::string bare = description.substr(1, description.size() - 2);
    for (size_t s = 0; s < run.lines.size(); ++s) {
      if (s == step) continue;
      for (const std::string& report : Reports(run.lines[s])) {
        if (report.find(bare) != std::string::npos) {
          return "the failure was reported again in step " + std::to_string(s + 1) + ": " + report;
        }
      }
    }
    if (run.disagreement) {
      return "the person was asked for more than the scenario answers: " + *run.disagreement;
    }
    // A set whose own deletion failed is the host's refusal, not the control's omission.
    const bool deletionFailed =
        baseline_.targets[static_cast<size_t>(k - 1)] == "drawing.SelectionSet.Delete";
    return CheckEnd(run, deletionFailed);
  }

  // "call 57 (viewer.TotalULx) in step 5 (event ExtentChanged)".
  std::string CallName(int64_t k) const {
    const size_t step = StepOf(k);
    const std::string line = StepLine(step + 1, scenario_.session.steps[step].action);
    return "call " + std::to_string(k) + " (" + baseline_.targets[static_cast<size_t>(k - 1)] +
           ") in " + line;
  }

 private:
  size_t StepOf(int64_t k) const {
    size_t step = 0;
    for (size_t s = 0; s < scenario_.scenarioSteps; ++s) {
      if (baseline_.callsBefore[s] < k) step = s;
    }
    return step;
  }

  // The end of a run: no set of ours left, and the probe handled as it must be.
  std::string CheckEnd(const RunRecord& run, bool setsMayRemain) const {
    if (!setsMayRemain && !run.leftSets.empty()) {
      return "a temporary selection set was left: " + run.leftSets.front();
    }
    std::vector<std::string> probeLines;
    for (size_t s = scenario_.scenarioSteps; s < run.lines.size(); ++s) {
      const std::vector<std::string> reports = Reports(run.lines[s]);
      if (!reports.empty()) return "the probe was not handled normally: " + reports.front();
      probeLines.insert(probeLines.end(), run.lines[s].begin(), run.lines[s].end());
    }
    auto from = probeLines.begin();
    for (const std::string& wanted : scenario_.expect) {
      from = std::find_if(from, probeLines.end(), [&](const std::string& line) {
        return line.find(wanted) != std::string::npos;
      });
      if (from == probeLines.end()) return "the probe did not show " + wanted;
      ++from;
    }
    return "";
  }

  const SweepScenario& scenario_;
  RunRecord baseline_;
  std::vector<std::vector<std::optional<Expectation>>> deliveries_;  // per step, per call
};

}  // namespace

SweepOutcome SweepScenarioCalls(const SweepScenario& scenario, const SweepOptions& options) {
  SweepOutcome outcome;
  const auto run = [&](const std::function<std::string()>& check) {
    return options.isolate ? RunIsolated(check) : RunInProcess(check);
  };
  std::optional<ScenarioSweep> sweep;
  const std::string setup = run([&] {
    ScenarioSweep probe(scenario);
    return probe.CheckBaseline();
  });
  if (!setup.empty()) {
    outcome.breaks.push_back(setup);
    return outcome;
  }
  sweep.emplace(scenario);
  outcome.calls = sweep->Calls();
  for (int64_t k = 1; k <= outcome.calls; ++k) {
    const std::string verdict = run([&] { return sweep->Check(k); });
    if (verdict.empty()) continue;
    ++outcome.broken;
    outcome.breaks.push_back(sweep->CallName(k) + ": " + verdict);
  }
  return outcome;
}

}  // namespace nimbo::replay
