// The viewer's four overlay events: each redraws what it must of the extent display and
// then, while the viewer permits overlays, renews the views' overlays.
#include "overlay/overlay_lifecycle.h"
#include "shell/dock_control.h"
#include "sync/extent_display.h"

namespace nimbo::shell {

using overlay::RefreshRule;

void DockControl::vnvEvents_LayoutChanged(const std::string& /*layout*/) {
  RunHandler("vnvEvents_LayoutChanged", [&] {
    // Emptying every slot first makes views that left the layout disappear from the drawing.
    sync::InitializeAllBounds(state_);
    sync::UpdateAllBounds(state_);
    sync::RefreshMap(state_, *this);
    state_.Viewer().ResetOverlays();
    if (state_.overlaysPermitted) {
      overlay::RebuildOverlays(state_, RefreshRule::RefreshOverlaysAlways);
    }
  });
}

void DockControl::vnvEvents_ObliqueLoaded(const std::string& /*id*/, int32_t /*width*/,
                                          int32_t /*height*/, double /*ULx*/, double /*ULy*/,
                                          double /*URx*/, double /*URy*/, double /*LLx*/,
                                          double /*LLy*/, double /*LRx*/, double /*LRy*/,
                                          int32_t viewIndex) {
  RunHandler("vnvEvents_ObliqueLoaded", [&] {
    sync::UpdateAllBounds(state_);
    sync::RefreshMap(state_, *this);
    if (state_.overlaysPermitted) overlay::ShowOverlaysOfLoadedImage(state_, viewIndex);
  });
}

void DockControl::vnvEvents_OverlaysPermissionChanged(automation::VBool accept) {
  RunHandler("vnvEvents_OverlaysPermissionChanged", [&] {
    state_.overlaysPermitted = accept.IsTrue();
    // Cleared in both directions: a withdrawn permission takes the overlays away.
    state_.Viewer().ResetOverlays();
    if (state_.overlaysPermitted) {
      overlay::RebuildOverlays(state_, RefreshRule::RefreshDiscreteSeparately);
    }
  });
}

void DockControl::vnvEvents_ReloadOverlaysClicked() {
  RunHandler("vnvEvents_ReloadOverlaysClicked", [&] {
    if (!state_.overlaysPermitted) return;
    state_.Viewer().ResetOverlays();
    overlay::RebuildOverlays(state_, RefreshRule::RefreshDiscreteSeparately);
  });
}

}  // namespace nimbo::shell
