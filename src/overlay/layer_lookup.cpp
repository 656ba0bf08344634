#include "overlay/layer_lookup.h"

#include "automation/convert.h"
#include "automation/error_rules.h"
#include "automation/object_cast.h"

namespace nimbo::overlay {

bool SameLayerName(const std::string& a, const std::string& b) {
  return automation::SameUCase(a, b);
}

host::LayerRef GetLayer(control::ControlState& state, const std::string& name) {
  host::LayerRef found;
  const bool ok = automation::TrapSilently([&] {
    host::DocumentRef doc = control::BindActiveDocument(state);
    if (!doc) return;
    automation::Require<host::Layers>(doc->Layers())->ForEach([&](const host::LayerRef& layer) {
      // The search ends at the first match: later layers are not asked for their names.
      if (found || !layer) return;
      if (SameLayerName(layer->Name(), name)) found = layer;
    });
  });
  return ok ? found : nullptr;
}

}  // namespace nimbo::overlay
