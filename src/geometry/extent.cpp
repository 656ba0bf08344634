#include "geometry/extent.h"

#include "automation/error.h"
#include "automation/object_cast.h"
#include "host/entity_classes.h"

namespace nimbo::geometry {

namespace {

using automation::VBool;

// The element at a VB-style index of a flat coordinate list; outside its bounds is a
// subscript out of range, as the run-time raises it.
double At(const automation::DoubleArray& list, int64_t index) {
  const int64_t offset = index - list.lowerBound;
  if (offset < 0 || offset >= static_cast<int64_t>(list.values.size())) {
    throw automation::errors::Standard(automation::errors::kSubscriptOutOfRange);
  }
  return list.values[static_cast<size_t>(offset)];
}

void RequireElements(const std::vector<double>& values) {
  if (values.empty()) {
    throw automation::errors::Standard(automation::errors::kSubscriptOutOfRange);
  }
}

}  // namespace

double ArrayMin(const std::vector<double>& values) {
  RequireElements(values);
  double result = values.front();
  for (size_t i = 1; i < values.size(); ++i) {
    if (values[i] < result) result = values[i];
  }
  return result;
}

double ArrayMax(const std::vector<double>& values) {
  RequireElements(values);
  double result = values.front();
  for (size_t i = 1; i < values.size(); ++i) {
    if (values[i] > result) result = values[i];
  }
  return result;
}

VBool PointInBox(double x, double y, double minx, double miny, double maxx, double maxy) {
  // Upper bounds as "not greater than": a NaN bound compares false and so does not fail.
  if (!(x >= minx) || x > maxx) return VBool::From(false);
  if (!(y >= miny) || y > maxy) return VBool::From(false);
  return VBool::From(true);
}

void Extent::MergeBound(double dULx, double dULy, double dURx, double dURy, double dLRx,
                        double dLRy, double dLLx, double dLLy) {
  // Both lists are complete before any field changes; the corner order (UL, UR, LL, LR)
  // decides which of two equal values, or a NaN, is kept.
  std::vector<double> xs{dULx, dURx, dLLx, dLRx};
  std::vector<double> ys{dULy, dURy, dLLy, dLRy};
  const bool merging = initialized.IsTrue();
  if (merging) {
    xs.insert(xs.end(), {Minx, Maxx});
    ys.insert(ys.end(), {Miny, Maxy});
  }
  Minx = ArrayMin(xs);
  Miny = ArrayMin(ys);
  Maxx = ArrayMax(xs);
  Maxy = ArrayMax(ys);
  if (!merging) initialized = VBool::From(true);
}

VBool Extent::IsInside(double X, double Y) const {
  if (!initialized.IsTrue()) return VBool::From(false);
  return PointInBox(X, Y, Minx, Miny, Maxx, Maxy);
}

VBool Extent::IsGeometryPartiallyInside(const automation::ObjectRef& elem) const {
  try {
    auto entity = automation::Require<host::Entity>(elem);
    const std::string objectName = entity->ObjectName();
    if (objectName == host::kPolylineClass) {
      const automation::DoubleArray list =
          automation::Require<host::LightweightPolyline>(entity)->Coordinates();
      const int64_t upper = int64_t{list.lowerBound} + static_cast<int64_t>(list.values.size()) - 1;
      for (int64_t i = list.lowerBound; i <= upper; i += 2) {
        if (IsInside(At(list, i), At(list, i + 1)).IsTrue()) return VBool::From(true);
      }
      return VBool::From(false);
    }
    if (objectName == host::kLineClass) {
      auto line = automation::Require<host::Line>(entity);
      const host::Point3 start = line->StartPoint();
      const host::Point3 end = line->EndPoint();
      const bool startInside = IsInside(start.x, start.y).IsTrue();
      const bool endInside = IsInside(end.x, end.y).IsTrue();
      return VBool::From(startInside || endInside);
    }
    if (objectName == host::kPointClass) {
      const host::Point3 at = automation::Require<host::PointEntity>(entity)->Coordinates();
      return IsInside(at.x, at.y);
    }
    return VBool::From(false);
  } catch (...) {
    // Anything that is not a readable polyline, line or point is simply not inside.
    return VBool::From(false);
  }
}

}  // namespace nimbo::geometry
