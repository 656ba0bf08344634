#include "measure/extrusion.h"

#include <memory>

#include "automation/error_rules.h"
#include "automation/object_cast.h"
#include "host/entity_classes.h"

namespace nimbo::measure {

using automation::Require;

namespace {
constexpr double kNoTaper = 0.0;
}  // namespace

void ExtrudeEntity(control::ControlState& state, double height) {
  automation::Reraise("ExtrudeEntity", [&] {
    host::DocumentRef document = control::BindActiveDocument(state);
    if (!document) return;
    auto sets = Require<host::SelectionSets>(document->SelectionSets());
    control::TemporarySelectionSet selection(*sets, control::TemporarySelectionSetName(state));
    selection->SelectOnScreen();
    // 32-bit counting: a selection may hold more than 32,767 objects.
    const int32_t count = selection->Count();
    for (int32_t i = 0; i < count; ++i) {
      auto object = Require<host::Entity>(selection->Item(i));
      if (object->ObjectName() != host::kRegionClass) continue;
      auto region = Require<host::Region>(object);
      Require<host::EntityCollection>(document->ModelSpace())
          ->AddExtrudedSolid(region, height, kNoTaper);
    }
    selection.Finish();
  });
}

}  // namespace nimbo::measure
