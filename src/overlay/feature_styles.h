// The pens the feature export sends to the viewer: a layer's pen for its overlay layer,
// and an entity's own pen for the feature that follows it.
#pragma once

#include <cstdint>

#include "control/control_state.h"
#include "host/cad.h"

namespace nimbo::overlay {

// SetOverlayLayerStyle with the layer's colour and line weight. Ends silently at the
// first error: no pen is sent.
void SendLayerStyle(control::ControlState& state, host::Layer& layer, int32_t viewIndex);

// True exactly when both the entity's colour and its line weight follow its layer.
// Errors pass to the caller.
bool HasLayerStyle(host::Entity& entity);

// SetFeatureStyle with the entity's colour and line weight; a colour that follows the
// layer takes the colour of the entity's layer. Ends silently at the first error.
void SendEntityStyle(control::ControlState& state, host::Entity& entity);

}  // namespace nimbo::overlay
