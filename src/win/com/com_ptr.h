// An owned interface pointer: AddRef on copy, Release when dropped, QueryInterface for
// another interface. The one place of the Windows build that calls Release.
#pragma once

#include <windows.h>

#include <utility>

namespace nimbo::win::com {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Shares `pointer`: takes a reference of its own.
  explicit ComPtr(T* pointer) : pointer_(pointer) { AddRef(); }
  ~ComPtr() { Reset(); }

  ComPtr(const ComPtr& other) : pointer_(other.pointer_) { AddRef(); }
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(const ComPtr& other) {
    ComPtr(other).Swap(*this);
    return *this;
  }
  ComPtr& operator=(ComPtr&& other) noexcept {
    ComPtr(std::move(other)).Swap(*this);
    return *this;
  }

  // Takes over a reference that the caller owned (an out-parameter's, a factory's).
  static ComPtr Adopt(T* pointer) {
    ComPtr owned;
    owned.pointer_ = pointer;
    return owned;
  }

  T* Get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

  // For an out-parameter: drops what is held and lends the slot.
  T** Put() {
    Reset();
    return &pointer_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  // Hands the reference to the caller, who must release it.
  T* Detach() { return std::exchange(pointer_, nullptr); }

  void Reset() {
    if (T* old = std::exchange(pointer_, nullptr)) old->Release();
  }
  void Swap(ComPtr& other) noexcept { std::swap(pointer_, other.pointer_); }

  // The object's interface U, or null when it has none (or this is null).
  template <class U>
  ComPtr<U> As() const {
    ComPtr<U> other;
    if (pointer_ != nullptr) pointer_->QueryInterface(__uuidof(U), other.PutVoid());
    return other;
  }

  friend bool operator==(const ComPtr& a, const ComPtr& b) { return a.pointer_ == b.pointer_; }

 private:
  void AddRef() {
    if (pointer_ != nullptr) pointer_->AddRef();
  }

  T* pointer_ = nullptr;
};

}  // namespace nimbo::win::com
