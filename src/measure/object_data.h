// Stores the measured value in one field of an object-data table, one new record per
// object the person selects.
#pragma once

#include <string>

#include "control/control_state.h"

namespace nimbo::measure {

// Binds the document first and does nothing without one. A table or field the drawing
// does not have is told in a message and nothing is selected. Every selected object gets
// a new record, whatever records it already has. The temporary selection set is deleted
// on every path. Raises any error again as "SaveAsDataObject".
void SaveAsDataObject(control::ControlState& state, double measure, const std::string& tablename,
                      const std::string& fieldname);

}  // namespace nimbo::measure
