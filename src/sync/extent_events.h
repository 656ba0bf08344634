// The work of the viewer's ExtentChanged, SelectedPointChanged and ModeChanged events:
// the display layers redrawn, the drawing following the viewer, and the features of the
// mosaic views sent again. The control's handlers run these under the handler message
// rule.
#pragma once

#include <cstdint>

#include "control/control_state.h"
#include "sync/dock_control_interface.h"

namespace nimbo::sync {

// Every view's extents read again, the selected point moved when view 3 reports it, the
// display layers redrawn, the drawing re-centred when the viewer asks, and the overlays
// of active mosaic views refreshed when overlays are permitted.
void OnExtentChanged(control::ControlState& state, DockControlInterface& self, double X, double Y,
                     int32_t viewIndex);
// Redraws only when the point differs from the one held.
void OnSelectedPointChanged(control::ControlState& state, DockControlInterface& self, double X,
                            double Y);
// Empties every slot before reading the views, so that views gone from the layout vanish.
void OnModeChanged(control::ControlState& state, DockControlInterface& self);

}  // namespace nimbo::sync
