// The drawing layer service behind _DockControl's AddLayer, FindLayer, DeleteAll and
// DeleteLayer. Each binds the document first, compares layer names upper-cased, and
// raises any error again under its own name.
#pragma once

#include <string>

#include "control/control_state.h"
#include "host/cad.h"
#include "sync/dock_control_interface.h"

namespace nimbo::sync {

void AddLayer(control::ControlState& state, std::string& layername);
host::LayerRef FindLayer(control::ControlState& state, std::string& layername);
void DeleteAll(control::ControlState& state, std::string& layername);
// Calls DeleteAll through `self`, the control's published interface, before deleting the
// layer.
void DeleteLayer(control::ControlState& state, DockControlInterface& self, std::string& layername);

}  // namespace nimbo::sync
