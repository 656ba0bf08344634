#include "sync/extent_events.h"

#include "sync/drawing_follows_viewer.h"
#include "sync/extent_display.h"
#include "sync/mosaic_overlay_refresh.h"

namespace nimbo::sync {

namespace {

// The view whose extent changes carry the viewer's selected point.
constexpr int32_t kSelectedPointView = 3;

bool IsNewPoint(const control::ControlState& state, double X, double Y) {
  return X != state.selectedPointX || Y != state.selectedPointY;
}

}  // namespace

void OnExtentChanged(control::ControlState& state, DockControlInterface& self, double X, double Y,
                     int32_t viewIndex) {
  UpdateAllBounds(state);
  if (viewIndex == kSelectedPointView && IsNewPoint(state, X, Y)) {
    state.selectedPointX = X;
    state.selectedPointY = Y;
  }
  RefreshMap(state, self);
  FollowViewer(state, X, Y, viewIndex);
  if (state.overlaysPermitted) RefreshMosaicOverlays(state);
}

void OnSelectedPointChanged(control::ControlState& state, DockControlInterface& self, double X,
                            double Y) {
  if (!IsNewPoint(state, X, Y)) return;
  state.selectedPointX = X;
  state.selectedPointY = Y;
  RefreshMap(state, self);
}

void OnModeChanged(control::ControlState& state, DockControlInterface& self) {
  InitializeAllBounds(state);
  UpdateAllBounds(state);
  RefreshMap(state, self);
}

}  // namespace nimbo::sync
