#include "sync/mosaic_overlay_refresh.h"

#include <string>
#include <vector>

#include "automation/error.h"
#include "geometry/bound_slots.h"
#include "host/viewer_views.h"
#include "overlay/feature_export.h"

namespace nimbo::sync {

void RefreshMosaicOverlays(control::ControlState& state) {
  host::Viewer& viewer = state.Viewer();
  for (int32_t h = 1; h <= geometry::BoundSlots::kViews; ++h) {
    const bool mosaic = viewer.GetViewMode(h) == host::kMosaicViewMode;
    const bool active = viewer.IsViewActive(h);
    if (!mosaic || !active) continue;
    overlay::AddFeatures(state, h, true);
    if (!state.layerNames) throw automation::errors::Standard(automation::errors::kObjectNotSet);
    // A copy: a viewer call may let an event arrive that replaces the list.
    const std::vector<std::string> names = *state.layerNames;
    for (const std::string& name : names) viewer.ActivateOverlayMosaic(name, h);
    viewer.RefreshOverlays(h);
  }
}

}  // namespace nimbo::sync
