// An axis-aligned rectangle that grows to cover the bounds merged into it. Public,
// non-creatable class of the library ({11B829C7-CE13-4188-B694-FB499A31DD83}, _Extent).
#pragma once

#include <vector>

#include "automation/variant.h"
#include "host/cad.h"

namespace nimbo::geometry {

// The smallest and largest element of an array indexed from 1 (values[0] is index 1);
// ties keep the earlier element. The array holds at least one element.
double ArrayMin(const std::vector<double>& values);
double ArrayMax(const std::vector<double>& values);

// Edges belong to the box. x is tested first; lower bounds as at-least, upper bounds as
// not-greater-than, so a NaN in x, y, minx or miny fails while a NaN in maxx or maxy alone
// does not.
automation::VBool PointInBox(double x, double y, double minx, double miny, double maxx,
                             double maxy);

class Extent : public automation::Object {
 public:
  double Minx = 0;
  double Miny = 0;
  double Maxx = 0;
  double Maxy = 0;
  automation::VBool initialized = automation::VBool::From(false);

  void MergeBound(double dULx, double dULy, double dURx, double dURy, double dLRx, double dLRy,
                  double dLLx, double dLLy);
  automation::VBool IsInside(double X, double Y) const;
  // True when a defining vertex of the polyline, line or point lies inside; every error
  // answers False.
  automation::VBool IsGeometryPartiallyInside(const automation::ObjectRef& elem) const;
};

}  // namespace nimbo::geometry
