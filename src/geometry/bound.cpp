#include "geometry/bound.h"

#include "automation/object_cast.h"

namespace nimbo::geometry {

void Bound::SetValues(double dULx, double dULy, double dURx, double dURy, double dLRx, double dLRy,
                      double dLLx, double dLLy) {
  ULx = dULx;
  ULy = dULy;
  URx = dURx;
  URy = dURy;
  LRx = dLRx;
  LRy = dLRy;
  LLx = dLLx;
  LLy = dLLy;
  initialized = automation::VBool::From(true);
}

std::shared_ptr<host::LightweightPolyline> Bound::AsPolyline(const host::DocumentRef& doc,
                                                             std::string& layername) const {
  // The ring returns to the first corner as a fifth vertex instead of setting the closed
  // flag, so the drawing shows the same shape whatever the polyline's flags.
  const automation::DoubleArray ring{0, {ULx, ULy, URx, URy, LRx, LRy, LLx, LLy, ULx, ULy}};
  auto modelSpace = automation::Require<host::EntityCollection>(
      automation::Require<host::Document>(doc)->ModelSpace());
  auto polyline =
      automation::Require<host::LightweightPolyline>(modelSpace->AddLightWeightPolyline(ring));
  polyline->SetColor(host::kColorByLayer);
  polyline->SetLayer(layername);
  polyline->Update();
  return polyline;
}

}  // namespace nimbo::geometry
