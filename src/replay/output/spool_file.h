// Text held in an anonymous temporary file rather than in memory, until it is copied
// out whole: the transcript bound for standard output, which must appear only when the
// replay has decided what to show.
#pragma once

#include <cstdio>
#include <iosfwd>
#include <string_view>

namespace nimbo::replay {

class SpoolFile {
 public:
  // Raises OutputError when no temporary file can be made.
  SpoolFile();
  ~SpoolFile();  // the file goes with it
  SpoolFile(const SpoolFile&) = delete;
  SpoolFile& operator=(const SpoolFile&) = delete;

  // Raises OutputError on a failed write.
  void AppendLine(std::string_view line);
  // Copies everything appended so far to `out`. Raises OutputError on a failed read.
  void CopyTo(std::ostream& out);

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace nimbo::replay
