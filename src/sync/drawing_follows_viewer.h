// The drawing's view re-centred on the viewer's point, when the view that changed is the
// viewer's map-synchronising view and the viewer wants the drawing to follow.
#pragma once

#include <cstdint>

#include "control/control_state.h"

namespace nimbo::sync {

// Both viewer questions are always asked. The drawing keeps its view height (VIEWSIZE).
// `viewIndex` goes to the viewer by reference.
void FollowViewer(control::ControlState& state, double X, double Y, int32_t& viewIndex);

}  // namespace nimbo::sync
