#include "replay/sweep/fault_sweep_isolation.h"

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

void IsolatedRuns::Start(const std::function<std::string()>& check,
                         const std::function<std::string()>& here, Done done) {
  while (static_cast<int>(running_.size()) >= parallel_) WaitOldest();
  // Whatever this process has buffered would otherwise be written twice.
  std::fflush(nullptr);
  int fds[2];
  if (pipe(fds) != 0) {
    Finish();  // in order
    done(RunInProcess(here));
    return;
  }
  const pid_t child = fork();
  if (child < 0) {
    close(fds[0]);
    close(fds[1]);
    Finish();
    done(RunInProcess(here));
    return;
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
  running_.push_back(Child{child, fds[0], std::move(done)});
}

void IsolatedRuns::WaitOldest() {
  Child child = std::move(running_.front());
  running_.pop_front();
  const std::string verdict = ReadAll(child.pipe);
  close(child.pipe);
  int status = 0;
  if (waitpid(child.pid, &status, 0) != child.pid) {
    child.done("the run's process was lost");
  } else if (WIFSIGNALED(status)) {
    child.done("the run crashed with signal " + std::to_string(WTERMSIG(status)) + " (" +
               strsignal(WTERMSIG(status)) +
               "); a sanitizer's report, if any, is on standard error");
  } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    child.done("the run ended with exit status " + std::to_string(WEXITSTATUS(status)) +
               "; a sanitizer's report, if any, is on standard error");
  } else {
    child.done(verdict);
  }
}

void IsolatedRuns::Finish() {
  while (!running_.empty()) WaitOldest();
}

#else

void IsolatedRuns::Start(const std::function<std::string()>& /*check*/,
                         const std::function<std::string()>& here, Done done) {
  done(RunInProcess(here));
}
void IsolatedRuns::WaitOldest() {}
void IsolatedRuns::Finish() {}

#endif

}  // namespace nimbo::replay
