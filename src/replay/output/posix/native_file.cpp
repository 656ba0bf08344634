#include "replay/output/native_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace nimbo::replay::native {

namespace {

// The mode a newly created file gets under the process's umask (mkstemp's is 0600).
mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

File CreateBeside(const std::string& destination, std::string& temporary) {
  std::string pattern = destination + ".tmp-XXXXXX";
  const int fd = mkstemp(pattern.data());
  if (fd < 0) return kNoFile;
  temporary = std::move(pattern);
  return fd;
}

bool WriteAll(File file, std::string_view text) {
  const char* data = text.data();
  size_t left = text.size();
  while (left > 0) {
    const ssize_t written = write(static_cast<int>(file), data, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    left -= static_cast<size_t>(written);
  }
  return true;
}

bool MakeDurable(File file) {
  const int fd = static_cast<int>(file);
  return fchmod(fd, NewFileMode()) == 0 && fsync(fd) == 0;
}

bool Close(File file) {
  return close(static_cast<int>(file)) == 0;
}

bool ReplaceWith(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

void Remove(const std::string& path) {
  std::remove(path.c_str());
}

std::string LastReason() {
  return std::strerror(errno);
}

}  // namespace nimbo::replay::native
