// After an extent change, every active mosaic view gets the drawing's features of its new
// extent; views in other modes get theirs when an image is loaded.
#pragma once

#include "control/control_state.h"

namespace nimbo::sync {

// For views 1..5: the mode and the activity are both asked; an active "MOSAIC" view gets
// AddFeatures, every offered layer activated as a mosaic overlay, and a refresh.
void RefreshMosaicOverlays(control::ControlState& state);

}  // namespace nimbo::sync
