// Planned failures of outside calls. Every operation of the embedded default (CAD host,
// Map, viewer, dialogs) asks the plan first, under its target name
// ("drawing.Layers.Add", "map.ODRecord.AttachTo", "viewer.RefreshOverlays", ...), and
// raises the planned error when one is due. The plan also counts the calls, so that a
// fault sweep can fail each of them in turn.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nimbo::standalone {

class FaultPlan {
 public:
  // After `after` more successful calls of `target`, the next `times` calls fail.
  void Add(std::string target, int32_t number, std::string description, int after = 0,
           int times = 1);
  // The call with this overall number (counted from 1 across all targets) fails.
  void FailCall(int64_t callNumber, int32_t number, std::string description);
  void Clear();

  // Counts the call and raises the planned AutomationError (with `target` as source)
  // when one is due.
  void Check(std::string_view target) {
    ++calls_;
    // Inline, for the common case of nothing planned: every outside call asks.
    if (recordTargets_ || hook_ || failAt_ || !rules_.empty()) CheckPlanned(target);
  }

  // Runs before every call of the embedded default, with its target: the tests' way to
  // make something happen inside an outside call (a document activated, an event raised).
  using CallHook = std::function<void(std::string_view target)>;
  void SetCallHook(CallHook hook) { hook_ = std::move(hook); }
  bool HasCallHook() const { return static_cast<bool>(hook_); }

  int64_t CallCount() const { return calls_; }
  // The target of every call so far, in order (kept only when recording is on).
  void RecordTargets(bool on) { recordTargets_ = on; }
  const std::vector<std::string>& Targets() const { return targets_; }

 private:
  struct Rule {
    std::string target;
    int32_t number;
    std::string description;
    int after;
    int times;
  };
  void CheckPlanned(std::string_view target);

  std::vector<Rule> rules_;
  std::optional<Rule> failAt_;  // `after` unused; the call number is in failCallNumber_
  int64_t failCallNumber_ = 0;
  int64_t calls_ = 0;
  bool recordTargets_ = false;
  std::vector<std::string> targets_;
  CallHook hook_;
};

// Every target name the embedded default checks.
const std::vector<std::string>& FaultTargets();
bool IsFaultTarget(std::string_view target);

}  // namespace nimbo::standalone
