// The viewer's extents and selected point drawn in the drawing on the three display
// layers, the drawing following the viewer, and the overlay refresh of mosaic views.
#pragma once

#include <cstdint>
#include <string>

#include "control/control_state.h"
#include "control/display_layers.h"
#include "geometry/bound_slots.h"
#include "sync/dock_control_interface.h"

namespace nimbo::sync {

// Each raises any error again under its own name.
void InitializeAllBounds(control::ControlState& state);
void UpdateAllBounds(control::ControlState& state);
void ExtentChanged(double ULx, double ULy, double URx, double URy, double LRx, double LRy,
                   double LLx, double LLy, geometry::BoundSlots& bounds, int16_t index);
// `self` is the control's published interface: the layer operations go through it.
void RefreshMap(control::ControlState& state, DockControlInterface& self);
void RefreshLayer(control::ControlState& state, DockControlInterface& self, std::string& layername);

}  // namespace nimbo::sync
