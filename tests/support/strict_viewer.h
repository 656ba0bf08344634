// The simulated viewer behind a check of every call against the viewer's contract. A
// DISPID the contract does not list, a call with more or fewer arguments than the
// operation takes, or a by-reference argument of another type than its parameter's is a
// call the real viewer refuses; the simulated one raises the same error, and the control
// traps it (into a message, or silently where a handler swallows its errors). Under
// StrictFakes such a call is also a test failure. Planned failures are not checked: they
// are the test's own.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "host/viewer.h"
#include "host/viewer_operations.h"
#include "support/strict_fakes.h"

namespace nimbo::testing {

// What is wrong with a call by the contract, or "" when nothing is.
inline std::string ContractBreach(int32_t dispid, std::span<const automation::Variant> arguments) {
  const host::ViewerOperation* operation = host::FindViewerOperation(dispid);
  if (operation == nullptr) return "viewer DISPID " + std::to_string(dispid);
  const std::string name = "viewer " + std::string(operation->name);
  if (arguments.size() != operation->parameters.size()) {
    return name + " with " + std::to_string(arguments.size()) + " argument(s), not " +
           std::to_string(operation->parameters.size());
  }
  for (size_t i = 0; i < arguments.size(); ++i) {
    const host::ViewerParameter& parameter = operation->parameters[i];
    if (arguments[i].IsByRef() && arguments[i].Type() != parameter.type) {
      return name + " with " + std::string(parameter.name) + " by reference of another type";
    }
  }
  return "";
}

class StrictViewer : public host::ViewerControl {
 public:
  // `viewer` is borrowed: every call goes on to it.
  explicit StrictViewer(host::ViewerControl& viewer) : viewer_(viewer) {}

  automation::Variant Invoke(int32_t dispid, std::span<automation::Variant> arguments) override {
    if (StrictFakes::On()) {
      const std::string breach = ContractBreach(dispid, arguments);
      if (!breach.empty()) ADD_FAILURE() << "unexpected call: " << breach;
    }
    return viewer_.Invoke(dispid, arguments);
  }
  int32_t Advise(host::ViewerEvents* sink) override { return viewer_.Advise(sink); }
  void Unadvise(int32_t cookie) override { viewer_.Unadvise(cookie); }

 private:
  host::ViewerControl& viewer_;
};

}  // namespace nimbo::testing
