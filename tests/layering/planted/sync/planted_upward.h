// Planted faults for the layering check's own test: an include of the layer above and
// one of a sibling; the includes of lower layers and of the same folder are in order.
#pragma once

#include "control/control_state.h"
#include "measure/save_options.h"
#include "shell/dock_control.h"
#include "sync/navigation.h"
