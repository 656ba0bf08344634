#include "win/com/unique_variant.h"

#include <new>
#include <utility>

#include "automation/error.h"

namespace nimbo::win::com {

namespace {
// The copy functions take their source as non-const but never change it.
void CheckCopy(HRESULT result) {
  if (result == E_OUTOFMEMORY) throw std::bad_alloc();
  if (FAILED(result)) throw automation::errors::Standard(automation::errors::kTypeMismatch);
}
}  // namespace

UniqueVariant::UniqueVariant(const UniqueVariant& other) : UniqueVariant() {
  CheckCopy(VariantCopy(&value_, const_cast<VARIANT*>(&other.value_)));
}

UniqueVariant& UniqueVariant::operator=(const UniqueVariant& other) {
  if (this != &other) {
    UniqueVariant copy(other);
    *this = std::move(copy);
  }
  return *this;
}

UniqueVariant::UniqueVariant(UniqueVariant&& other) noexcept : value_(other.value_) {
  VariantInit(&other.value_);
}

UniqueVariant& UniqueVariant::operator=(UniqueVariant&& other) noexcept {
  if (this != &other) {
    VariantClear(&value_);
    value_ = other.value_;
    VariantInit(&other.value_);
  }
  return *this;
}

UniqueVariant UniqueVariant::Adopt(VARIANT& value) {
  UniqueVariant owned;
  owned.value_ = value;
  VariantInit(&value);
  return owned;
}

UniqueVariant UniqueVariant::CopyOf(const VARIANT& value) {
  UniqueVariant copy;
  CheckCopy(VariantCopyInd(&copy.value_, const_cast<VARIANT*>(&value)));
  return copy;
}

VARIANT* UniqueVariant::Put() {
  VariantClear(&value_);
  return &value_;
}

VARIANT UniqueVariant::Detach() {
  VARIANT value = value_;
  VariantInit(&value_);
  return value;
}

}  // namespace nimbo::win::com
