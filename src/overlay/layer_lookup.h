// Finding a drawing layer by name the way the control compares layer names: both sides
// upper-cased, nothing else ignored.
#pragma once

#include <string>

#include "control/control_state.h"
#include "host/cad.h"

namespace nimbo::overlay {

bool SameLayerName(const std::string& a, const std::string& b);

// The first layer of the active drawing, in the host's order, whose name matches `name`;
// none when there is no drawing, no such layer, or on any error. Binds the document.
host::LayerRef GetLayer(control::ControlState& state, const std::string& name);

}  // namespace nimbo::overlay
