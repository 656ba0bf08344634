// An owned one-dimensional SAFEARRAY, and a lock that keeps its data in place while it
// is read or written.
#pragma once

#include <windows.h>

#include <cstdint>

namespace nimbo::win::com {

class SafeArray {
 public:
  SafeArray() = default;
  // A vector of `count` elements of `elementType`, indexed from `lowerBound`.
  SafeArray(VARTYPE elementType, int32_t lowerBound, uint32_t count);
  ~SafeArray() { Reset(); }
  SafeArray(const SafeArray&) = delete;
  SafeArray& operator=(const SafeArray&) = delete;
  SafeArray(SafeArray&& other) noexcept : array_(other.Detach()) {}
  SafeArray& operator=(SafeArray&& other) noexcept;

  SAFEARRAY* Get() const { return array_; }
  SAFEARRAY* Detach();
  void Reset();

 private:
  SAFEARRAY* array_ = nullptr;
};

// The shape of a one-dimensional array: a multi-dimensional one is a type mismatch (13),
// as the core has none.
struct VectorShape {
  int32_t lowerBound = 0;
  uint32_t count = 0;
};
VectorShape ShapeOf(SAFEARRAY* array);

// SafeArrayAccessData for as long as the lock lives.
class SafeArrayLock {
 public:
  explicit SafeArrayLock(SAFEARRAY* array);
  ~SafeArrayLock();
  SafeArrayLock(const SafeArrayLock&) = delete;
  SafeArrayLock& operator=(const SafeArrayLock&) = delete;

  template <class T>
  T* Data() const {
    return static_cast<T*>(data_);
  }

 private:
  SAFEARRAY* array_;
  void* data_ = nullptr;
};

}  // namespace nimbo::win::com
