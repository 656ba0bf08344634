// The replay's output files, written whole or not at all: each is staged in a temporary
// file beside its destination, and only when every one is staged are they renamed into
// place. A destination is never left half written, and a failure leaves no temporary
// file behind.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace nimbo::replay {

class OutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class OutputFiles {
 public:
  OutputFiles() = default;
  ~OutputFiles();  // removes whatever is staged and not committed
  OutputFiles(const OutputFiles&) = delete;
  OutputFiles& operator=(const OutputFiles&) = delete;

  // Writes the content to a temporary file beside `path`. Raises OutputError naming the
  // file and the reason.
  void Stage(const std::string& path, const std::string& content);
  // Renames every staged file to its destination. Raises OutputError on the first that
  // fails (those renamed before it stay, the others are removed).
  void Commit();

 private:
  struct Staged {
    std::string temporary;
    std::string destination;
  };
  std::vector<Staged> staged_;
};

}  // namespace nimbo::replay
