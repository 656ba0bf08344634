#include "sync/layer_service.h"

#include <cstdint>
#include <optional>

#include "automation/error_rules.h"
#include "automation/object_cast.h"
#include "control/display_layers.h"
#include "host/selection_filter.h"
#include "overlay/layer_lookup.h"

namespace nimbo::sync {

using automation::Require;

namespace {

// The layer colour index that AddLayer gives a display layer (compared exactly), or none.
std::optional<int32_t> DisplayLayerColor(const std::string& layername) {
  if (layername == control::kVisibleExtentLayer) return 1;
  if (layername == control::kTotalExtentLayer) return 5;
  if (layername == control::kSelectedPointLayer) return 1;
  return std::nullopt;
}

// The index of the first layer in table order whose name matches. Counted with 32 bits,
// so that drawings of more than 32,767 layers are searched to the end.
std::optional<int32_t> FindLayerIndex(host::Layers& layers, const std::string& layername) {
  const int32_t count = layers.Count();
  for (int32_t index = 0; index < count; ++index) {
    if (overlay::SameLayerName(Require<host::Layer>(layers.Item(index))->Name(), layername)) {
      return index;
    }
  }
  return std::nullopt;
}

}  // namespace

void AddLayer(control::ControlState& state, std::string& layername) {
  automation::Reraise("AddLayer", [&] {
    host::DocumentRef doc = control::BindActiveDocument(state);
    if (!doc) return;
    host::LayerRef layer = Require<host::Layers>(doc->Layers())->Add(layername);
    if (auto color = DisplayLayerColor(layername)) Require<host::Layer>(layer)->SetColor(*color);
  });
}

host::LayerRef FindLayer(control::ControlState& state, std::string& layername) {
  return automation::Reraise("FindLayer", [&]() -> host::LayerRef {
    host::DocumentRef doc = control::BindActiveDocument(state);
    if (!doc) return nullptr;
    auto layers = Require<host::Layers>(doc->Layers());
    std::optional<int32_t> index = FindLayerIndex(*layers, layername);
    if (!index) return nullptr;
    return layers->Item(*index);
  });
}

void DeleteAll(control::ControlState& state, std::string& layername) {
  automation::Reraise("DeleteAll", [&] {
    host::DocumentRef doc = control::BindActiveDocument(state);
    if (!doc) return;
    // The host finds the layer's model-space entities itself: asking every entity of model
    // space for its layer would cost a call per entity of the drawing at every redraw.
    auto sets = Require<host::SelectionSets>(doc->SelectionSets());
    control::TemporarySelectionSet selection(*sets, control::LayerDeletionSetName(state));
    const host::SelectionFilter filter = host::ModelSpaceLayerFilter(layername);
    selection->Select(host::selection_mode::kAll, filter.types, filter.data);
    // In model-space order, as a pass over model space would delete them.
    selection->ForEach(
        [](const host::EntityRef& item) { automation::RequireRef<host::Entity>(item).Delete(); });
    selection.Finish();
  });
}

void DeleteLayer(control::ControlState& state, DockControlInterface& self, std::string& layername) {
  automation::Reraise("DeleteLayer", [&] {
    host::DocumentRef doc = control::BindActiveDocument(state);
    if (!doc) return;
    auto layers = Require<host::Layers>(doc->Layers());
    std::optional<int32_t> index = FindLayerIndex(*layers, layername);
    if (!index) return;
    // The layer's entities first, through the published interface, then the layer.
    self.DeleteAll(layername);
    Require<host::Layer>(layers->Item(*index))->Delete();
  });
}

}  // namespace nimbo::sync
