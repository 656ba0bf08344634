// What every adapter of the CAD application's objects shares: the object's IDispatch,
// called by the published member names, and the conversions of the values that the
// automation model passes (points are arrays of three doubles).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "automation/convert.h"
#include "automation/error.h"
#include "automation/variant.h"
#include "host/cad.h"
#include "win/com/com_ptr.h"
#include "win/com/dispatch_object.h"

namespace nimbo::win::host {

using automation::Variant;

class CadObject : public com::HoldsDispatch {
 public:
  explicit CadObject(com::ComPtr<IDispatch> dispatch) : object_(std::move(dispatch)) {}
  IDispatch* Dispatch() const override { return object_.Dispatch(); }

 protected:
  com::DispatchObject& Outside() const { return object_; }
  Variant Get(std::string_view name, std::vector<Variant> arguments = {}) const {
    return object_.Get(name, std::move(arguments));
  }
  Variant Call(std::string_view name, std::vector<Variant> arguments = {}) const {
    return object_.Call(name, std::move(arguments));
  }
  void Put(std::string_view name, const Variant& value) const { object_.Put(name, value); }

 private:
  mutable com::DispatchObject object_;
};

Variant PointValue(const nimbo::host::Point3& point);
// Three doubles (an array of numbers of another element type too); anything else is a
// type mismatch.
nimbo::host::Point3 PointFrom(const Variant& value);

// The IDispatch of an object result; Nothing gives null.
com::ComPtr<IDispatch> DispatchOf(const Variant& value);

// An object result as the adapter `T` over it; Nothing gives null.
template <class T>
std::shared_ptr<T> Adapt(const Variant& value) {
  com::ComPtr<IDispatch> dispatch = DispatchOf(value);
  if (!dispatch) return nullptr;
  return std::make_shared<T>(std::move(dispatch));
}

// The name of the interface that the object describes itself with (its type
// information), or empty when it gives none.
std::string InterfaceNameOf(IDispatch* object);

}  // namespace nimbo::win::host
