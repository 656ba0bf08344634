#include "standalone/line_text.h"

#include <algorithm>

namespace nimbo::standalone {

char* LineText::Grow(size_t count) {
  const size_t capacity = std::max(2 * capacity_, size_ + count);
  auto larger = std::make_unique_for_overwrite<char[]>(capacity);
  std::memcpy(larger.get(), data_, size_);
  outside_ = std::move(larger);
  data_ = outside_.get();
  capacity_ = capacity;
  return data_ + size_;
}

}  // namespace nimbo::standalone
