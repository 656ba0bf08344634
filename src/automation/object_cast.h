// Asking an automation object for one of its interfaces, as QueryInterface does.
#pragma once

#include <memory>

#include "automation/error.h"
#include "automation/variant.h"

namespace nimbo::automation {

// The object as T; a null reference stays null; an object without T is a type mismatch.
template <class T, class From>
std::shared_ptr<T> As(const std::shared_ptr<From>& object) {
  if (!object) return nullptr;
  auto cast = std::dynamic_pointer_cast<T>(object);
  if (!cast) throw errors::Standard(errors::kTypeMismatch);
  return cast;
}

// The object as T; a null reference raises error 91.
template <class T, class From>
std::shared_ptr<T> Require(const std::shared_ptr<From>& object) {
  if (!object) throw errors::Standard(errors::kObjectNotSet);
  return As<T>(object);
}

}  // namespace nimbo::automation
