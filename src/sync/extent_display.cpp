#include "sync/extent_display.h"

#include <array>

#include "automation/convert.h"
#include "automation/error_rules.h"
#include "automation/object_cast.h"
#include "geometry/bound.h"
#include "host/viewer_views.h"

namespace nimbo::sync {

using automation::Require;

namespace {

// The selected point's PDMODE (a cross) and PDSIZE (the default size).
constexpr int16_t kPointDisplayMode = 2;
constexpr int16_t kPointDisplaySize = 0;

// The counter is read after the corners, as the viewer may have written to it.
template <class ReadCorner>
void StoreExtent(ReadCorner read, geometry::BoundSlots& bounds, const int32_t& viewIndex) {
  // Read in the order a Bound stores the corners (upper-left, upper-right, lower-right,
  // lower-left): the viewer's corners 11..18 are read as 11, 12, 13, 14, 17, 18, 15, 16
  // (and 19..26 alike).
  std::array<double, host::kCornerCount> v{};
  for (size_t i = 0; i < host::kRingCornerOrder.size(); ++i) v[i] = read(host::kRingCornerOrder[i]);
  // The view number goes on as a 16-bit Integer: a counter that the viewer wrote out of
  // that range is the run-time's overflow, not a wrapped-around slot.
  ExtentChanged(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], bounds,
                automation::CheckedInteger(viewIndex));
}

void DrawBounds(control::ControlState& state, geometry::BoundSlots& bounds,
                std::string& layername) {
  for (int i = 1; i <= geometry::BoundSlots::kViews; ++i) {
    // Held here: drawing may let an event arrive that replaces the slot.
    geometry::BoundRef bound = bounds(i);
    if (bound && bound->initialized.IsTrue()) bound->AsPolyline(state.activeDoc, layername);
  }
}

void DrawSelectedPoint(control::ControlState& state, std::string& layername) {
  if (state.selectedPointX == control::kNoSelectedPoint ||
      state.selectedPointY == control::kNoSelectedPoint) {
    return;
  }
  // A local reference: a document activated from inside AddPoint or SetLayer replaces
  // activeDoc, and the variables still belong to the drawing that received the point.
  const host::DocumentRef doc = Require<host::Document>(state.activeDoc);
  auto point =
      Require<host::PointEntity>(Require<host::EntityCollection>(doc->ModelSpace())
                                     ->AddPoint({state.selectedPointX, state.selectedPointY, 0.0}));
  point->SetLayer(layername);
  doc->SetVariable("PDMODE", automation::Variant(kPointDisplayMode));
  doc->SetVariable("PDSIZE", automation::Variant(kPointDisplaySize));
}

}  // namespace

void InitializeAllBounds(control::ControlState& state) {
  automation::Reraise("InitializeAllBounds", [&] {
    state.visibleBounds.Clear();
    state.totalBounds.Clear();
  });
}

void UpdateAllBounds(control::ControlState& state) {
  automation::Reraise("UpdateAllBounds", [&] {
    host::Viewer& viewer = state.Viewer();
    // The viewer receives the counter by reference and may write to it.
    for (int32_t i = 1; i <= geometry::BoundSlots::kViews;
         i = automation::CheckedLong(static_cast<int64_t>(i) + 1)) {
      if (!viewer.IsViewActive(i)) continue;
      StoreExtent([&](int corner) { return viewer.TotalCorner(corner, i); }, state.totalBounds, i);
      StoreExtent([&](int corner) { return viewer.VisibleCorner(corner, i); }, state.visibleBounds,
                  i);
    }
  });
}

void ExtentChanged(double ULx, double ULy, double URx, double URy, double LRx, double LRy,
                   double LLx, double LLy, geometry::BoundSlots& bounds, int16_t index) {
  automation::Reraise("ExtentChanged", [&] {
    auto bound = std::make_shared<geometry::Bound>();
    bound->SetValues(ULx, ULy, URx, URy, LRx, LRy, LLx, LLy);
    bounds(index) = std::move(bound);
  });
}

void RefreshMap(control::ControlState& state, DockControlInterface& self) {
  automation::Reraise("RefreshMap", [&] {
    host::Viewer& viewer = state.Viewer();
    std::string visible = control::kVisibleExtentLayer;
    std::string total = control::kTotalExtentLayer;
    std::string point = control::kSelectedPointLayer;
    if (viewer.ShowVisibleExtent()) {
      RefreshLayer(state, self, visible);
    } else {
      self.DeleteLayer(visible);
    }
    if (viewer.ShowTotalExtent()) {
      RefreshLayer(state, self, total);
    } else {
      self.DeleteLayer(total);
    }
    // Both options are asked again, the second whatever the first answers.
    const bool showTotal = viewer.ShowTotalExtent();
    const bool showVisible = viewer.ShowVisibleExtent();
    if (showTotal || showVisible) {
      RefreshLayer(state, self, point);
    } else {
      self.DeleteLayer(point);
    }
  });
}

void RefreshLayer(control::ControlState& state, DockControlInterface& self,
                  std::string& layername) {
  automation::Reraise("RefreshLayer", [&] {
    if (!control::BindActiveDocument(state)) return;
    host::LayerRef layer = self.FindLayer(layername);
    // A layer the person switched off keeps what it shows.
    if (layer && !layer->LayerOn()) return;
    if (!layer) self.AddLayer(layername);
    self.DeleteAll(layername);
    if (layername == control::kVisibleExtentLayer) {
      DrawBounds(state, state.visibleBounds, layername);
    } else if (layername == control::kTotalExtentLayer) {
      DrawBounds(state, state.totalBounds, layername);
    } else if (layername == control::kSelectedPointLayer) {
      DrawSelectedPoint(state, layername);
    }
  });
}

}  // namespace nimbo::sync
