#include "replay/output/spool_file.h"

#include <cerrno>
#include <cstring>
#include <ostream>
#include <string>

#include "replay/output/output_files.h"

namespace nimbo::replay {

namespace {

[[noreturn]] void Fail(const std::string& what) {
  throw OutputError(what + ": " + std::strerror(errno));
}

}  // namespace

SpoolFile::SpoolFile() : file_(std::tmpfile()) {
  if (!file_) Fail("cannot hold the transcript in a temporary file");
}

SpoolFile::~SpoolFile() {
  std::fclose(file_);
}

void SpoolFile::AppendLine(std::string_view line) {
  if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() ||
      std::fputc('\n', file_) == EOF) {
    Fail("cannot hold the transcript in a temporary file");
  }
}

void SpoolFile::CopyTo(std::ostream& out) {
  if (std::fflush(file_) != 0 || std::fseek(file_, 0, SEEK_SET) != 0) {
    Fail("cannot read the transcript back");
  }
  char buffer[1 << 16];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file_)) > 0) {
    out.write(buffer, static_cast<std::streamsize>(got));
  }
  if (std::ferror(file_)) Fail("cannot read the transcript back");
  (void)std::fseek(file_, 0, SEEK_END);  // further lines follow what is there
}

}  // namespace nimbo::replay
