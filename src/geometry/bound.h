// A viewer footprint: a quadrilateral given by its four corners, which can draw itself
// into a drawing as a lightweight polyline ring. Public class of the library
// ({B102FCE5-64E9-4376-AAD3-8BD6A85027F1}, interface _Bound).
#pragma once

#include <memory>
#include <string>

#include "automation/variant.h"
#include "host/cad.h"

namespace nimbo::geometry {

class Bound : public automation::Object {
 public:
  // Every field is a read/write property; no invariant is kept.
  double ULx = 0, ULy = 0;
  double URx = 0, URy = 0;
  double LRx = 0, LRy = 0;
  double LLx = 0, LLy = 0;
  automation::VBool initialized = automation::VBool::From(false);

  // Stores the corners in the order upper-left, upper-right, lower-right, lower-left.
  void SetValues(double dULx, double dULy, double dURx, double dURy, double dLRx, double dLRy,
                 double dLLx, double dLLy);

  // Adds to doc's model space the ring UL, UR, LR, LL, UL (the closed flag is not set),
  // by layer in colour, on `layername`, and answers it. Host failures pass to the caller;
  // a polyline already added stays in the drawing.
  std::shared_ptr<host::LightweightPolyline> AsPolyline(const host::DocumentRef& doc,
                                                        std::string& layername) const;
};
using BoundRef = std::shared_ptr<Bound>;

}  // namespace nimbo::geometry
