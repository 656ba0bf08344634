// The viewer moved from the drawing: after the drawing's PAN or ZOOM it is centred on the
// drawing's view centre, and the button lets the person pick a point to search images at.
#pragma once

#include <string>

#include "control/control_state.h"

namespace nimbo::sync {

// After every command of the drawing: asks the viewer whether it follows the drawing and,
// for exactly "PAN" or "ZOOM", centres it on VIEWCTR, searching images there when the
// viewer cannot centre. Raises what fails; the caller keeps it silent.
void FollowDrawingView(control::ControlState& state, const std::string& commandName);

// Asks the person for a point in the drawing and has the viewer search images at it.
// Raises any error again as "SearchImage"; a cancelled pick raises the cancel error.
void SearchImage(control::ControlState& state);

}  // namespace nimbo::sync
