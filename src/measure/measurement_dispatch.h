// A measurement from the viewer, saved into the drawing by the method and sub-option the
// person chose there, after the person confirms it.
#pragma once

#include <string>

#include "control/control_state.h"

namespace nimbo::measure {

// Sub-option "<None>" saves nothing. The text, dimension and attribute methods ask for a
// text height first; every other method but the extrusion names an object-data table.
// Raises any error again as "SaveMeasurement".
void SaveMeasurement(control::ControlState& state, double measure, const std::string& tablename,
                     const std::string& fieldname);

}  // namespace nimbo::measure
