// How the failure of one outside call must reach the person, by the control's error
// rules, worked out for every call of a step from the calls a run without failures made
// in it (their fault-plan targets, in order). The attribution follows the procedures of
// each entry point as the rules describe them (which procedure makes which calls, in
// which order, and which of them re-raise, swallow or pass on an error), not the code
// of the control, so that a control that reports under the wrong source, or reports what
// it must swallow, is caught.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "replay/session/session.h"

namespace nimbo::replay::sweep {

enum class Delivery {
  HandlerMessage,  // one box: "Exception: <entry> <number>, <description>, <source>"
  ShowMessage,     // one box: "UserControl_Show error <description> <source>"
  Caller,          // the entry point fails back to its caller, naming <source>
  Silent,          // nothing is shown and nothing fails back; the step goes on
};

struct Expectation {
  Delivery delivery = Delivery::Silent;
  std::string entry;   // the handler or entry point, as the transcript names it
  std::string source;  // the source the report names
  friend bool operator==(const Expectation&, const Expectation&) = default;
};

// One expectation per call of the step, in call order; nothing for a call that does not
// fit the sequence the rules give the step's entry point (reported as such by the
// sweep). `handlerReported` tells that the run without failures already ended this step
// with the handler's own message box: that box is the step's last call, and its failure
// leaves the handler, so it fails back to the caller.
std::vector<std::optional<Expectation>> ExpectedDeliveries(const StepAction& step,
                                                           const std::vector<std::string>& targets,
                                                           bool handlerReported);

}  // namespace nimbo::replay::sweep
