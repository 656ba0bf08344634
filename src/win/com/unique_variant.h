// An owned VARIANT: cleared once when dropped, deep-copied when copied.
#pragma once

#include <windows.h>

namespace nimbo::win::com {

class UniqueVariant {
 public:
  UniqueVariant() { VariantInit(&value_); }
  ~UniqueVariant() { VariantClear(&value_); }
  UniqueVariant(const UniqueVariant& other);
  UniqueVariant& operator=(const UniqueVariant& other);
  UniqueVariant(UniqueVariant&& other) noexcept;
  UniqueVariant& operator=(UniqueVariant&& other) noexcept;

  // Takes over a VARIANT the caller owned; the caller's is left empty.
  static UniqueVariant Adopt(VARIANT& value);
  // A copy of `value`, looking through a reference (VariantCopyInd).
  static UniqueVariant CopyOf(const VARIANT& value);

  const VARIANT& Get() const { return value_; }
  VARIANT& Get() { return value_; }
  // For an out-parameter: clears what is held and lends the slot.
  VARIANT* Put();
  // Hands the value to the caller, who must clear it; this is left empty.
  VARIANT Detach();

 private:
  VARIANT value_;
};

}  // namespace nimbo::win::com
