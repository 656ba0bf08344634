// The drawing layer service behind _DockControl's AddLayer, FindLayer, DeleteAll and
// DeleteLayer. Each binds the document first, compares layer names upper-cased, and
// raises any error again under its own name.
#pragma once

#include <string>

#include "host/cad.h"
#include "overlay/control_state.h"
#include "sync/dock_control_interface.h"

namespace nimbo::sync {

void AddLayer(overlay::ControlState& state, std::string& layername);
host::LayerRef FindLayer(overlay::ControlState& state, std::string& layername);
void DeleteAll(overlay::ControlState& state, std::string& layername);
// Calls DeleteAll through `self`, the control's published interface, before deleting the
// layer.
void DeleteLayer(overlay::ControlState& state, DockControlInterface& self, std::string& layername);

}  // namespace nimbo::sync
