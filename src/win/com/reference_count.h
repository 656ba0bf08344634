// The reference count of the COM objects that the Windows build implements. An object
// starts with the one reference that its creator adopts into a ComPtr and deletes itself
// when the last is released.
#pragma once

#include <windows.h>

#include <atomic>

namespace nimbo::win::com {

class ReferenceCount {
 public:
  ULONG Add() { return ++count_; }
  // Answers the count left; zero means the caller deletes the object.
  ULONG Drop() { return --count_; }

 private:
  std::atomic<ULONG> count_{1};
};

}  // namespace nimbo::win::com
