#include "replay/output/output_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace nimbo::replay {

namespace {

std::string Reason() {
  return std::strerror(errno);
}

// The mode a newly created file gets under the process's umask.
mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

OutputFiles::~OutputFiles() {
  for (const Staged& file : staged_) std::remove(file.temporary.c_str());
}

void OutputFiles::Stage(const std::string& path, const std::string& content) {
  std::string pattern = path + ".tmp-XXXXXX";
  const int fd = mkstemp(pattern.data());
  if (fd < 0) throw OutputError("cannot write " + path + ": " + Reason());
  staged_.push_back({pattern, path});
  const char* data = content.data();
  size_t left = content.size();
  while (left > 0) {
    const ssize_t written = write(fd, data, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      const std::string reason = Reason();
      close(fd);
      throw OutputError("cannot write " + path + ": " + reason);
    }
    data += written;
    left -= static_cast<size_t>(written);
  }
  const bool flushed = fchmod(fd, NewFileMode()) == 0 && fsync(fd) == 0;
  const std::string reason = flushed ? "" : Reason();
  const bool closed = close(fd) == 0;
  if (!flushed || !closed)
    throw OutputError("cannot write " + path + ": " + (flushed ? Reason() : reason));
}

void OutputFiles::Commit() {
  while (!staged_.empty()) {
    const Staged file = staged_.front();
    if (std::rename(file.temporary.c_str(), file.destination.c_str()) != 0) {
      throw OutputError("cannot write " + file.destination + ": " + Reason());
    }
    staged_.erase(staged_.begin());
  }
}

}  // namespace nimbo::replay
