#include "win/com/bstr.h"

#include <new>

#include "win/com/utf16.h"

namespace nimbo::win::com {

Bstr::Bstr(std::string_view utf8) {
  std::wstring wide = Utf16FromUtf8(utf8);
  value_ = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (value_ == nullptr) throw std::bad_alloc();
}

Bstr& Bstr::operator=(Bstr&& other) noexcept {
  if (this != &other) {
    Reset();
    value_ = other.Detach();
  }
  return *this;
}

Bstr Bstr::Adopt(BSTR value) {
  Bstr owned;
  owned.value_ = value;
  return owned;
}

BSTR* Bstr::Put() {
  Reset();
  return &value_;
}

BSTR Bstr::Detach() {
  BSTR value = value_;
  value_ = nullptr;
  return value;
}

void Bstr::Reset() {
  SysFreeString(value_);
  value_ = nullptr;
}

std::string Bstr::Utf8() const {
  return Utf8FromBstr(value_);
}

std::string Utf8FromBstr(BSTR value) {
  if (value == nullptr) return {};
  return Utf8FromUtf16(std::wstring_view(value, SysStringLen(value)));
}

}  // namespace nimbo::win::com
