#include "overlay/overlay_lifecycle.h"

#include <string>
#include <vector>

#include "automation/convert.h"
#include "automation/error.h"
#include "automation/error_rules.h"
#include "automation/object_cast.h"
#include "control/display_layers.h"
#include "host/viewer_views.h"
#include "overlay/feature_export.h"

namespace nimbo::overlay {

namespace {

using automation::Reraise;

constexpr int32_t kFirstView = 1;
constexpr int32_t kLastView = host::kViewCount;

// A loop counter moved by one step. The viewer receives some counters by reference and
// may write to them, so a step past the 32-bit range is the run-time's overflow (6), not
// undefined behaviour.
int32_t Stepped(int32_t counter, int32_t step) {
  return automation::CheckedLong(static_cast<int64_t>(counter) + step);
}

// The offered names as they stand now. A viewer call may deliver an event that renews
// layerNames; the loop that started goes on over the list it started with.
std::vector<std::string> OfferedNames(const control::ControlState& state) {
  if (!state.layerNames) throw automation::errors::Standard(automation::errors::kObjectNotSet);
  return *state.layerNames;
}

bool IsDisplayLayer(const std::string& upperName) {
  return upperName == automation::UCase(control::kVisibleExtentLayer) ||
         upperName == automation::UCase(control::kTotalExtentLayer) ||
         upperName == automation::UCase(control::kSelectedPointLayer);
}

void ActivateOverlays(control::ControlState& state, int32_t viewIndex, bool discrete) {
  host::Viewer& viewer = state.Viewer();
  for (const std::string& name : OfferedNames(state)) {
    if (discrete) {
      viewer.ActivateOverlayDiscrete(name, viewIndex);
    } else {
      viewer.ActivateOverlayMosaic(name, viewIndex);
    }
  }
}

}  // namespace

void ResetLayerNames(control::ControlState& state) {
  state.layerNames.emplace();
}

void GetLayerNames(control::ControlState& state) {
  Reraise("GetLayerNames", [&] {
    const host::DocumentRef document = control::BindActiveDocument(state);
    if (!document || !state.viewer) return;
    auto layers = automation::Require<host::Layers>(document->Layers());
    layers->ForEach([&](const host::LayerRef& layer) {
      const std::string name = automation::Require<host::Layer>(layer)->Name();
      // The on/off state is read for every layer, display layers included; frozen and
      // locked layers are offered like any other.
      const bool on = layer->LayerOn();
      if (!IsDisplayLayer(automation::UCase(name)) && on) {
        if (!state.layerNames) {
          throw automation::errors::Standard(automation::errors::kObjectNotSet);
        }
        state.layerNames->push_back(name);
      }
    });
  });
}

void AddLayers(control::ControlState& state, int32_t viewIndex, bool flag) {
  Reraise("AddLayers", [&] {
    const std::vector<std::string> names = OfferedNames(state);
    // The viewer takes the view index and the flag by reference: these are the
    // procedure's own copies, and what the viewer writes into them carries on.
    automation::VBool flagArgument = automation::VBool::From(flag);
    for (int32_t i = automation::CheckedLong(static_cast<int64_t>(names.size())); i >= 1;
         i = Stepped(i, -1)) {
      const std::string& name = names[static_cast<size_t>(i - 1)];
      state.Viewer().RegisterOverlayLayer(name, viewIndex, flagArgument);
    }
  });
}

void RemoveAllLayersExceptMeasurements(control::ControlState& state) {
  Reraise("RemoveAllLayersExceptMeasurements", [&] {
    host::Viewer& viewer = state.Viewer();
    for (int32_t v = kFirstView; v <= kLastView; v = Stepped(v, 1)) {
      if (!viewer.IsViewActive(v)) continue;
      const int32_t count = viewer.GetOverlayLayerCount(v);
      // From the last position down, so that a removal never shifts a position still to
      // be read.
      for (int32_t p = Stepped(count, -1); p >= 0; p = Stepped(p, -1)) {
        std::string name = viewer.GetOverlayLayerName(p, v);
        if (!name.empty() && name != host::kMeasurementsOverlay) viewer.RemoveOverlayLayer(name, v);
      }
    }
  });
}

void RebuildOverlays(control::ControlState& state, RefreshRule rule) {
  ResetLayerNames(state);
  GetLayerNames(state);
  AddLayers(state, 0, false);
  for (int32_t v = kFirstView; v <= kLastView; ++v) {
    if (!state.Viewer().IsViewActive(v)) continue;
    AddFeatures(state, v, true);
    const bool discrete = state.Viewer().GetViewMode(v) == host::kDiscreteViewMode;
    ActivateOverlays(state, v, discrete);
    if (discrete && rule == RefreshRule::RefreshDiscreteSeparately) {
      state.Viewer().RefreshDiscreteOverlays(v);
    } else {
      state.Viewer().RefreshOverlays(v);
    }
  }
}

void ShowOverlaysOfLoadedImage(control::ControlState& state, int32_t viewIndex) {
  const bool discrete = state.Viewer().GetViewMode(viewIndex) == host::kDiscreteViewMode;
  const bool active = state.Viewer().IsViewActive(viewIndex);
  if (!discrete || !active) return;
  AddFeatures(state, viewIndex, true);
  ActivateOverlays(state, viewIndex, true);
  // A loaded image refreshes its discrete view as a mosaic one.
  state.Viewer().RefreshOverlays(viewIndex);
}

}  // namespace nimbo::overlay
