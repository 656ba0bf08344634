// Performs one step's action on the world, as the platform, the host, the viewer, the
// container or an automation client would. An entry point of the control that hands a
// failure back to its caller (those without a trap of their own) is written
//   caller <entry point> -> error <number> "<description>" source "<source>"
// and a result that an automation client receives as `caller FindLayer -> Object` (or
// `Nothing`). The replay then goes on with the next step, as the caller would.
#pragma once

#include "replay/replay_world.h"
#include "replay/session/session.h"

namespace nimbo::replay {

void PerformStep(ReplayWorld& world, const StepAction& action);

}  // namespace nimbo::replay
