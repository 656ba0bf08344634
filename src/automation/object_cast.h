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

// The same, borrowed for as long as the caller's reference lives: no reference is taken,
// which matters in the visitors that see every entity of model space.
template <class T, class From>
T& RequireRef(const std::shared_ptr<From>& object) {
  if (!object) throw errors::Standard(errors::kObjectNotSet);
  T* cast = dynamic_cast<T*>(object.get());
  if (cast == nullptr) throw errors::Standard(errors::kTypeMismatch);
  return *cast;
}

}  // namespace nimbo::automation
