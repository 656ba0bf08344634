// The arguments of the CAD stand-in's members as the automation model takes them: their
// number checked, points as arrays of three doubles, optional ones that may be missing,
// and objects of ours passed back in, unwrapped to the in-memory objects they stand for.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "automation/error.h"
#include "automation/variant.h"
#include "host/cad.h"

namespace nimbo::win::standins {

// `arguments` with at least `least` and at most `most` of them: fewer is "Argument not
// optional" (449), more "Wrong number of arguments" (450).
std::span<automation::Variant> Expect(std::span<automation::Variant> arguments, size_t least,
                                      size_t most);
// Argument `index`, or Missing when the caller left it out.
automation::Variant Optional(std::span<automation::Variant> arguments, size_t index);

// A point: an array of three numbers (Double() or Variant() of numbers); anything else is
// "Invalid procedure call or argument" (5), naming `what`.
host::Point3 PointOf(const automation::Variant& value, const char* what);
// The point as the automation model answers it: a Double() of three, from 0.
automation::Variant PointValue(const host::Point3& point);
// A flat array of numbers (Double() or Variant() of numbers).
automation::DoubleArray NumbersOf(const automation::Variant& value, const char* what);

// The in-memory object behind an object of ours that the caller passed in, of the type
// that the member takes; another object, or one of ours of another type, is a type
// mismatch (13). Nothing is "Object variable not set" (91).
automation::ObjectRef InnerObject(const automation::Variant& value);
template <class T>
std::shared_ptr<T> InnerAs(const automation::Variant& value) {
  auto typed = std::dynamic_pointer_cast<T>(InnerObject(value));
  if (!typed) throw automation::errors::Standard(automation::errors::kTypeMismatch);
  return typed;
}

}  // namespace nimbo::win::standins
