// The transcript line that opens a step: `step N <do>` and what the step names, e.g.
// `step 4 event ExtentChanged`, `step 2 resize 6990 6300`, `step 5 call AddLayer "Roads"`.
#pragma once

#include <cstddef>
#include <string>

#include "replay/session/session.h"

namespace nimbo::replay {

// `number` counts from 1.
std::string StepLine(size_t number, const StepAction& action);

}  // namespace nimbo::replay
