#include "replay/fault_sweep_isolation.h"

#include <cstdio>
#include <cstring>
#include <exception>

#if defined(__unix__)
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace nimbo::replay {

std::string RunInProcess(const std::function<std::string()>& check) {
  try {
    return check();
  } catch (const std::exception& failure) {
    return std::string("the run ended with an exception: ") + failure.what();
  } catch (...) {
    return "the run ended with an exception of an unknown kind";
  }
}

#if defined(__unix__)

namespace {

void WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) return text;
    text.append(buffer, static_cast<size_t>(n));
  }
}

}  // namespace

std::string RunIsolated(const std::function<std::string()>& check) {
  // Whatever the parent has buffered would otherwise be written twice.
  std::fflush(nullptr);
  int fds[2];
  if (pipe(fds) != 0) return RunInProcess(check);
  const pid_t child = fork();
  if (child < 0) {
    close(fds[0]);
    close(fds[1]);
    return RunInProcess(check);
  }
  if (child == 0) {
    close(fds[0]);
    const std::string verdict = RunInProcess(check);
    WriteAll(fds[1], verdict);
    close(fds[1]);
    std::fflush(nullptr);
    _exit(0);  // no exit handlers: they belong to the parent
  }
  close(fds[1]);
  std::string verdict = ReadAll(fds[0]);
  close(fds[0]);
  int status = 0;
  if (waitpid(child, &status, 0) != child) return "the run's process was lost";
  if (WIFSIGNALED(status)) {
    return "the run crashed with signal " + std::to_string(WTERMSIG(status)) + " (" +
           strsignal(WTERMSIG(status)) + "); a sanitizer's report, if any, is on standard error";
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return "the run ended with exit status " + std::to_string(WEXITSTATUS(status)) +
           "; a sanitizer's report, if any, is on standard error";
  }
  return verdict;
}

#else

std::string RunIsolated(const std::function<std::string()>& check) {
  return RunInProcess(check);
}

#endif

}  // namespace nimbo::replay
