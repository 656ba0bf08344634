#include "overlay/feature_export.h"

#include <array>
#include <vector>

#include "automation/error.h"
#include "automation/error_rules.h"
#include "automation/object_cast.h"
#include "host/viewer_views.h"
#include "overlay/feature_styles.h"
#include "overlay/layer_lookup.h"
#include "overlay/vector_feature.h"

namespace nimbo::overlay {

namespace {

// Prepares and styles the view's overlay layer of every offered drawing layer.
void PrepareOfferedLayers(control::ControlState& state, int32_t& viewIndex, bool clearFirst) {
  if (!state.layerNames) {
    // The list is made by the first overlay rebuild; enumerating it before is an unset
    // object.
    throw automation::errors::Standard(automation::errors::kObjectNotSet);
  }
  // A copy: a viewer call may let an event arrive that replaces the list.
  const std::vector<std::string> names = *state.layerNames;
  host::Viewer& viewer = state.Viewer();
  for (const std::string& name : names) {
    if (clearFirst) viewer.ClearOverlayLayer(name, viewIndex);
    host::LayerRef layer = GetLayer(state, name);
    if (!layer) continue;
    viewer.PrepareLayerStepOne(name);
    viewer.PrepareLayerStepTwo(name);
    viewer.PrepareLayerStepThree(name);
    SendLayerStyle(state, *layer, viewIndex);
  }
}

// The view's total extent as four 3-D points with z 0, not closed.
automation::DoubleArray ViewPolygon(host::Viewer& viewer, int32_t& viewIndex) {
  std::array<double, host::kCornerCount> corners{};
  for (int corner = 0; corner < host::kCornerCount; ++corner)
    corners[corner] = viewer.TotalCorner(corner, viewIndex);
  // The ring of the selection polygon: upper-left, upper-right, lower-right, lower-left.
  automation::DoubleArray polygon;
  for (size_t i = 0; i < host::kRingCornerOrder.size(); i += 2) {
    polygon.values.push_back(corners[host::kRingCornerOrder[i]]);
    polygon.values.push_back(corners[host::kRingCornerOrder[i + 1]]);
    polygon.values.push_back(0.0);
  }
  return polygon;
}

}  // namespace

void AddFeatures(control::ControlState& state, int32_t viewIndex, bool clearFirst) {
  automation::Reraise("AddFeatures", [&] {
    PrepareOfferedLayers(state, viewIndex, clearFirst);

    host::DocumentRef doc = control::BindActiveDocument(state);
    if (!doc) return;
    auto sets = automation::Require<host::SelectionSets>(doc->SelectionSets());
    // Deleted on every path, a failure part-way included, so that the drawing keeps no
    // set of ours and the next export can use the same name.
    control::TemporarySelectionSet selection(*sets, control::TemporarySelectionSetName(state));
    selection->SelectByPolygon(host::selection_mode::kCrossingPolygon,
                               ViewPolygon(state.Viewer(), viewIndex));
    selection->ForEach([&](const host::EntityRef& item) {
      host::Entity& entity = automation::RequireRef<host::Entity>(item);
      const bool byLayer = HasLayerStyle(entity);
      if (!byLayer) SendEntityStyle(state, entity);
      AddVectorFeature(state, entity, viewIndex, byLayer);
    });
    selection.Finish();
  });
}

}  // namespace nimbo::overlay
