// Turns each region the person selects into a solid as high as the measured value.
#pragma once

#include "control/control_state.h"

namespace nimbo::measure {

// Binds the document first and does nothing without one. Objects other than regions are
// skipped; the regions stay. The temporary selection set is deleted on every path. Raises
// any error again as "ExtrudeEntity".
void ExtrudeEntity(control::ControlState& state, double height);

}  // namespace nimbo::measure
