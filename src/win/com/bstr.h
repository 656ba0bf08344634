// An owned BSTR: freed once, by whoever holds it last.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace nimbo::win::com {

class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(std::string_view utf8);
  ~Bstr() { Reset(); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  Bstr(Bstr&& other) noexcept : value_(other.Detach()) {}
  Bstr& operator=(Bstr&& other) noexcept;

  // Takes over a BSTR that the caller owned.
  static Bstr Adopt(BSTR value);

  BSTR Get() const { return value_; }
  // For an out-parameter: frees what is held and lends the slot.
  BSTR* Put();
  BSTR Detach();
  void Reset();

  // The text as UTF-8; a null BSTR is the empty string, as the run-time treats it.
  std::string Utf8() const;
  UINT Length() const { return SysStringLen(value_); }

 private:
  BSTR value_ = nullptr;
};

// The text of a BSTR that stays the caller's.
std::string Utf8FromBstr(BSTR value);

}  // namespace nimbo::win::com
