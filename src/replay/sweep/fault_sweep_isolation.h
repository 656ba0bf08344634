// Runs the checks of the fault sweep in child processes where the platform has them, so
// that a crash or a sanitizer's report in one run is told with the run's call and the
// sweep goes on; several at once, each a copy of this process as it was when the check
// was started. (A child ends without exit handlers, so the leak check of a sanitizer
// build does not run there: a full leak check per run would cost more than the run.)
#pragma once

#include <deque>
#include <functional>
#include <string>

namespace nimbo::replay {

// The check's verdict (empty: every rule held), or the exception that ended it.
std::string RunInProcess(const std::function<std::string()>& check);

class IsolatedRuns {
 public:
  using Done = std::function<void(const std::string& verdict)>;

  // At most `parallel` children run at once (at least one).
  explicit IsolatedRuns(int parallel) : parallel_(parallel < 1 ? 1 : parallel) {}
  IsolatedRuns(const IsolatedRuns&) = delete;
  IsolatedRuns& operator=(const IsolatedRuns&) = delete;
  ~IsolatedRuns() { Finish(); }

  // Starts `check` in a copy of this process as it is now; `done` receives the verdict,
  // or what ended the child (a signal, a non-zero exit: a sanitizer's report is then on
  // standard error). The verdicts arrive in the order the checks were started. Without
  // processes to copy, `here` runs in this process instead, at once.
  void Start(const std::function<std::string()>& check, const std::function<std::string()>& here,
             Done done);
  // Waits for every child started.
  void Finish();

 private:
  struct Child {
    int pid;
    int pipe;
    Done done;
  };
  void WaitOldest();

  int parallel_;
  std::deque<Child> running_;
};

}  // namespace nimbo::replay
