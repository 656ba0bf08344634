// Strictness for the hand-written fakes. A fake's member that the code under test has no
// business calling throws an automation error, as a real object would fail; but the code
// under test may swallow that error (IsGeometryPartiallyInside answers False for any
// failure), and the test would pass whatever was called. While a StrictFakes lives, such a
// call is also a test failure, reported where it happened.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "automation/error.h"

namespace nimbo::testing {

class StrictFakes {
 public:
  StrictFakes() { ++Depth(); }
  ~StrictFakes() { --Depth(); }
  StrictFakes(const StrictFakes&) = delete;
  StrictFakes& operator=(const StrictFakes&) = delete;

  static bool On() { return Depth() > 0; }

 private:
  static int& Depth() {
    // Per thread: a fake called on another thread belongs to another test.
    thread_local int depth = 0;
    return depth;
  }
};

// A member the fake does not expect was called: a test failure when strict, and in any
// case the error a real object would raise.
[[noreturn]] inline void UnexpectedCall(const std::string& member) {
  if (StrictFakes::On()) ADD_FAILURE() << "unexpected call: " << member;
  throw automation::AutomationError(-1, "unexpected call: " + member, "fake");
}

}  // namespace nimbo::testing
