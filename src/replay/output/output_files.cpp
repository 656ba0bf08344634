#include "replay/output/output_files.h"

#include "replay/output/staged_file.h"

namespace nimbo::replay {

OutputFiles::OutputFiles() = default;
OutputFiles::~OutputFiles() = default;  // each staged file removes its temporary file

StagedFile& OutputFiles::Open(const std::string& path) {
  staged_.push_back(std::make_unique<StagedFile>(path));
  return *staged_.back();
}

void OutputFiles::Stage(const std::string& path, const std::string& content) {
  StagedFile& file = Open(path);
  file.Append(content);
  file.Finish();
}

void OutputFiles::Commit() {
  // Every file is on the disk before any replaces its destination.
  for (const auto& file : staged_) file->Finish();
  while (!staged_.empty()) {
    staged_.front()->Rename();
    staged_.erase(staged_.begin());
  }
}

}  // namespace nimbo::replay
