#include "win/com/safe_array.h"

#include <new>
#include <utility>

#include "automation/error.h"

namespace nimbo::win::com {

namespace {
[[noreturn]] void Mismatch() {
  throw automation::errors::Standard(automation::errors::kTypeMismatch);
}
}  // namespace

SafeArray::SafeArray(VARTYPE elementType, int32_t lowerBound, uint32_t count)
    : array_(SafeArrayCreateVector(elementType, lowerBound, count)) {
  if (array_ == nullptr) throw std::bad_alloc();
}

SafeArray& SafeArray::operator=(SafeArray&& other) noexcept {
  if (this != &other) {
    Reset();
    array_ = other.Detach();
  }
  return *this;
}

SAFEARRAY* SafeArray::Detach() {
  return std::exchange(array_, nullptr);
}

void SafeArray::Reset() {
  if (SAFEARRAY* old = std::exchange(array_, nullptr)) SafeArrayDestroy(old);
}

VectorShape ShapeOf(SAFEARRAY* array) {
  if (array == nullptr) return {};  // an unallocated dynamic array: no elements
  if (SafeArrayGetDim(array) != 1) Mismatch();
  LONG lower = 0;
  LONG upper = 0;
  if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper)))
    Mismatch();
  int64_t count = static_cast<int64_t>(upper) - lower + 1;
  if (count < 0) Mismatch();
  return VectorShape{lower, static_cast<uint32_t>(count)};
}

SafeArrayLock::SafeArrayLock(SAFEARRAY* array) : array_(array) {
  if (FAILED(SafeArrayAccessData(array_, &data_))) Mismatch();
}

SafeArrayLock::~SafeArrayLock() {
  SafeArrayUnaccessData(array_);
}

}  // namespace nimbo::win::com
