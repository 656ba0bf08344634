// One drawing entity sent to the viewer as a feature, vertex by vertex.
#pragma once

#include <cstdint>

#include "control/control_state.h"
#include "host/cad.h"

namespace nimbo::overlay {

// Begins a feature, then sends a lightweight polyline's vertices or a line's two ends as
// a line feature, or a point as a point feature, under the entity's layer name. Any other
// entity leaves the begun feature without vertices. Raises any error again with the
// source "AddVectorFeature".
void AddVectorFeature(control::ControlState& state, host::Entity& entity, int32_t viewIndex,
                      bool byLayer);

}  // namespace nimbo::overlay
