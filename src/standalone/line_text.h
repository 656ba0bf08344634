// A journal line being built: bytes appended in place, in room that grows when needed and
// is kept, so that building the line of a call costs neither an allocation nor a library
// call a piece. Short lines fit the room held inside.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

namespace nimbo::standalone {

class LineText {
 public:
  LineText() = default;
  // The text may live inside the object: it neither copies nor moves.
  LineText(const LineText&) = delete;
  LineText& operator=(const LineText&) = delete;

  std::string_view View() const { return {data_, size_}; }
  void Clear() { size_ = 0; }

  void Append(std::string_view text) {
    char* at = Room(text.size());
    std::memcpy(at, text.data(), text.size());
    size_ += text.size();
  }
  void Append(char c) {
    *Room(1) = c;
    ++size_;
  }
  // At least `count` bytes of room after the text, to write into and then Commit.
  char* Room(size_t count) { return capacity_ - size_ >= count ? data_ + size_ : Grow(count); }
  void Commit(size_t count) { size_ += count; }

 private:
  static constexpr size_t kInside = 240;

  char* Grow(size_t count);

  char inside_[kInside];
  std::unique_ptr<char[]> outside_;
  char* data_ = inside_;
  size_t size_ = 0;
  size_t capacity_ = kInside;
};

}  // namespace nimbo::standalone
