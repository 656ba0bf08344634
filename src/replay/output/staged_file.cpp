#include "replay/output/staged_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "replay/output/output_files.h"

namespace nimbo::replay {

namespace {

// Large enough that a transcript of millions of short lines costs few system calls.
constexpr size_t kBufferSize = 1 << 20;

std::string Reason() {
  return std::strerror(errno);
}

// The mode a newly created file gets under the process's umask (mkstemp's is 0600).
mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

StagedFile::StagedFile(std::string destination) : destination_(std::move(destination)) {
  std::string pattern = destination_ + ".tmp-XXXXXX";
  fd_ = mkstemp(pattern.data());
  if (fd_ < 0) throw OutputError("cannot write " + destination_ + ": " + Reason());
  temporary_ = std::move(pattern);
}

StagedFile::~StagedFile() {
  if (fd_ >= 0) close(fd_);
  if (!renamed_) std::remove(temporary_.c_str());
}

void StagedFile::Fail(const std::string& reason) {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  failed_ = true;
  buffer_.clear();
  throw OutputError("cannot write " + destination_ + ": " + reason);
}

void StagedFile::Append(std::string_view text) {
  if (failed_) Fail("an earlier write failed");
  if (finished_) Fail("the file is already finished");
  if (buffer_.size() + text.size() > kBufferSize) {
    WriteOut(buffer_);
    buffer_.clear();
  }
  if (text.size() >= kBufferSize) {
    WriteOut(text);
  } else {
    if (buffer_.capacity() < kBufferSize) buffer_.reserve(kBufferSize);
    buffer_.append(text);
  }
}

void StagedFile::AppendLine(std::string_view line) {
  Append(line);
  Append("\n");
}

void StagedFile::WriteOut(std::string_view text) {
  const char* data = text.data();
  size_t left = text.size();
  while (left > 0) {
    const ssize_t written = write(fd_, data, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) Fail(Reason());
    data += written;
    left -= static_cast<size_t>(written);
  }
}

void StagedFile::Finish() {
  // A file that failed once is never finished: it would be renamed into place half written.
  if (failed_) Fail("an earlier write failed");
  if (finished_) return;
  WriteOut(buffer_);
  buffer_.clear();
  buffer_.shrink_to_fit();
  if (fchmod(fd_, NewFileMode()) != 0 || fsync(fd_) != 0) Fail(Reason());
  const int fd = fd_;
  fd_ = -1;
  if (close(fd) != 0) Fail(Reason());
  finished_ = true;
}

void StagedFile::Rename() {
  Finish();
  if (std::rename(temporary_.c_str(), destination_.c_str()) != 0) {
    throw OutputError("cannot write " + destination_ + ": " + Reason());
  }
  renamed_ = true;
}

}  // namespace nimbo::replay
