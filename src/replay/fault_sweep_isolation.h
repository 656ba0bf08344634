// Runs one check of the fault sweep in a child process where the platform has them, so
// that a crash or a sanitizer's report in that run is told with the run's call, and the
// sweep goes on with the next. (The child ends without exit handlers, so the leak check
// of a sanitizer build does not run there: a full leak check per run would cost more
// than the run.)
#pragma once

#include <functional>
#include <string>

namespace nimbo::replay {

// The check's verdict (empty: every rule held), or what ended the child: a signal, a
// non-zero exit (a sanitizer's report is on standard error), an exception.
std::string RunIsolated(const std::function<std::string()>& check);

// The same, in this process.
std::string RunInProcess(const std::function<std::string()>& check);

}  // namespace nimbo::replay
