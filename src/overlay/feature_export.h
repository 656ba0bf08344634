// Sends the drawing's vector content of one viewer view: every offered layer prepared
// and styled, then every polyline, line and point crossing the view's total extent, each
// with its own pen when it does not follow its layer.
#pragma once

#include <cstdint>
#include <string>

#include "control/control_state.h"
#include "host/cad.h"

namespace nimbo::overlay {

// Raises any error again with the source "AddFeatures".
void AddFeatures(control::ControlState& state, int32_t viewIndex, bool clearFirst);

}  // namespace nimbo::overlay
