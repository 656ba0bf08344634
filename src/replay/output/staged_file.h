// One output file in the making: a temporary file beside its destination, written in
// pieces, made durable, and only then renamed into place. Until it is renamed the
// destination is untouched, and a staged file dropped on the way is removed. The
// platform's file calls are behind native_file.h.
#pragma once

#include <string>
#include <string_view>

#include "replay/output/native_file.h"

namespace nimbo::replay {

class StagedFile {
 public:
  // Creates the temporary file. Raises OutputError naming the destination and the reason.
  explicit StagedFile(std::string destination);
  ~StagedFile();  // removes the temporary file unless it was renamed into place
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  // Buffered; raises OutputError as the constructor does.
  void Append(std::string_view text);
  void AppendLine(std::string_view line);
  // Writes what is buffered, gives the file the mode a new file gets and syncs it to the
  // disk. Once done, does nothing again.
  void Finish();
  // Finishes the file and renames it to its destination.
  void Rename();

  const std::string& Destination() const { return destination_; }

 private:
  void WriteOut(std::string_view text);
  [[noreturn]] void Fail(const std::string& reason);

  std::string destination_;
  std::string temporary_;
  native::File file_ = native::kNoFile;
  bool finished_ = false;
  bool failed_ = false;
  bool renamed_ = false;
  std::string buffer_;
};

}  // namespace nimbo::replay
