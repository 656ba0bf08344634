#include "standalone/fault_plan.h"

#include <utility>

#include "automation/error.h"

namespace nimbo::standalone {

void FaultPlan::Add(std::string target, int32_t number, std::string description, int after,
                    int times) {
  rules_.push_back(Rule{std::move(target), number, std::move(description), after, times});
}

void FaultPlan::FailCall(int64_t callNumber, int32_t number, std::string description) {
  failAt_ = Rule{"", number, std::move(description), 0, 1};
  failCallNumber_ = callNumber;
}

void FaultPlan::Clear() {
  rules_.clear();
  failAt_.reset();
  failCallNumber_ = 0;
}

void FaultPlan::CheckPlanned(std::string_view target) {
  if (recordTargets_) targets_.emplace_back(target);
  if (hook_) {
    // A copy: the hook may replace itself.
    const CallHook hook = hook_;
    hook(target);
  }
  if (failAt_ && calls_ == failCallNumber_) {
    throw automation::AutomationError(failAt_->number, failAt_->description, std::string(target));
  }
  for (Rule& rule : rules_) {
    if (rule.target != target || rule.times <= 0) continue;
    if (rule.after > 0) {
      --rule.after;
      continue;
    }
    --rule.times;
    throw automation::AutomationError(rule.number, rule.description, std::string(target));
  }
}

}  // namespace nimbo::standalone
