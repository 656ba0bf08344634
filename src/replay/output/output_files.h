// The replay's output files, written whole or not at all: each is staged in a temporary
// file beside its destination, and only when every one is staged are they renamed into
// place. A destination is never left half written, and a failure leaves no temporary
// file behind.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace nimbo::replay {

class OutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class StagedFile;

class OutputFiles {
 public:
  OutputFiles();
  ~OutputFiles();  // removes whatever is staged and not committed
  OutputFiles(const OutputFiles&) = delete;
  OutputFiles& operator=(const OutputFiles&) = delete;

  // A temporary file beside `path`, for content written in pieces as it is produced; it
  // stays owned here and is finished by Commit. Raises OutputError naming the file and
  // the reason.
  StagedFile& Open(const std::string& path);
  // Writes the content to a temporary file beside `path`. Raises OutputError naming the
  // file and the reason.
  void Stage(const std::string& path, const std::string& content);
  // Finishes every staged file, then renames each to its destination. Raises OutputError
  // on the first that fails (those renamed before it stay, the others are removed).
  void Commit();

 private:
  std::vector<std::unique_ptr<StagedFile>> staged_;
};

}  // namespace nimbo::replay
