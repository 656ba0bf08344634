#include "replay/session/fail_target_hint.h"

#include <algorithm>
#include <vector>

#include "replay/session/strict_json.h"
#include "standalone/fault_plan.h"

namespace nimbo::replay {

namespace {

size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::string ObjectPart(const std::string& target) {
  const size_t dot = target.rfind('.');
  return dot == std::string::npos ? std::string() : target.substr(0, dot);
}

}  // namespace

std::string FailTargetHint(const std::string& target) {
  const std::string everything = "`nimbodock targets` lists them all";
  const std::vector<std::string>& targets = standalone::FaultTargets();

  std::vector<std::string> sameObject;
  const std::string object = ObjectPart(target);
  for (const std::string& candidate : targets) {
    if (!object.empty() && ObjectPart(candidate) == object) sameObject.push_back(candidate);
  }
  if (!sameObject.empty()) {
    return " (targets of " + object + ": " + QuotedList(sameObject) + "; " + everything + ")";
  }

  const std::string* nearest = nullptr;
  size_t best = target.size() / 3 + 1;  // farther than that is no longer a misspelling
  for (const std::string& candidate : targets) {
    const size_t distance = EditDistance(target, candidate);
    if (distance < best) {
      best = distance;
      nearest = &candidate;
    }
  }
  if (nearest) return " (did you mean \"" + *nearest + "\"? " + everything + ")";
  return " (" + everything + ")";
}

}  // namespace nimbo::replay
