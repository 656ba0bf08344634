// The writers that put a measured value into the drawing as visible annotation at points
// the person picks: single-line text, a dimension's text, or a block attribute. Each binds
// the document first and does nothing without one; each raises any error again under its
// own name. What was added before an error stays in the drawing.
#pragma once

#include <string>

#include "control/control_state.h"

namespace nimbo::measure {

void AddText(control::ControlState& state, double measure, double textHeight);

// subOption "Linear dimension" (aligned) or "Angular dimension"; any other does nothing.
void AddDimension(control::ControlState& state, double measure, const std::string& subOption,
                  double textHeight);

// subOption names the block and tags its attribute. The block gets one attribute
// definition of that tag, whose default is the latest value saved into it.
void AddAttribute(control::ControlState& state, double measure, const std::string& subOption,
                  double textHeight);

}  // namespace nimbo::measure
