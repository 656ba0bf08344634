// When the drawing's layers reach the viewer as vector overlays: the list of offered
// layer names, their registration with the viewer, the rebuild of every active view's
// overlays, and the overlays of a view that has just loaded an oblique image.
#pragma once

#include <cstdint>

#include "control/control_state.h"

namespace nimbo::overlay {

// The viewer's own measurement overlay (host::kMeasurementsOverlay) is the one overlay
// the control never removes. host::kDiscreteViewMode is the one view mode with overlays
// of its own kind; every other mode is treated alike.

// How a rebuild refreshes a view once its overlays are activated.
enum class RefreshRule {
  // RefreshOverlays for every view, discrete or not (after a layout change).
  RefreshOverlaysAlways,
  // RefreshDiscreteOverlays for a discrete view, RefreshOverlays for any other (after a
  // permission change or a reload).
  RefreshDiscreteSeparately,
};

// Replaces layerNames by a new, empty list. No trap.
void ResetLayerNames(control::ControlState& state);

// Appends every drawing layer that is on and is not a display layer, in the layer
// table's order. Does nothing without a drawing or without the viewer. Raises any error
// again with the source "GetLayerNames".
void GetLayerNames(control::ControlState& state);

// Registers every offered layer with the viewer, the last one first. Raises any error
// again with the source "AddLayers".
void AddLayers(control::ControlState& state, int32_t viewIndex, bool flag);

// Removes every overlay but "Measurements" (and unnamed ones) from every active view.
// Raises any error again with the source "RemoveAllLayersExceptMeasurements".
void RemoveAllLayersExceptMeasurements(control::ControlState& state);

// A new list of offered layers, registered, then every active view filled, activated
// and refreshed by `rule`. No trap: an error reaches the handler with the source of the
// procedure that raised it.
void RebuildOverlays(control::ControlState& state, RefreshRule rule);

// After an oblique image was loaded into viewIndex: a discrete, active view gets the
// features and the activation of the layers of the last rebuild; any other view is left
// alone. Both the mode and the activity are always asked. No trap.
void ShowOverlaysOfLoadedImage(control::ControlState& state, int32_t viewIndex);

}  // namespace nimbo::overlay
