#include "overlay/vector_feature.h"

#include <string>

#include "automation/error.h"
#include "automation/error_rules.h"
#include "host/entity_classes.h"

namespace nimbo::overlay {

namespace {

// The entity as the kind its object name announces; any other object is a type mismatch.
template <class Kind>
Kind& AsKind(host::Entity& entity) {
  auto* kind = dynamic_cast<Kind*>(&entity);
  if (kind == nullptr) throw automation::errors::Standard(automation::errors::kTypeMismatch);
  return *kind;
}

}  // namespace

void AddVectorFeature(control::ControlState& state, host::Entity& entity, int32_t viewIndex,
                      bool byLayer) {
  automation::Reraise("AddVectorFeature", [&] {
    host::Viewer& viewer = state.Viewer();
    automation::VBool byLayerFlag = automation::VBool::From(byLayer);
    viewer.BeginFeature();
    const std::string objectName = entity.ObjectName();
    if (objectName == host::kPolylineClass) {
      std::string layer = entity.Layer();
      automation::DoubleArray coordinates = AsKind<host::LightweightPolyline>(entity).Coordinates();
      // Vertices go by reference to the list's own elements; an odd count runs off the
      // end of the list (subscript out of range), as the list is read in pairs.
      for (size_t i = 0; i < coordinates.values.size(); i += 2) {
        viewer.AddVertexByRef(coordinates.values.at(i), coordinates.values.at(i + 1));
      }
      viewer.AddLineFeature(layer, viewIndex, byLayerFlag);
    } else if (objectName == host::kLineClass) {
      std::string layer = entity.Layer();
      auto& line = AsKind<host::Line>(entity);
      const host::Point3 start = line.StartPoint();
      viewer.AddVertex(start.x, start.y);
      const host::Point3 end = line.EndPoint();
      viewer.AddVertex(end.x, end.y);
      viewer.AddLineFeature(layer, viewIndex, byLayerFlag);
    } else if (objectName == host::kPointClass) {
      std::string layer = entity.Layer();
      const host::Point3 at = AsKind<host::PointEntity>(entity).Coordinates();
      viewer.AddVertex(at.x, at.y);
      viewer.AddPointFeature(layer, viewIndex, byLayerFlag);
    }
  });
}

}  // namespace nimbo::overlay
