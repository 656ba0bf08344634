// Runs one check of the fault sweep in a child process where the platform has them, so
// that a crash, a sanitizer's report or a leak in that run is told with the run's call,
// and the sweep goes on with the next.
#pragma once

#include <functional>
#include <string>

namespace nimbo::replay {

// The check's verdict (empty: every rule held), or what ended the child: a signal, a
// non-zero exit (a sanitizer's report is on standard error), a leak, an exception.
std::string RunIsolated(const std::function<std::string()>& check);

// The same, in this process.
std::string RunInProcess(const std::function<std::string()>& check);

}  // namespace nimbo::replay
