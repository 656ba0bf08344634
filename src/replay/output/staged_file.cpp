#include "replay/output/staged_file.h"

#include "replay/output/output_files.h"

namespace nimbo::replay {

namespace {

// Large enough that a transcript of millions of short lines costs few system calls.
constexpr size_t kBufferSize = 1 << 20;

}  // namespace

StagedFile::StagedFile(std::string destination) : destination_(std::move(destination)) {
  file_ = native::CreateBeside(destination_, temporary_);
  if (file_ == native::kNoFile) {
    throw OutputError("cannot write " + destination_ + ": " + native::LastReason());
  }
}

StagedFile::~StagedFile() {
  if (file_ != native::kNoFile) native::Close(file_);
  if (!renamed_) native::Remove(temporary_);
}

void StagedFile::Fail(const std::string& reason) {
  if (file_ != native::kNoFile) native::Close(file_);
  file_ = native::kNoFile;
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
  if (!native::WriteAll(file_, text)) Fail(native::LastReason());
}

void StagedFile::Finish() {
  // A file that failed once is never finished: it would be renamed into place half written.
  if (failed_) Fail("an earlier write failed");
  if (finished_) return;
  WriteOut(buffer_);
  buffer_.clear();
  buffer_.shrink_to_fit();
  if (!native::MakeDurable(file_)) Fail(native::LastReason());
  const native::File file = file_;
  file_ = native::kNoFile;
  if (!native::Close(file)) Fail(native::LastReason());
  finished_ = true;
}

void StagedFile::Rename() {
  Finish();
  if (!native::ReplaceWith(temporary_, destination_)) {
    throw OutputError("cannot write " + destination_ + ": " + native::LastReason());
  }
  renamed_ = true;
}

}  // namespace nimbo::replay
